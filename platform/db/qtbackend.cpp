#include "backend_p.h"
#include "dberror.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace db {

namespace {

FieldKind kindOfMetaType(int type)
{
    switch (type) {
    case QMetaType::Bool: case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong:
    case QMetaType::ULongLong: case QMetaType::Short: case QMetaType::UShort:
        return FieldKind::Integer;
    case QMetaType::Double: case QMetaType::Float:
        return FieldKind::Float;
    case QMetaType::QDate: case QMetaType::QDateTime: case QMetaType::QTime:
        return FieldKind::DateTime;
    case QMetaType::QByteArray:
        return FieldKind::Blob;
    default:
        return FieldKind::Text;
    }
}

/// Any backend through Qt's own query object; used for SQL Server over ODBC.
class QtBackend final : public Backend_
{
public:
    explicit QtBackend(QSqlDatabase qdb) : m_qdb(std::move(qdb)) {}

    bool isAlive() const override { return m_qdb.isOpen(); }

    void fetch(const QString& sql, const QVariantList& params, RowStore& rows) override
    {
        QSqlQuery q = run(sql, params);
        const QSqlRecord record = q.record();
        QList<FieldInfo> fields;
        for (int c = 0; c < record.count(); ++c)
            fields.append({record.fieldName(c), kindOfMetaType(record.field(c).metaType().id())});
        rows.reset(fields);
        while (q.next()) {
            rows.beginRow();
            for (int c = 0; c < fields.size(); ++c) {
                const QVariant v = q.value(c);
                if (v.isNull()) {
                    rows.addNull();
                    continue;
                }
                switch (fields[c].kind) {
                case FieldKind::Integer: rows.addInteger(v.toLongLong()); break;
                case FieldKind::Float: rows.addFloat(v.toDouble()); break;
                case FieldKind::DateTime: {
                    const QByteArray t = dateTimeText(v);
                    rows.addCell(CellType::Text, t.constData(), std::size_t(t.size()));
                    break;
                }
                case FieldKind::Blob: {
                    const QByteArray b = v.toByteArray();
                    rows.addCell(CellType::Blob, b.constData(), std::size_t(b.size()));
                    break;
                }
                case FieldKind::Text: {
                    const QByteArray t = v.toString().toUtf8();
                    rows.addCell(CellType::Text, t.constData(), std::size_t(t.size()));
                    break;
                }
                }
            }
            rows.endRow();
        }
    }

    qint64 exec(const QString& sql, const QVariantList& params) override
    {
        return run(sql, params).numRowsAffected();
    }

private:
    QSqlQuery run(const QString& sql, const QVariantList& params)
    {
        QSqlQuery q(m_qdb);
        q.setForwardOnly(true);
        bool ok;
        if (params.isEmpty()) {
            ok = q.exec(sql);
        } else {
            ok = q.prepare(sql);
            for (const QVariant& v : params)
                q.addBindValue(v);
            ok = ok && q.exec();
        }
        if (!ok)
            throw DbError(q.lastError().text());
        return q;
    }

    QSqlDatabase m_qdb;
};

} // namespace

std::unique_ptr<Backend_> makeQtBackend(QSqlDatabase db)
{
    return std::make_unique<QtBackend>(std::move(db));
}

} // namespace db
