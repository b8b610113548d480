#include "dataset.h"
#include "backend_p.h"
#include "dberror.h"
#include "sqltext.h"

#include <QCollator>
#include <QRegularExpression>
#include <algorithm>
#include <numeric>

namespace db {

// ---- Field ----

bool Field::isNull() const
{
    return m_ds->rows().type(m_row, m_col) == CellType::Null;
}

QString Field::name() const
{
    return m_ds->fieldName(m_col);
}

FieldKind Field::kind() const
{
    return m_ds->fieldKind(m_col);
}

QString Field::asString() const
{
    const RowStore& rows = m_ds->rows();
    switch (rows.type(m_row, m_col)) {
    case CellType::Null: return QString();
    case CellType::Integer: return QString::number(rows.integer(m_row, m_col));
    case CellType::Float: return QString::number(rows.real(m_row, m_col), 'g', 15);
    case CellType::Blob:
    case CellType::Text: break;
    }
    const QByteArrayView bytes = rows.bytes(m_row, m_col);
    if (kind() == FieldKind::DateTime) {
        QByteArray buffer;
        return QString::fromUtf8(normalizedDateText(bytes, buffer));
    }
    return QString::fromUtf8(bytes);
}

qint64 Field::asInteger() const
{
    const RowStore& rows = m_ds->rows();
    switch (rows.type(m_row, m_col)) {
    case CellType::Null: return 0;
    case CellType::Integer: return rows.integer(m_row, m_col);
    case CellType::Float: return qRound64(rows.real(m_row, m_col));
    default: break;
    }
    bool ok = false;
    const QString text = asString().trimmed();
    const qint64 v = text.toLongLong(&ok);
    return ok ? v : qRound64(text.toDouble());
}

double Field::asFloat() const
{
    const RowStore& rows = m_ds->rows();
    switch (rows.type(m_row, m_col)) {
    case CellType::Null: return 0;
    case CellType::Integer: return double(rows.integer(m_row, m_col));
    case CellType::Float: return rows.real(m_row, m_col);
    default: return asString().trimmed().toDouble();
    }
}

bool Field::asBool() const
{
    const CellType t = m_ds->rows().type(m_row, m_col);
    if (t == CellType::Text) {
        const QString s = asString().trimmed();
        return s.compare(u"true", Qt::CaseInsensitive) == 0 || s.toLongLong() != 0;
    }
    return asInteger() != 0;
}

QDateTime Field::asDateTime() const
{
    const QString text = asString();
    if (text.isEmpty())
        return {};
    for (const QString& format : {QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"),
                                  QStringLiteral("yyyy-MM-dd hh:mm:ss"),
                                  QStringLiteral("yyyy-MM-dd")}) {
        const QDateTime dt = QDateTime::fromString(text.left(format.size()), format);
        if (dt.isValid())
            return dt;
    }
    return {};
}

QByteArray Field::asBytes() const
{
    const RowStore& rows = m_ds->rows();
    const CellType t = rows.type(m_row, m_col);
    if (t == CellType::Text || t == CellType::Blob)
        return rows.bytes(m_row, m_col).toByteArray();
    return asString().toUtf8();
}

QVariant Field::asVariant() const
{
    switch (m_ds->rows().type(m_row, m_col)) {
    case CellType::Null: return QVariant();
    case CellType::Integer: return asInteger();
    case CellType::Float: return asFloat();
    case CellType::Blob: return asBytes();
    case CellType::Text: return asString();
    }
    return {};
}

// ---- Dataset ----

Dataset::Dataset(Connection* connection, QObject* parent) : QObject(parent), m_conn(connection) {}

Dataset::~Dataset() = default;

void Dataset::setSql(const QString& sql)
{
    close();
    m_sql = sql;
}

void Dataset::open()
{
    close();
    Q_EMIT aboutToReset();
    try {
        m_conn->fetch(m_sql, m_params, m_rows);
    } catch (...) {
        m_rows.clear();
        Q_EMIT resetDone();
        throw;
    }
    m_order.resize(std::size_t(m_rows.rowCount()));
    std::iota(m_order.begin(), m_order.end(), 0);
    m_open = true;
    m_current = 0;
    m_bof = true;
    m_eof = m_order.empty();
    // A re-run statement comes back in its own order: a sort lasts until the query is opened again.
    m_sort.clear();
    Q_EMIT resetDone();
    Q_EMIT afterOpen();
    Q_EMIT afterScroll();
}

void Dataset::close()
{
    if (!m_open)
        return;
    Q_EMIT aboutToReset();
    m_open = false;
    m_editing = false;
    m_pending.clear();
    m_rows.clear();
    m_order.clear();
    m_order.shrink_to_fit();
    m_current = 0;
    m_bof = m_eof = true;
    Q_EMIT resetDone();
    Q_EMIT afterClose();
}

qint64 Dataset::execSql()
{
    close();
    return m_conn->exec(m_sql, m_params);
}

void Dataset::setCurrent(int position)
{
    if (m_editing)
        post();
    const int old = m_current;
    m_current = std::clamp(position, 0, std::max(0, recordCount() - 1));
    if (old != m_current)
        Q_EMIT afterScroll();
}

void Dataset::first()
{
    setCurrent(0);
    m_bof = true;
    m_eof = isEmpty();
}

void Dataset::last()
{
    setCurrent(recordCount() - 1);
    m_eof = true;
    m_bof = isEmpty();
}

void Dataset::next()
{
    if (m_current + 1 >= recordCount()) {
        m_eof = true;
        return;
    }
    m_bof = false;
    setCurrent(m_current + 1);
}

void Dataset::prior()
{
    if (m_current <= 0) {
        m_bof = true;
        return;
    }
    m_eof = false;
    setCurrent(m_current - 1);
}

bool Dataset::moveTo(int position)
{
    if (position < 0 || position >= recordCount())
        return false;
    m_bof = m_eof = false;
    setCurrent(position);
    return true;
}

QString Dataset::fieldName(int column) const
{
    return m_rows.fields().value(column).name;
}

FieldKind Dataset::fieldKind(int column) const
{
    return m_rows.fields().value(column).kind;
}

int Dataset::fieldIndex(const QString& name) const
{
    const QList<FieldInfo>& fields = m_rows.fields();
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

Field Dataset::field(const QString& name) const
{
    const int column = fieldIndex(name);
    if (column < 0)
        throw DbError(QStringLiteral("no field ") + name);
    return field(column);
}

Field Dataset::field(int column) const
{
    if (isEmpty() || column < 0 || column >= fieldCount())
        throw DbError(QStringLiteral("no current row"));
    return Field(this, storeRow(m_current), column);
}

Field Dataset::cell(int position, int column) const
{
    return Field(this, storeRow(position), column);
}

bool Dataset::locate(const QString& fieldName, const QVariant& value, LocateOptions options)
{
    const int column = fieldIndex(fieldName);
    if (column < 0)
        throw DbError(QStringLiteral("no field ") + fieldName);
    const QString wanted = value.toString();
    const Qt::CaseSensitivity cs = options.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const bool numeric = fieldKind(column) == FieldKind::Integer
                         || fieldKind(column) == FieldKind::Float;
    bool isNumber = false;
    const double wantedNumber = wanted.toDouble(&isNumber);
    for (int p = 0; p < recordCount(); ++p) {
        const Field f = cell(p, column);
        bool match;
        if (value.isNull())
            match = f.isNull();
        else if (numeric && isNumber && !options.partialKey)
            match = !f.isNull() && f.asFloat() == wantedNumber;
        else if (options.partialKey)
            match = f.asString().startsWith(wanted, cs);
        else
            match = f.asString().compare(wanted, cs) == 0;
        if (match) {
            m_bof = m_eof = false;
            setCurrent(p);
            return true;
        }
    }
    return false;
}

void Dataset::setSort(const QString& sortText)
{
    struct Key
    {
        int column;
        bool descending;
    };
    QList<Key> keys;
    static const QRegularExpression itemPattern(
        QStringLiteral(R"(^\s*([^\s,]+)(?:\s+(asc|desc))?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    for (const QString& item : sortText.split(u',', Qt::SkipEmptyParts)) {
        const auto m = itemPattern.match(item);
        if (!m.hasMatch())
            throw DbError(QStringLiteral("bad sort item: ") + item);
        const int column = fieldIndex(m.captured(1));
        if (column < 0)
            throw DbError(QStringLiteral("no field ") + m.captured(1));
        keys.append({column, m.captured(2).compare(u"desc", Qt::CaseInsensitive) == 0});
    }

    const int currentRow = isEmpty() ? -1 : storeRow(m_current);
    Q_EMIT aboutToReset();
    std::iota(m_order.begin(), m_order.end(), 0);
    if (!keys.isEmpty() && m_order.size() > 1) {
        // Text is compared by sort keys made once per row: Chinese by pinyin, Latin letters
        // without case, as the server's collation does.
        QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        collator.setNumericMode(false);
        std::vector<std::vector<QCollatorSortKey>> textKeys(std::size_t(keys.size()));
        for (int k = 0; k < keys.size(); ++k) {
            const FieldKind kind = fieldKind(keys[k].column);
            if (kind == FieldKind::Integer || kind == FieldKind::Float)
                continue;
            auto& column = textKeys[std::size_t(k)];
            column.reserve(m_order.size());
            for (int r = 0; r < m_rows.rowCount(); ++r)
                column.push_back(collator.sortKey(Field(this, r, keys[k].column).asString()));
        }
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
            for (int k = 0; k < keys.size(); ++k) {
                const int column = keys[k].column;
                const Field fa(this, a, column);
                const Field fb(this, b, column);
                int c;
                if (fa.isNull() || fb.isNull()) {
                    c = int(!fa.isNull()) - int(!fb.isNull());
                } else if (textKeys[std::size_t(k)].empty()) {
                    const double x = fa.asFloat(), y = fb.asFloat();
                    c = x < y ? -1 : (x > y ? 1 : 0);
                } else {
                    c = textKeys[std::size_t(k)][std::size_t(a)].compare(
                        textKeys[std::size_t(k)][std::size_t(b)]);
                }
                if (c != 0)
                    return keys[k].descending ? c > 0 : c < 0;
            }
            return false;
        });
    }
    m_sort = sortText.trimmed();
    if (currentRow >= 0)
        m_current = int(std::find(m_order.begin(), m_order.end(), currentRow) - m_order.begin());
    Q_EMIT resetDone();
}

void Dataset::edit()
{
    if (isEmpty())
        throw DbError(QStringLiteral("no current row to edit"));
    m_editing = true;
}

void Dataset::setValue(const QString& fieldName, const QVariant& value)
{
    if (!m_editing)
        throw DbError(QStringLiteral("the dataset is not being edited"));
    const int column = fieldIndex(fieldName);
    if (column < 0)
        throw DbError(QStringLiteral("no field ") + fieldName);
    m_pending.insert(column, value);
}

QString Dataset::updateTable() const
{
    if (!m_updateTable.isEmpty())
        return m_updateTable;
    static const QRegularExpression fromPattern(QStringLiteral(R"(\bfrom\s+([A-Za-z_]\w*))"),
                                                QRegularExpression::CaseInsensitiveOption);
    const QString masked = sqltext::maskedCode(m_sql, sqltext::split(m_sql));
    return fromPattern.match(masked).captured(1);
}

void Dataset::post()
{
    if (!m_editing)
        return;
    const QHash<int, QVariant> pending = std::exchange(m_pending, {});
    m_editing = false;
    if (pending.isEmpty())
        return;
    const int idColumn = fieldIndex(QStringLiteral("F_ID"));
    const QString table = updateTable();
    if (idColumn < 0 || table.isEmpty())
        throw DbError(QStringLiteral("rows of this list cannot be changed"));

    QStringList assignments;
    Params params;
    for (auto it = pending.cbegin(); it != pending.cend(); ++it) {
        const QString name = QStringLiteral("v%1").arg(it.key());
        assignments.append(fieldName(it.key()) + QStringLiteral(" = :") + name);
        params.set(name, it.value());
    }
    const int row = storeRow(m_current);
    params.set(QStringLiteral("eq_row_id"), Field(this, row, idColumn).asInteger());
    m_conn->exec(QStringLiteral("update ") + table + QStringLiteral(" set ")
                     + assignments.join(QStringLiteral(", "))
                     + QStringLiteral(" where F_ID = :eq_row_id"),
                 params);

    for (auto it = pending.cbegin(); it != pending.cend(); ++it) {
        const QVariant& v = it.value();
        CellType type = CellType::Text;
        QByteArray bytes;
        if (v.isNull()) {
            type = CellType::Null;
        } else {
            switch (fieldKind(it.key())) {
            case FieldKind::Integer: {
                type = CellType::Integer;
                const qint64 n = v.toLongLong();
                bytes = QByteArray(reinterpret_cast<const char*>(&n), sizeof n);
                break;
            }
            case FieldKind::Float: {
                type = CellType::Float;
                const double d = v.toDouble();
                bytes = QByteArray(reinterpret_cast<const char*>(&d), sizeof d);
                break;
            }
            case FieldKind::DateTime:
                bytes = (v.typeId() == QMetaType::QString) ? v.toString().toUtf8()
                                                            : dateTimeText(v);
                break;
            case FieldKind::Blob:
                type = CellType::Blob;
                bytes = v.toByteArray();
                break;
            case FieldKind::Text: bytes = v.toString().toUtf8(); break;
            }
        }
        m_rows.setCell(row, it.key(), type, bytes);
    }
    Q_EMIT rowChanged(m_current);
}

void Dataset::cancel()
{
    m_editing = false;
    m_pending.clear();
}

void Dataset::setMaster(Dataset* master, const QString& masterField, const QString& paramName)
{
    disconnect(m_masterScroll);
    disconnect(m_masterClose);
    m_master = master;
    m_masterField = masterField;
    m_masterParam = paramName;
    if (!master)
        return;
    m_masterScroll = connect(master, &Dataset::afterScroll, this, &Dataset::followMaster);
    m_masterClose = connect(master, &Dataset::afterClose, this, &Dataset::close);
}

void Dataset::followMaster()
{
    if (!m_master)
        return;
    QVariant key;
    if (m_master->isOpen() && !m_master->isEmpty())
        key = m_master->field(m_masterField).asVariant();
    setParam(m_masterParam, key);
    try {
        open();
    } catch (const DbError& e) {
        Q_EMIT linkFailed(e.message());
    }
}

std::size_t Dataset::memoryBytes() const
{
    return m_rows.memoryBytes() + m_order.capacity() * sizeof(int);
}

} // namespace db
