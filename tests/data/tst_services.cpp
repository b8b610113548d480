#include "tst_services.h"

#include "appvalues.h"
#include "connection.h"
#include "corva.h"
#include "dataset.h"
#include "dberror.h"
#include "dmdata.h"
#include "schema.h"
#include "scriptedmessages.h"
#include "sqlquote.h"
#include "testdb.h"

#include <QComboBox>
#include <QDateTime>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using corva::ScriptedMessages;
using corva::ShownMessage;

namespace {

const QString DeleteFailed = QStringLiteral("删除操作失败，请检查数据连接... ");
const QString OperationFailed = QStringLiteral("操作失败，请检查数据连接... ");
const QString OpenFailed = QStringLiteral("打开操作失败，请检查数据连接... ");

// The messages a service is expected to show: none, or one error with the text.
QList<ShownMessage> errorMessages(const QString& text)
{
    if (text.isEmpty())
        return {};
    return {ShownMessage{text, corva::Error}};
}

QStringList sorted(QStringList list)
{
    std::sort(list.begin(), list.end());
    return list;
}

} // namespace

TstServices::TstServices() = default;
TstServices::~TstServices() = default;

void TstServices::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_dm = std::make_unique<data::TdmData>();
    try {
        m_dm->ADOcnn.open(eqtest::freshDatabase(*m_dir));
        data::createSchema(m_dm->ADOcnn);
    } catch (const db::DbError& e) {
        QFAIL(qPrintable(e.message()));
    }
    m_dm->IsConnected = true;
    app::CurrentOperator.clear();
}

void TstServices::cleanup()
{
    m_dm.reset();
    app::CurrentOperator.clear();
}

void TstServices::insertCode(const QString& type, const QString& name)
{
    db::Params p;
    p.set(QStringLiteral("type"), type);
    p.set(QStringLiteral("name"), name);
    m_dm->ADOcnn.exec(QStringLiteral("insert into t_code(F_type,F_name) values(:type,:name)"), p);
}

qint64 TstServices::codeCount()
{
    db::Dataset q(&m_dm->ADOcnn);
    q.setSql(QStringLiteral("select count(*) from t_code"));
    q.open();
    return q.field(0).asInteger();
}

void TstServices::lookupInt_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<qint64>("expected");
    QTest::addColumn<QString>("message");

    QTest::newRow("first column of the first row")
        << "select F_ID, F_name from t_code where F_name = 'b' " << qint64(2) << "";
    QTest::newRow("count") << "select count(*) from t_code where F_type = '状态' " << qint64(3)
                           << "";
    QTest::newRow("no row") << "select F_ID from t_code where F_name = 'none' " << qint64(0)
                            << "";
    QTest::newRow("NULL") << "select max(F_ID) from t_code where F_name = 'none' " << qint64(0)
                          << "";
    QTest::newRow("syntax error") << "selec F_ID frm t_code " << qint64(0) << OperationFailed;
    QTest::newRow("missing table") << "select F_ID from NoSuchTable " << qint64(0)
                                   << OperationFailed;
}

void TstServices::lookupInt()
{
    QFETCH(QString, sql);
    QFETCH(qint64, expected);
    QFETCH(QString, message);
    for (const char* name : {"a", "b", "c"})
        insertCode(QStringLiteral("状态"), QString::fromLatin1(name));

    ScriptedMessages messages;
    QCOMPARE(m_dm->LookupInt(sql), expected);
    QCOMPARE(messages.log(), errorMessages(message));
}

void TstServices::lookupText_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("message");

    QTest::newRow("text kept untrimmed") << "select F_name from t_code where F_ID = 1 "
                                         << " 在用 " << "";
    QTest::newRow("number as text") << "select F_ID from t_code where F_ID = 1 " << "1" << "";
    QTest::newRow("NULL") << "select F_type from t_code where F_ID = 2 " << "" << "";
    QTest::newRow("no row") << "select F_name from t_code where F_ID = 99 " << "" << "";
    QTest::newRow("isNull translated")
        << "select isNull(F_type, '无') from t_code where F_ID = 2 " << "无" << "";
    QTest::newRow("syntax error") << "select F_name from t_code where " << "" << OperationFailed;
}

void TstServices::lookupText()
{
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    QFETCH(QString, message);
    insertCode(QStringLiteral("状态"), QStringLiteral(" 在用 "));
    m_dm->ADOcnn.exec(QStringLiteral("insert into t_code(F_name) values('无类型')"));

    ScriptedMessages messages;
    QCOMPARE(m_dm->LookupText(sql), expected);
    QCOMPARE(messages.log(), errorMessages(message));
}

void TstServices::execAndDelete_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<qint64>("id");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("rowsLeft");
    QTest::addColumn<QString>("message");

    QTest::newRow("existing row") << "t_code" << qint64(2) << true << qint64(2) << "";
    QTest::newRow("table name in other case") << "T_CODE" << qint64(1) << true << qint64(2)
                                              << "";
    QTest::newRow("no such key") << "t_code" << qint64(42) << true << qint64(3) << "";
    QTest::newRow("missing table") << "NoSuchTable" << qint64(1) << false << qint64(3)
                                   << DeleteFailed;
}

void TstServices::execAndDelete()
{
    QFETCH(QString, table);
    QFETCH(qint64, id);
    QFETCH(bool, ok);
    QFETCH(qint64, rowsLeft);
    QFETCH(QString, message);

    ScriptedMessages messages;
    const QString insert = QStringLiteral("insert into t_code(F_type,F_name) values('t','n') ");
    for (int i = 0; i < 3; ++i)
        QVERIFY(m_dm->ExecSql(insert));
    QVERIFY(messages.log().isEmpty());

    QCOMPARE(m_dm->DeleteById(table, id), ok);
    QCOMPARE(messages.log(), errorMessages(message));
    QCOMPARE(codeCount(), rowsLeft);
    if (ok)
        QCOMPARE(m_dm->LookupInt(QStringLiteral("select count(*) from t_code where F_ID = %1 ")
                                     .arg(id)),
                 qint64(0));

    messages.clear();
    QVERIFY(!m_dm->ExecSql(QStringLiteral("update t_code set F_nope = 1 ")));
    QCOMPARE(messages.log(), errorMessages(OperationFailed));
}

void TstServices::openQuery_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("message");

    QTest::newRow("list") << "select * from t_code where (1=1) and F_type = 'x' " << true << 2
                          << "";
    QTest::newRow("empty list") << "select * from t_code where (1=1) and F_type = 'y' " << true
                                << 0 << "";
    QTest::newRow("top translated") << "select top 1 * from t_code order by F_ID " << true << 1
                                    << "";
    QTest::newRow("unknown column") << "select * from t_code where F_nope = 1 " << false << 0
                                    << OpenFailed;
}

void TstServices::openQuery()
{
    QFETCH(QString, sql);
    QFETCH(bool, ok);
    QFETCH(int, rows);
    QFETCH(QString, message);
    insertCode(QStringLiteral("x"), QStringLiteral("1"));
    insertCode(QStringLiteral("x"), QStringLiteral("2"));

    db::Dataset query(&m_dm->ADOcnn);
    query.setSql(QStringLiteral("select * from t_code"));
    query.open();
    QCOMPARE(query.recordCount(), 2);

    ScriptedMessages messages;
    QCOMPARE(m_dm->OpenQuery(sql, query), ok);
    QCOMPARE(query.isOpen(), ok);
    QCOMPARE(query.recordCount(), rows);
    QCOMPARE(query.sql(), sql);
    QCOMPARE(messages.log(), errorMessages(message));
}

void TstServices::fillPickList()
{
    for (const QString& name :
         {QStringLiteral("A"), QString(), QStringLiteral("  "), QStringLiteral("B ")})
        insertCode(QStringLiteral("状态"), name);
    const QString sql = QStringLiteral("select F_name from t_code where F_type = '状态' "
                                       "order by F_ID ");

    QComboBox list;
    list.setEditable(true);
    list.addItems({QStringLiteral("old 1"), QStringLiteral("old 2")});
    list.setEditText(QStringLiteral("已输入"));

    ScriptedMessages messages;
    m_dm->FillPickList(sql, &list);
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items.append(list.itemText(i));
    QCOMPARE(items, (QStringList{QStringLiteral("A"), QStringLiteral("B ")}));
    QCOMPARE(list.currentText(), QStringLiteral("已输入"));
    QVERIFY(messages.log().isEmpty());

    m_dm->FillPickList(QStringLiteral("select F_nope from t_code "), &list);
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.itemText(1), QStringLiteral("B "));
    QCOMPARE(list.currentText(), QStringLiteral("已输入"));
    QCOMPARE(messages.log(), errorMessages(OperationFailed));
}

void TstServices::hasRight_data()
{
    QTest::addColumn<QString>("oper");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("expected");

    QTest::newRow("granted") << "张三" << "101" << true;
    QTest::newRow("granted by name, other code") << "张三" << "102" << false;
    QTest::newRow("right no longer in Limits") << "李四" << "101" << false;
    QTest::newRow("name compared without case") << "ADMIN2" << "101" << true;
    QTest::newRow("operator with a quote") << "O'Brien" << "101" << true;
    QTest::newRow("quote must not widen the match") << "x' or '1'='1" << "101" << false;
    QTest::newRow("nobody logged in") << "" << "101" << false;
}

void TstServices::hasRight()
{
    QFETCH(QString, oper);
    QFETCH(QString, code);
    QFETCH(bool, expected);

    auto exec = [this](const QString& sql) { m_dm->ADOcnn.exec(sql); };
    exec(QStringLiteral("insert into Limits(F_code,F_name,F_flag) values('101','设备增加',0)"));
    exec(QStringLiteral("insert into Limits(F_code,F_name,F_flag) values('102','设备修改',0)"));
    exec(QStringLiteral("insert into OperLimit(F_OperName,F_lmtName) values('张三','设备增加')"));
    exec(QStringLiteral("insert into OperLimit(F_OperName,F_lmtName) values('李四','已撤销')"));
    exec(QStringLiteral("insert into OperLimit(F_OperName,F_lmtName) values('admin2','设备增加')"));
    exec(QStringLiteral(
        "insert into OperLimit(F_OperName,F_lmtName) values('O''Brien','设备增加')"));

    app::CurrentOperator = oper;
    ScriptedMessages messages;
    QCOMPARE(m_dm->HasRight(code), expected);
    QVERIFY(messages.log().isEmpty());
}

void TstServices::writeLog_data()
{
    QTest::addColumn<QString>("oper");
    QTest::addColumn<QString>("operation");

    QTest::newRow("first login failed") << "" << "登录失败！";
    QTest::newRow("change of operator failed") << "张三" << "更换操作员失败！";
    QTest::newRow("quote in the name") << "O'Brien" << "更换操作员失败！";
}

void TstServices::writeLog()
{
    QFETCH(QString, oper);
    QFETCH(QString, operation);

    app::CurrentOperator = oper;
    ScriptedMessages messages;
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    m_dm->WriteLog(operation);
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    QVERIFY(messages.log().isEmpty());

    db::Dataset q(&m_dm->ADOcnn);
    q.setSql(QStringLiteral("select F_EmpName, F_OperType, F_OperDate, F_OperTime from LogRec"));
    q.open();
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(q.field(QStringLiteral("F_EmpName")).asString(), oper);
    QCOMPARE(q.field(QStringLiteral("F_OperType")).asString(), operation);
    const QString date = q.field(QStringLiteral("F_OperDate")).asString();
    const QString time = q.field(QStringLiteral("F_OperTime")).asString();
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d$")).match(date).hasMatch(),
             qPrintable(date));
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(time).hasMatch(),
             qPrintable(time));
    const QDateTime written =
        QDateTime::fromString(date + u' ' + time, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    QVERIFY2(written >= before && written <= after,
             qPrintable(date + u' ' + time));
}

void TstServices::writeLogFailsSilently()
{
    m_dm->ADOcnn.exec(m_dm->ADOcnn.dialect().dropTableSql(QStringLiteral("LogRec")));
    ScriptedMessages messages;
    m_dm->WriteLog(QStringLiteral("登录失败！"));
    QVERIFY(messages.log().isEmpty());
    // QryTemp serves the next caller as if nothing had happened.
    QCOMPARE(m_dm->LookupText(QStringLiteral("select count(*) from t_code ")),
             QStringLiteral("0"));
    QVERIFY(messages.log().isEmpty());
}

void TstServices::hostileValues_data()
{
    QTest::addColumn<QString>("value");

    QTest::newRow("single quote") << "O'Brien";
    QTest::newRow("only quotes") << "'''";
    QTest::newRow("statement after the literal") << "x'; delete from t_code; --";
    QTest::newRow("comment") << "a -- b";
    QTest::newRow("semicolon") << "a;b";
    QTest::newRow("backslash before quote") << "a\\'b";
    QTest::newRow("trailing backslash") << "C:\\数据\\";
    QTest::newRow("percent") << "100%";
    QTest::newRow("underscore") << "a_b";
    QTest::newRow("chinese and typographic quotes") << "“设备”‘台账’'";
    QTest::newRow("block comment") << "/* x */'";
}

void TstServices::hostileValues()
{
    QFETCH(QString, value);
    insertCode(QStringLiteral("guard"), QStringLiteral("stays"));
    const QString quoted = db::sqlValue(value);

    ScriptedMessages messages;
    QVERIFY(m_dm->ExecSql(QStringLiteral("insert into t_code(F_type,F_name) values('hostile', '")
                          + quoted + QStringLiteral("') ")));
    QCOMPARE(m_dm->LookupText(QStringLiteral("select F_name from t_code where F_name = '") + quoted
                              + QStringLiteral("' ")),
             value);
    QCOMPARE(m_dm->LookupInt(QStringLiteral("select count(*) from t_code where F_type = "
                                            "'hostile' and F_name = '")
                             + quoted + QStringLiteral("' ")),
             qint64(1));
    QVERIFY(m_dm->ExecSql(QStringLiteral("update t_code set F_type = 'moved' where F_name = '")
                          + quoted + QStringLiteral("' ")));
    QCOMPARE(m_dm->LookupInt(QStringLiteral("select count(*) from t_code where F_type = 'moved' ")),
             qint64(1));
    QVERIFY(messages.log().isEmpty());
    // Nothing but the one statement ran: the other row is there, untouched.
    QCOMPARE(codeCount(), qint64(2));
    QCOMPARE(m_dm->LookupText(QStringLiteral("select F_type from t_code where F_name = 'stays' ")),
             QStringLiteral("guard"));
}

void TstServices::likePatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("matches");

    const QStringList none;
    QTest::newRow("percent is a wildcard") << "100%" << QStringList{u"100%"_s, u"1000"_s};
    QTest::newRow("underscore is one character") << "a_b" << QStringList{u"a_b"_s, u"axb"_s};
    QTest::newRow("backslash matches itself") << "back\\slash" << QStringList{u"back\\slash"_s};
    QTest::newRow("backslash inside a pattern") << "%\\%" << QStringList{u"back\\slash"_s};
    QTest::newRow("quote in a prefix") << "O'B%" << QStringList{u"O'Brien"_s};
    QTest::newRow("chinese prefix") << "设备%" << QStringList{u"设备台账"_s};
    QTest::newRow("without case") << "o'brien" << QStringList{u"O'Brien"_s};
    QTest::newRow("nothing") << "x'%" << none;
}

void TstServices::likePatterns()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, matches);
    for (const char* name : {"100%", "1000", "a_b", "axb", "back\\slash", "backxslash", "O'Brien"})
        insertCode(QStringLiteral("like"), QString::fromUtf8(name));
    insertCode(QStringLiteral("like"), QStringLiteral("设备台账"));

    db::Dataset query(&m_dm->ADOcnn);
    ScriptedMessages messages;
    QVERIFY(m_dm->OpenQuery(QStringLiteral("select F_name from t_code where F_name like '")
                                + db::sqlValue(pattern) + QStringLiteral("' "),
                            query));
    QStringList found;
    for (query.first(); !query.eof(); query.next())
        found.append(query.field(0).asString());
    QCOMPARE(sorted(found), sorted(matches));
    QVERIFY(messages.log().isEmpty());
}

void TstServices::tooLongText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ok");

    // F_name of t_code holds 50 characters, counted as characters on every backend.
    QTest::newRow("50 letters") << QString(50, u'x') << true;
    QTest::newRow("50 chinese characters") << QString(50, u'设') << true;
    QTest::newRow("51 letters") << QString(51, u'x') << false;
    QTest::newRow("51 chinese characters") << QString(51, u'设') << false;
}

void TstServices::tooLongText()
{
    QFETCH(QString, name);
    QFETCH(bool, ok);

    ScriptedMessages messages;
    QCOMPARE(m_dm->ExecSql(QStringLiteral("insert into t_code(F_type,F_name) values('long','")
                           + db::sqlValue(name) + QStringLiteral("') ")),
             ok);
    QCOMPARE(messages.log(), errorMessages(ok ? QString() : OperationFailed));
    QCOMPARE(m_dm->LookupText(QStringLiteral("select F_name from t_code where F_type = 'long' ")),
             ok ? name : QString());
}

void TstServices::lostServer()
{
    if (!eqtest::usingPostgres())
        QSKIP("a lost server needs the PostgreSQL backend");
    insertCode(QStringLiteral("状态"), QStringLiteral("在用"));
    m_dm->ADOcnn.exec(QStringLiteral("insert into LogRec(F_EmpName) values('before')"));

    QComboBox list;
    list.setEditable(true);
    list.addItem(QStringLiteral("在用"));
    db::Dataset query(&m_dm->ADOcnn);
    const QString count = QStringLiteral("select count(*) from t_code ");

    QVERIFY(eqtest::stopPostgres());
    auto restart = qScopeGuard([] { eqtest::startPostgres(); });
    {
        ScriptedMessages messages;
        QVERIFY(!m_dm->DeleteById(QStringLiteral("t_code"), 1));
        QVERIFY(!m_dm->ExecSql(QStringLiteral("delete from t_code ")));
        QCOMPARE(m_dm->LookupText(count), QString());
        QCOMPARE(m_dm->LookupInt(count), qint64(0));
        QVERIFY(!m_dm->OpenQuery(count, query));
        QVERIFY(!query.isOpen());
        m_dm->FillPickList(QStringLiteral("select F_name from t_code "), &list);
        QCOMPARE(list.count(), 1);
        m_dm->WriteLog(QStringLiteral("登录失败！"));
        app::CurrentOperator = QStringLiteral("张三");
        QVERIFY(!m_dm->HasRight(QStringLiteral("101")));
        const QList<ShownMessage> expected = {
            {DeleteFailed, corva::Error},    {OperationFailed, corva::Error},
            {OperationFailed, corva::Error}, {OperationFailed, corva::Error},
            {OpenFailed, corva::Error},      {OperationFailed, corva::Error},
            {OperationFailed, corva::Error},
        };
        QCOMPARE(messages.log(), expected);
    }

    restart.dismiss();
    QVERIFY(eqtest::startPostgres());
    ScriptedMessages messages;
    QCOMPARE(m_dm->LookupInt(count), qint64(1));
    QVERIFY(m_dm->ExecSql(QStringLiteral("insert into t_code(F_type,F_name) values('x','y') ")));
    QVERIFY(m_dm->OpenQuery(count, query));
    QCOMPARE(query.field(0).asInteger(), qint64(2));
    m_dm->WriteLog(QStringLiteral("登录失败！"));
    QCOMPARE(m_dm->LookupInt(QStringLiteral("select count(*) from LogRec ")), qint64(2));
    QVERIFY(messages.log().isEmpty());
}
