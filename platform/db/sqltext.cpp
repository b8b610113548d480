#include "sqltext.h"

#include <algorithm>

namespace db::sqltext {

namespace {

constexpr QChar kMask = QChar(0x01);

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

} // namespace

QList<Piece> split(QStringView sql)
{
    QList<Piece> pieces;
    const qsizetype n = sql.size();
    qsizetype codeStart = 0;
    qsizetype i = 0;
    auto flushCode = [&](qsizetype end) {
        if (end > codeStart)
            pieces.append({Piece::Code, codeStart, end - codeStart});
    };
    while (i < n) {
        const QChar c = sql[i];
        qsizetype end = -1;
        Piece::Kind kind = Piece::Code;
        if (c == u'\'' || c == u'"') {
            // A doubled quote inside stays part of the literal.
            kind = c == u'\'' ? Piece::StringLiteral : Piece::QuotedName;
            qsizetype j = i + 1;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            end = std::min(j + 1, n);
        } else if (c == u'[') {
            kind = Piece::QuotedName;
            const qsizetype j = sql.indexOf(u']', i + 1);
            end = j < 0 ? n : j + 1;
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            kind = Piece::Comment;
            const qsizetype j = sql.indexOf(u'\n', i);
            end = j < 0 ? n : j;
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            kind = Piece::Comment;
            const qsizetype j = sql.indexOf(u"*/", i + 2);
            end = j < 0 ? n : j + 2;
        }
        if (end < 0) {
            ++i;
            continue;
        }
        flushCode(i);
        pieces.append({kind, i, end - i});
        i = end;
        codeStart = end;
    }
    flushCode(n);
    return pieces;
}

QString maskedCode(QStringView sql, const QList<Piece>& pieces)
{
    QString masked = sql.toString();
    for (const Piece& p : pieces) {
        if (p.kind != Piece::Code)
            std::fill(masked.begin() + p.start, masked.begin() + p.start + p.length, kMask);
    }
    return masked;
}

QString applyEdits(QString text, QList<Edit> edits)
{
    std::sort(edits.begin(), edits.end(),
              [](const Edit& a, const Edit& b) { return a.start > b.start; });
    for (const Edit& e : edits)
        text.replace(e.start, e.length, e.text);
    return text;
}

ParameterScan scanParameters(QStringView sql, PlaceholderStyle style)
{
    ParameterScan scan;
    const QList<Piece> pieces = split(sql);
    for (const Piece& p : pieces) {
        if (p.kind != Piece::Code)
            continue;
        const qsizetype end = p.start + p.length;
        for (qsizetype i = p.start; i < end; ++i) {
            if (sql[i] != u':')
                continue;
            const bool afterName = i > 0 && (isNameChar(sql[i - 1]) || sql[i - 1] == u':');
            if (afterName || i + 1 >= end || sql[i + 1] == u':' || !isNameChar(sql[i + 1]))
                continue;
            qsizetype j = i + 1;
            while (j < end && isNameChar(sql[j]))
                ++j;
            scan.names.append(sql.mid(i + 1, j - i - 1).toString());
            const QString placeholder = style == PlaceholderStyle::QuestionMark
                                            ? QStringLiteral("?")
                                            : u'$' + QString::number(scan.names.size());
            scan.edits.append({i, j - i, placeholder});
            i = j - 1;
        }
    }
    return scan;
}

} // namespace db::sqltext
