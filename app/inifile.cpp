#include "inifile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

namespace app {

namespace {

const QByteArray Utf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// One physical line of the file. The raw bytes are kept so that a rewrite gives back every line
// it did not change byte for byte, whatever those bytes are.
struct Line
{
    enum Kind { Other, Section, Key };

    QByteArray text; // without the line end
    QByteArray end;  // "\r\n", "\n" or empty for a last line without one
    Kind kind = Other;
    QString name;  // section or key name, trimmed
    QString value; // key value, trimmed
};

Line parseLine(QByteArray text, QByteArray end)
{
    Line line;
    line.text = std::move(text);
    line.end = std::move(end);
    const QString trimmed = QString::fromUtf8(line.text).trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u';') || trimmed.startsWith(u'#'))
        return line;
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.indexOf(u']');
        if (close > 0) {
            line.kind = Line::Section;
            line.name = trimmed.mid(1, close - 1).trimmed();
        }
        return line;
    }
    const qsizetype equals = trimmed.indexOf(u'=');
    if (equals > 0) {
        line.name = trimmed.left(equals).trimmed();
        line.value = trimmed.mid(equals + 1).trimmed();
        if (!line.name.isEmpty())
            line.kind = Line::Key;
    }
    return line;
}

struct Document
{
    QByteArray bom;
    QList<Line> lines;
    QByteArray newLineEnd = QByteArrayLiteral("\n"); // the file's own style for added lines

    static Document parse(QByteArray data)
    {
        Document doc;
        if (data.startsWith(Utf8Bom)) {
            doc.bom = Utf8Bom;
            data.remove(0, Utf8Bom.size());
        }
        qsizetype start = 0;
        bool styleKnown = false;
        while (start < data.size()) {
            const qsizetype newline = data.indexOf('\n', start);
            QByteArray text;
            QByteArray end;
            if (newline < 0) {
                text = data.mid(start);
                start = data.size();
            } else {
                text = data.mid(start, newline - start);
                end = QByteArrayLiteral("\n");
                if (text.endsWith('\r')) {
                    text.chop(1);
                    end = QByteArrayLiteral("\r\n");
                }
                start = newline + 1;
                if (!styleKnown) {
                    doc.newLineEnd = end;
                    styleKnown = true;
                }
            }
            doc.lines.append(parseLine(std::move(text), std::move(end)));
        }
        return doc;
    }

    QByteArray serialize() const
    {
        QByteArray out = bom;
        for (const Line& line : lines)
            out += line.text + line.end;
        return out;
    }

    qsizetype findSection(const QString& section) const
    {
        const QString name = section.trimmed();
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines[i].kind == Line::Section
                && lines[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    }

    // The end of the section whose header is at the index: the next header or the end of file.
    qsizetype sectionEnd(qsizetype header) const
    {
        qsizetype i = header + 1;
        while (i < lines.size() && lines[i].kind != Line::Section)
            ++i;
        return i;
    }

    qsizetype findKey(qsizetype header, const QString& key) const
    {
        const QString name = key.trimmed();
        const qsizetype end = sectionEnd(header);
        for (qsizetype i = header + 1; i < end; ++i) {
            if (lines[i].kind == Line::Key && lines[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    }

    // Inserts a line before the index, in the file's line-end style. At the end of a file whose
    // last line has no line end, that line gets one and the new line goes without, as found.
    void insert(qsizetype at, const QString& text)
    {
        Line line = parseLine(text.toUtf8(), newLineEnd);
        if (at == lines.size() && !lines.isEmpty() && lines.last().end.isEmpty()) {
            lines.last().end = newLineEnd;
            line.end.clear();
        }
        lines.insert(at, std::move(line));
    }
};

bool fitsOnOneLine(const QString& text)
{
    return !text.contains(u'\n') && !text.contains(u'\r');
}

} // namespace

IniFile::IniFile(QString path)
    : m_path(std::move(path))
{
}

bool IniFile::exists() const
{
    return QFileInfo::exists(m_path);
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return defaultValue;
    const Document doc = Document::parse(file.readAll());
    const qsizetype header = doc.findSection(section);
    if (header < 0)
        return defaultValue;
    const qsizetype line = doc.findKey(header, key);
    return line < 0 ? defaultValue : doc.lines[line].value;
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    bool ok = false;
    const int value = readString(section, key).toInt(&ok);
    return ok ? value : defaultValue;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    if (sectionName.isEmpty() || keyName.isEmpty() || !fitsOnOneLine(sectionName)
        || !fitsOnOneLine(keyName) || !fitsOnOneLine(value) || sectionName.contains(u']')
        || keyName.contains(u'=') || keyName.startsWith(u'[') || keyName.startsWith(u';')
        || keyName.startsWith(u'#'))
        return false;

    Document doc;
    QFile current(m_path);
    if (current.exists()) {
        // A file that exists but cannot be read must not be replaced by a nearly empty one.
        if (!current.open(QIODevice::ReadOnly))
            return false;
        doc = Document::parse(current.readAll());
        current.close();
    }

    const QString keyLine = keyName + u'=' + value;
    const qsizetype header = doc.findSection(sectionName);
    if (header < 0) {
        doc.insert(doc.lines.size(), u'[' + sectionName + u']');
        doc.insert(doc.lines.size(), keyLine);
    } else if (const qsizetype at = doc.findKey(header, keyName); at >= 0) {
        // Keep the key as it is spelled, the '=' and the blanks after it; replace the value.
        Line& line = doc.lines[at];
        const qsizetype equals = line.text.indexOf('=');
        qsizetype valueStart = equals + 1;
        while (valueStart < line.text.size()
               && (line.text[valueStart] == ' ' || line.text[valueStart] == '\t'))
            ++valueStart;
        line.text = line.text.left(valueStart) + value.toUtf8();
        line.value = value.trimmed();
    } else {
        // After the section's last key (or its header), so that comments and blank lines that
        // lead into the next section stay in front of it.
        qsizetype last = header;
        const qsizetype end = doc.sectionEnd(header);
        for (qsizetype i = header + 1; i < end; ++i) {
            if (doc.lines[i].kind == Line::Key)
                last = i;
        }
        doc.insert(last + 1, keyLine);
    }

    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = doc.serialize();
    if (out.write(data) != data.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

bool IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    return writeString(section, key, QString::number(value));
}

} // namespace app
