#include "backend_p.h"
#include "dberror.h"

#include <QSqlDriver>
#include <sqlite3.h>

namespace db {

namespace {

FieldKind kindOfDeclaredType(const char* declared)
{
    if (!declared)
        return FieldKind::Text;
    const QByteArray t = QByteArray(declared).toLower();
    if (t.contains("date") || t.contains("time"))
        return FieldKind::DateTime;
    if (t.contains("int") || t == "bit")
        return FieldKind::Integer;
    if (t.contains("floa") || t.contains("real") || t.contains("doub"))
        return FieldKind::Float;
    if (t.contains("blob") || t.contains("image"))
        return FieldKind::Blob;
    return FieldKind::Text;
}

FieldKind kindOfCell(int type)
{
    switch (type) {
    case SQLITE_INTEGER: return FieldKind::Integer;
    case SQLITE_FLOAT: return FieldKind::Float;
    case SQLITE_BLOB: return FieldKind::Blob;
    default: return FieldKind::Text;
    }
}

class Statement
{
public:
    ~Statement() { sqlite3_finalize(m_stmt); }
    sqlite3_stmt* m_stmt = nullptr;
};

class SqliteBackend final : public Backend_
{
public:
    explicit SqliteBackend(QSqlDatabase qdb) : m_qdb(std::move(qdb))
    {
        const QVariant handle = m_qdb.driver()->handle();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
            m_db = *static_cast<sqlite3* const*>(handle.constData());
        if (!m_db)
            throw DbError(QStringLiteral("the SQLite driver gave no handle"));
        sqlite3_extended_result_codes(m_db, 1);
    }

    sqlite3* sqliteHandle() const override { return m_db; }
    bool isAlive() const override { return true; }

    void fetch(const QString& sql, const QVariantList& params, RowStore& rows) override
    {
        const QByteArray text = sql.toUtf8();
        Statement st;
        const char* tail = nullptr;
        check(sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &st.m_stmt, &tail));
        if (!st.m_stmt)
            throw DbError(QStringLiteral("empty statement"));
        bind(st.m_stmt, params);

        const int columns = sqlite3_column_count(st.m_stmt);
        QList<FieldInfo> fields;
        QList<bool> declared;
        fields.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            const char* decl = sqlite3_column_decltype(st.m_stmt, c);
            fields.append({QString::fromUtf8(sqlite3_column_name(st.m_stmt, c)),
                           kindOfDeclaredType(decl)});
            declared.append(decl != nullptr);
        }
        rows.reset(std::move(fields));
        int undeclared = int(std::count(declared.cbegin(), declared.cend(), false));

        for (;;) {
            const int rc = sqlite3_step(st.m_stmt);
            if (rc == SQLITE_DONE)
                break;
            if (rc != SQLITE_ROW)
                throw DbError(QString::fromUtf8(sqlite3_errmsg(m_db)));
            rows.beginRow();
            for (int c = 0; c < columns; ++c) {
                const int type = sqlite3_column_type(st.m_stmt, c);
                switch (type) {
                case SQLITE_INTEGER: rows.addInteger(sqlite3_column_int64(st.m_stmt, c)); break;
                case SQLITE_FLOAT: rows.addFloat(sqlite3_column_double(st.m_stmt, c)); break;
                case SQLITE_NULL: rows.addNull(); break;
                case SQLITE_BLOB: {
                    const void* data = sqlite3_column_blob(st.m_stmt, c);
                    rows.addCell(CellType::Blob, data, std::size_t(sqlite3_column_bytes(st.m_stmt, c)));
                    break;
                }
                default: {
                    const unsigned char* data = sqlite3_column_text(st.m_stmt, c);
                    rows.addCell(CellType::Text, data, std::size_t(sqlite3_column_bytes(st.m_stmt, c)));
                    break;
                }
                }
                // A computed column has no declared type: the first value tells its kind.
                if (undeclared > 0 && !declared[c] && type != SQLITE_NULL) {
                    rows.fields()[c].kind = kindOfCell(type);
                    declared[c] = true;
                    --undeclared;
                }
            }
            rows.endRow();
        }
    }

    qint64 exec(const QString& sql, const QVariantList& params) override
    {
        const QByteArray text = sql.toUtf8();
        const char* next = text.constData();
        const char* end = next + text.size();
        qint64 changed = 0;
        bool first = true;
        while (next < end) {
            Statement st;
            const char* tail = nullptr;
            check(sqlite3_prepare_v2(m_db, next, int(end - next), &st.m_stmt, &tail));
            next = tail;
            if (!st.m_stmt)
                continue; // blanks or a lone ';'
            if (first)
                bind(st.m_stmt, params);
            first = false;
            int rc;
            while ((rc = sqlite3_step(st.m_stmt)) == SQLITE_ROW) {
            }
            if (rc != SQLITE_DONE)
                throw DbError(QString::fromUtf8(sqlite3_errmsg(m_db)));
            changed += sqlite3_changes(m_db);
        }
        return changed;
    }

private:
    void check(int rc) const
    {
        if (rc != SQLITE_OK)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(m_db)));
    }

    void bind(sqlite3_stmt* st, const QVariantList& params) const
    {
        for (int i = 0; i < params.size(); ++i) {
            const QVariant& v = params[i];
            const int at = i + 1;
            int rc = SQLITE_OK;
            if (v.isNull()) {
                rc = sqlite3_bind_null(st, at);
            } else {
                switch (v.typeId()) {
                case QMetaType::Bool:
                case QMetaType::Int:
                case QMetaType::UInt:
                case QMetaType::LongLong:
                case QMetaType::ULongLong:
                    rc = sqlite3_bind_int64(st, at, v.toLongLong());
                    break;
                case QMetaType::Double:
                case QMetaType::Float:
                    rc = sqlite3_bind_double(st, at, v.toDouble());
                    break;
                case QMetaType::QByteArray: {
                    const QByteArray b = v.toByteArray();
                    rc = sqlite3_bind_blob64(st, at, b.constData(), sqlite3_uint64(b.size()),
                                             SQLITE_TRANSIENT);
                    break;
                }
                case QMetaType::QDate:
                case QMetaType::QDateTime: {
                    const QByteArray t = dateTimeText(v);
                    rc = sqlite3_bind_text(st, at, t.constData(), int(t.size()), SQLITE_TRANSIENT);
                    break;
                }
                default: {
                    const QByteArray t = v.toString().toUtf8();
                    rc = sqlite3_bind_text(st, at, t.constData(), int(t.size()), SQLITE_TRANSIENT);
                    break;
                }
                }
            }
            check(rc);
        }
    }

    QSqlDatabase m_qdb;
    sqlite3* m_db = nullptr;
};

} // namespace

std::unique_ptr<Backend_> makeSqliteBackend(QSqlDatabase db)
{
    return std::make_unique<SqliteBackend>(std::move(db));
}

} // namespace db
