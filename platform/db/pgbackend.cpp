#include "backend_p.h"
#include "dberror.h"

#include <QSqlDriver>
#include <cstdlib>
#include <libpq-fe.h>

namespace db {

namespace {

// Type OIDs of the built-in types whose text needs converting.
enum : Oid {
    BoolOid = 16, ByteaOid = 17, Int8Oid = 20, Int2Oid = 21, Int4Oid = 23, OidOid = 26,
    Float4Oid = 700, Float8Oid = 701, DateOid = 1082, TimeOid = 1083, TimestampOid = 1114,
    TimestampTzOid = 1184, NumericOid = 1700,
};

FieldKind kindOfType(Oid type)
{
    switch (type) {
    case BoolOid: case Int8Oid: case Int2Oid: case Int4Oid: case OidOid:
        return FieldKind::Integer;
    case Float4Oid: case Float8Oid: case NumericOid:
        return FieldKind::Float;
    case DateOid: case TimeOid: case TimestampOid: case TimestampTzOid:
        return FieldKind::DateTime;
    case ByteaOid:
        return FieldKind::Blob;
    default:
        return FieldKind::Text;
    }
}

struct Result
{
    explicit Result(PGresult* r) : r(r) {}
    ~Result() { PQclear(r); }
    PGresult* r;
};

class PostgresBackend final : public Backend_
{
public:
    explicit PostgresBackend(QSqlDatabase qdb) : m_qdb(std::move(qdb))
    {
        const QVariant handle = m_qdb.driver()->handle();
        if (handle.isValid() && (qstrcmp(handle.typeName(), "PGconn*") == 0 || qstrcmp(handle.typeName(), "pg_conn*") == 0))
            m_conn = *static_cast<PGconn* const*>(handle.constData());
        if (!m_conn)
            throw DbError(QStringLiteral("the PostgreSQL driver gave no handle"));
        applySessionSettings();
    }

    pg_conn* postgresHandle() const override { return m_conn; }
    bool isAlive() const override { return PQstatus(m_conn) == CONNECTION_OK; }
    bool lostConnection() const override { return !isAlive(); }

    void ensureAlive() override
    {
        if (isAlive())
            return;
        PQreset(m_conn);
        if (!isAlive())
            throw DbError(QString::fromUtf8(PQerrorMessage(m_conn)));
        applySessionSettings();
    }

    void fetch(const QString& sql, const QVariantList& params, RowStore& rows) override
    {
        Result res(run(sql, params));
        const ExecStatusType status = PQresultStatus(res.r);
        if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK)
            throw DbError(errorText(res.r));

        const int columns = PQnfields(res.r);
        QList<FieldInfo> fields;
        QList<Oid> types;
        for (int c = 0; c < columns; ++c) {
            types.append(PQftype(res.r, c));
            fields.append({QString::fromUtf8(PQfname(res.r, c)), kindOfType(types.last())});
        }
        rows.reset(std::move(fields));
        const int count = PQntuples(res.r);
        QByteArray buffer;
        for (int r = 0; r < count; ++r) {
            rows.beginRow();
            for (int c = 0; c < columns; ++c) {
                if (PQgetisnull(res.r, r, c)) {
                    rows.addNull();
                    continue;
                }
                const char* text = PQgetvalue(res.r, r, c);
                const int length = PQgetlength(res.r, r, c);
                switch (types[c]) {
                case BoolOid: rows.addInteger(text[0] == 't' ? 1 : 0); break;
                case Int8Oid: case Int2Oid: case Int4Oid: case OidOid:
                    rows.addInteger(std::strtoll(text, nullptr, 10));
                    break;
                case Float4Oid: case Float8Oid: case NumericOid:
                    rows.addFloat(std::strtod(text, nullptr));
                    break;
                case DateOid: case TimestampOid: case TimestampTzOid: {
                    const QByteArrayView t = normalizedDateText(QByteArrayView(text, length), buffer);
                    rows.addCell(CellType::Text, t.data(), std::size_t(t.size()));
                    break;
                }
                case ByteaOid: {
                    std::size_t size = 0;
                    unsigned char* bytes =
                        PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &size);
                    rows.addCell(CellType::Blob, bytes, size);
                    PQfreemem(bytes);
                    break;
                }
                default: rows.addCell(CellType::Text, text, std::size_t(length)); break;
                }
            }
            rows.endRow();
        }
    }

    qint64 exec(const QString& sql, const QVariantList& params) override
    {
        Result res(run(sql, params));
        const ExecStatusType status = PQresultStatus(res.r);
        if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK)
            throw DbError(errorText(res.r));
        return QByteArray(PQcmdTuples(res.r)).toLongLong();
    }

private:
    PGresult* run(const QString& sql, const QVariantList& params)
    {
        const QByteArray text = sql.toUtf8();
        if (params.isEmpty()) {
            // Without parameters several statements may be sent at once.
            return PQexec(m_conn, text.constData());
        }
        QList<QByteArray> storage;
        std::vector<const char*> values;
        std::vector<int> lengths;
        std::vector<int> formats;
        std::vector<Oid> types;
        storage.reserve(params.size());
        for (const QVariant& v : params) {
            Oid type = 0;
            int format = 0;
            if (v.isNull()) {
                storage.append(QByteArray());
                values.push_back(nullptr);
                lengths.push_back(0);
                formats.push_back(0);
                types.push_back(0);
                continue;
            }
            switch (v.typeId()) {
            case QMetaType::Bool: storage.append(v.toBool() ? "1" : "0"); break;
            case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong:
            case QMetaType::ULongLong:
                storage.append(QByteArray::number(v.toLongLong()));
                break;
            case QMetaType::Double: case QMetaType::Float:
                storage.append(QByteArray::number(v.toDouble(), 'g', 17));
                break;
            case QMetaType::QByteArray:
                storage.append(v.toByteArray());
                type = ByteaOid;
                format = 1;
                break;
            case QMetaType::QDate: case QMetaType::QDateTime:
                storage.append(dateTimeText(v));
                break;
            default: storage.append(v.toString().toUtf8()); break;
            }
            values.push_back(storage.last().constData());
            lengths.push_back(int(storage.last().size()));
            formats.push_back(format);
            types.push_back(type);
        }
        return PQexecParams(m_conn, text.constData(), int(params.size()), types.data(),
                            values.data(), lengths.data(), formats.data(), 0);
    }

    QString errorText(const PGresult* r) const
    {
        const char* message = r ? PQresultErrorMessage(r) : nullptr;
        if (!message || !*message)
            message = PQerrorMessage(m_conn);
        return QString::fromUtf8(message).trimmed();
    }

    void applySessionSettings()
    {
        Result res(PQexec(m_conn, "set datestyle to ISO, YMD; set client_encoding to 'UTF8'; "
                                  "set standard_conforming_strings to on; "
                                  "set client_min_messages to warning"));
        if (PQresultStatus(res.r) != PGRES_COMMAND_OK)
            throw DbError(errorText(res.r));
    }

    QSqlDatabase m_qdb;
    PGconn* m_conn = nullptr;
};

} // namespace

std::unique_ptr<Backend_> makePostgresBackend(QSqlDatabase db)
{
    return std::make_unique<PostgresBackend>(std::move(db));
}

} // namespace db
