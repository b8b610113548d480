#include "dmdata.h"

#include "dberror.h"
#include "corva.h"
#include "sqlquote.h"
#include "appvalues.h"

#include <QComboBox>
#include <QDateTime>

namespace data {

TdmData* dmData = nullptr;

namespace {

const QString DeleteFailed = QStringLiteral("删除操作失败，请检查数据连接... ");
const QString OperationFailed = QStringLiteral("操作失败，请检查数据连接... ");
const QString OpenFailed = QStringLiteral("打开操作失败，请检查数据连接... ");

} // namespace

TdmData::TdmData(QObject* parent)
    : QObject(parent),
      QryPub(&ADOcnn),
      QryTemp(&ADOcnn)
{
    setObjectName(QStringLiteral("dmData"));
    QryPub.setObjectName(QStringLiteral("QryPub"));
    QryTemp.setObjectName(QStringLiteral("QryTemp"));
}

TdmData::~TdmData()
{
    if (dmData == this)
        dmData = nullptr;
}

void TdmData::prepare(db::Dataset& query, const QString& sql)
{
    query.close();
    query.clearParams();
    query.setSql(sql);
}

bool TdmData::DeleteById(const QString& table, qint64 id)
{
    try {
        prepare(QryPub, QStringLiteral("delete from ") + table + QStringLiteral(" where F_ID = ")
                            + QString::number(id));
        QryPub.execSql();
        return true;
    } catch (const db::DbError&) {
        corva::ShowMess(DeleteFailed, corva::Error);
        return false;
    }
}

bool TdmData::ExecSql(const QString& sql)
{
    try {
        prepare(QryPub, sql);
        QryPub.execSql();
        return true;
    } catch (const db::DbError&) {
        corva::ShowMess(OperationFailed, corva::Error);
        return false;
    }
}

QString TdmData::LookupText(const QString& sql)
{
    try {
        prepare(QryTemp, sql);
        QryTemp.open();
        if (QryTemp.isEmpty() || QryTemp.fieldCount() == 0)
            return QString();
        return QryTemp.field(0).asString();
    } catch (const db::DbError&) {
        corva::ShowMess(OperationFailed, corva::Error);
        return QString();
    }
}

qint64 TdmData::LookupInt(const QString& sql)
{
    try {
        prepare(QryTemp, sql);
        QryTemp.open();
        if (QryTemp.isEmpty() || QryTemp.fieldCount() == 0)
            return 0;
        return QryTemp.field(0).asInteger();
    } catch (const db::DbError&) {
        corva::ShowMess(OperationFailed, corva::Error);
        return 0;
    }
}

bool TdmData::OpenQuery(const QString& sql, db::Dataset& query)
{
    try {
        prepare(query, sql);
        query.open();
        return true;
    } catch (const db::DbError&) {
        query.close();
        corva::ShowMess(OpenFailed, corva::Error);
        return false;
    }
}

void TdmData::FillPickList(const QString& sql, QComboBox* list)
{
    QStringList items;
    try {
        prepare(QryTemp, sql);
        QryTemp.open();
        for (QryTemp.first(); !QryTemp.eof() && QryTemp.fieldCount() > 0; QryTemp.next()) {
            const QString text = QryTemp.field(0).asString();
            if (!text.trimmed().isEmpty())
                items.append(text);
        }
    } catch (const db::DbError&) {
        corva::ShowMess(OperationFailed, corva::Error);
        return;
    }
    // Replacing the items of an editable box would also replace what the user has typed.
    const QString typed = list->currentText();
    const QSignalBlocker blocker(list);
    list->clear();
    list->addItems(items);
    if (list->isEditable())
        list->setEditText(typed);
    else
        list->setCurrentIndex(list->findText(typed));
}

void TdmData::WriteLog(const QString& operation)
{
    try {
        const QDateTime now = QDateTime::currentDateTime();
        prepare(QryTemp, QStringLiteral("insert into LogRec(F_EmpName,F_OperType,F_OperDate,"
                                        "F_OperTime) values(:EmpName,:OperType,:OperDate,"
                                        ":OperTime)"));
        QryTemp.setParam(QStringLiteral("EmpName"), app::CurrentOperator);
        QryTemp.setParam(QStringLiteral("OperType"), operation);
        QryTemp.setParam(QStringLiteral("OperDate"), now.date().toString(u"yyyy-MM-dd"));
        QryTemp.setParam(QStringLiteral("OperTime"), now.time().toString(u"hh:mm:ss"));
        QryTemp.execSql();
    } catch (const db::DbError&) {
        // A lost log row must never disturb the login it records.
    }
}

bool TdmData::HasRight(const QString& code)
{
    const QString sql =
        QStringLiteral("Select o.F_ID from OperLimit as O left join Limits as l On O.F_lmtName = "
                       "L.F_name Where (O.F_OperName = '")
        + db::sqlValue(app::CurrentOperator) + QStringLiteral("')And(l.F_code = '")
        + db::sqlValue(code) + QStringLiteral("') ");
    return LookupInt(sql) > 0;
}

} // namespace data
