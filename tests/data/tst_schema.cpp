#include "tst_schema.h"

#include "corva.h"
#include "dataset.h"
#include "dberror.h"
#include "inifile.h"
#include "schema.h"
#include "setup.h"
#include "testdb.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;
using db::ColumnType;

namespace {

void openQuery(const QString& sql, db::Dataset& query)
{
    query.setSql(sql);
    query.open();
}

qint64 scalar(db::Connection& c, const QString& sql)
{
    db::Dataset q(&c);
    openQuery(sql, q);
    return q.field(0).asInteger();
}

QStringList column(db::Connection& c, const QString& sql)
{
    db::Dataset q(&c);
    openQuery(sql, q);
    QStringList out;
    for (q.first(); !q.eof(); q.next())
        out.append(q.field(0).asString());
    return out;
}

// One value of each column type that also reaches the column's limits.
QVariant sampleValue(const db::ColumnDef& c)
{
    switch (c.type) {
    case ColumnType::Text: return QString(c.width, u'档');
    case ColumnType::LongText: return QString(3000, u'备');
    case ColumnType::Integer: return 42;
    case ColumnType::Float: return 12.5;
    case ColumnType::Bit: return 1;
    case ColumnType::DateTime: return QDate(2021, 3, 9);
    case ColumnType::Blob: return QByteArray("\x00\xff\x10jpeg\x00", 8);
    case ColumnType::Identity: break;
    }
    return {};
}

QStringList rightCodes()
{
    QStringList codes;
    for (const auto& [group, last] : {std::pair{100, 6}, {200, 10}, {300, 11}, {400, 4}, {500, 5}})
        for (int i = 1; i <= last; ++i)
            codes.append(QString::number(group + i));
    return codes;
}

} // namespace

void TstSchema::init()
{
    QVERIFY(m_dir.isValid());
    m_conn = eqtest::openFreshDatabase(m_dir);
}

void TstSchema::cleanup()
{
    m_conn.reset();
}

void TstSchema::everyTableTakesItsColumns_data()
{
    QTest::addColumn<QString>("table");
    for (const db::TableDef& t : data::registerTables())
        QTest::newRow(qPrintable(t.name)) << t.name;
}

void TstSchema::everyTableTakesItsColumns()
{
    QFETCH(QString, table);
    data::createSchema(*m_conn);
    const db::TableDef& def = *data::findTable(table);

    QStringList names;
    QStringList placeholders;
    db::Params p;
    for (const db::ColumnDef& c : def.columns) {
        if (c.type == ColumnType::Identity)
            continue;
        names.append(c.name);
        placeholders.append(u":v"_s + QString::number(names.size()));
        p.set(placeholders.last().mid(1), sampleValue(c));
    }
    m_conn->exec(u"insert into %1(%2) values(%3)"_s.arg(table, names.join(u','),
                                                       placeholders.join(u',')),
                 p);

    db::Dataset q(m_conn.get());
    openQuery(u"select * from "_s + table, q);
    QCOMPARE(q.recordCount(), 1);
    for (const db::ColumnDef& c : def.columns) {
        const db::Field f = q.field(c.name);
        const QVariant expected = sampleValue(c);
        switch (c.type) {
        case ColumnType::Identity: QCOMPARE(f.asInteger(), 1); break;
        case ColumnType::Text:
        case ColumnType::LongText: QCOMPARE(f.asString(), expected.toString()); break;
        case ColumnType::Integer:
        case ColumnType::Bit: QCOMPARE(f.asInteger(), expected.toLongLong()); break;
        case ColumnType::Float: QCOMPARE(f.asFloat(), expected.toDouble()); break;
        case ColumnType::DateTime: QCOMPARE(f.asString(), u"2021-03-09"_s); break;
        case ColumnType::Blob: QCOMPARE(f.asBytes(), expected.toByteArray()); break;
        }
    }
}

void TstSchema::textWidthEnforced_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("columnName");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("equipment code 50") << u"SETs"_s << u"F_code"_s << 50 << true;
    QTest::newRow("equipment code 51") << u"SETs"_s << u"F_code"_s << 51 << false;
    QTest::newRow("address 10") << u"SysInfo"_s << u"F_Name"_s << 10 << true;
    QTest::newRow("address 11") << u"SysInfo"_s << u"F_Name"_s << 11 << false;
}

void TstSchema::textWidthEnforced()
{
    QFETCH(QString, table);
    QFETCH(QString, columnName);
    QFETCH(int, length);
    QFETCH(bool, accepted);
    data::createSchema(*m_conn);
    db::Params p;
    // Chinese characters: the limit counts characters, not bytes.
    p.set(u"v"_s, QString(length, u'址'));
    const QString insert = u"insert into %1(%2) values(:v)"_s.arg(table, columnName);
    if (accepted)
        m_conn->exec(insert, p);
    else
        QVERIFY_THROWS_EXCEPTION(db::DbError, m_conn->exec(insert, p));
    QCOMPARE(scalar(*m_conn, u"select count(*) from "_s + table), accepted ? 1 : 0);
}

void TstSchema::namesAndTextIgnoreCase()
{
    data::createSchema(*m_conn);
    m_conn->exec(u"insert into OperList(F_Name) values('admin')"_s);
    QCOMPARE(column(*m_conn, u"select F_Name from OperList where F_name = 'ADMIN'"_s),
             QStringList{u"admin"_s});

    m_conn->exec(u"insert into t_WXrec(F_SETcode) values('SB-2020-0001')"_s);
    QCOMPARE(scalar(*m_conn, u"select count(*) from T_wxREC where f_setcode like 'sb-2020%'"_s),
             1);
}

void TstSchema::keysAndDefaults()
{
    data::createSchema(*m_conn);
    for (int i = 0; i < 3; ++i)
        m_conn->exec(u"insert into LogRec(F_EmpName) values('x')"_s);
    m_conn->exec(u"delete from LogRec where F_ID = 3"_s);
    m_conn->exec(u"insert into LogRec(F_EmpName) values('y')"_s);
    QCOMPARE(scalar(*m_conn, u"select F_ID from LogRec where F_EmpName = 'y'"_s), 4);

    // Imported rows leave F_cltID out and are found afterwards by its default.
    m_conn->exec(u"insert into SETs(F_code) values('SB-1')"_s);
    QCOMPARE(column(*m_conn, u"select F_cltID from SETs"_s), QStringList{u"0"_s});
}

void TstSchema::seedRows()
{
    data::createSchema(*m_conn);
    data::seedSchema(*m_conn);

    QCOMPARE(scalar(*m_conn, u"select count(*) from SysInfo"_s), 1);

    QCOMPARE(column(*m_conn, u"select F_code from Limits where F_flag = 1 order by F_code"_s),
             rightCodes());
    QCOMPARE(scalar(*m_conn, u"select count(*) from Limits"_s), 36);
    QCOMPARE(column(*m_conn, u"select F_name from Limits where F_code in ('101','501') "
                             "order by F_code"_s),
             (QStringList{u"公司信息"_s, u"导入合同资料"_s}));

    const QStringList stored =
        column(*m_conn, u"select F_PassWord from OperList where F_Name = 'admin'"_s);
    QCOMPARE(stored.size(), 1);
    QVERIFY(!stored.first().isEmpty());
    QCOMPARE(corva::GetPass(stored.first()), QString());

    db::Dataset mapping(m_conn.get());
    openQuery(u"select S_Field, F_FieldName, F_Field from cfg_import "
                       "where (F_tablename = 'sets')and(F_iFlag = 1) "_s,
              mapping);
    QCOMPARE(mapping.recordCount(), 23);
    const db::TableDef& equipment = *data::findTable(u"SETs"_s);
    QHash<QString, QString> titles;
    for (mapping.first(); !mapping.eof(); mapping.next()) {
        const QString field = mapping.field(u"S_Field"_s).asString();
        const bool known = std::any_of(equipment.columns.begin(), equipment.columns.end(),
                                       [&](const db::ColumnDef& c) { return c.name == field; });
        QVERIFY2(known, qPrintable(field));
        QCOMPARE(mapping.field(u"F_Field"_s).asString(),
                 mapping.field(u"F_FieldName"_s).asString());
        titles.insert(field, mapping.field(u"F_FieldName"_s).asString());
    }
    QCOMPARE(titles.value(u"F_unit"_s), u"单位"_s);
    QCOMPARE(titles.value(u"F_OperEmp"_s), u"制单人员"_s);
    QCOMPARE(titles.value(u"F_SZ1"_s), u"其他费用"_s);
}

void TstSchema::registerTablesDetected()
{
    QVERIFY(!data::hasRegisterTables(*m_conn));
    // One table left over from a broken set-up counts as well.
    for (const QString& sql : m_conn->dialect().createTableSql(*data::findTable(u"LogRec"_s)))
        m_conn->exec(sql);
    QVERIFY(data::hasRegisterTables(*m_conn));
    data::dropSchema(*m_conn);
    QVERIFY(!data::hasRegisterTables(*m_conn));
    data::createSchema(*m_conn);
    QVERIFY(data::hasRegisterTables(*m_conn));
}

void TstSchema::sqliteFileFromConfig_data()
{
    QTest::addColumn<QString>("configLines");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("no key") << u"[DBconn]\n"_s << u"vaVEVezi.db"_s;
    QTest::newRow("bare name") << u"[DBconn]\ndriver=sqlite\nDatabase=Plant2\n"_s
                               << u"Plant2.db"_s;
    QTest::newRow("own extension") << u"[DBconn]\nDatabase=register.sqlite\n"_s
                                   << u"register.sqlite"_s;
}

void TstSchema::sqliteFileFromConfig()
{
    QFETCH(QString, configLines);
    QFETCH(QString, fileName);
    QTemporaryDir folder;
    QFile file(folder.filePath(u"Config.ini"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(configLines.toUtf8());
    file.close();

    const auto settings = dbprep::settingsFromConfig(app::IniFile(file.fileName()));
    QVERIFY(settings);
    QCOMPARE(settings->backend, db::Backend::Sqlite);
    QCOMPARE(settings->database, folder.filePath(fileName));

    // The missing file is created, and the register set up in it.
    const dbprep::SetupOutcome outcome = dbprep::prepareDatabase(*settings, {});
    QCOMPARE(outcome.code, dbprep::Done);
    db::Connection c;
    c.open(*settings);
    QCOMPARE(scalar(c, u"select count(*) from OperList"_s), 1);
}

void TstSchema::existingTablesNeedForce()
{
    const db::ConnectionSettings settings = eqtest::freshDatabase(m_dir);
    QCOMPARE(dbprep::prepareDatabase(settings, {}).code, dbprep::Done);
    db::Connection c;
    c.open(settings);
    c.exec(u"insert into SETs(F_code) values('KEEP')"_s);

    const dbprep::SetupOutcome refused = dbprep::prepareDatabase(settings, {});
    QCOMPARE(refused.code, dbprep::Refused);
    QVERIFY(refused.message.contains(u"--force"_s));
    QCOMPARE(scalar(c, u"select count(*) from SETs where F_code = 'KEEP'"_s), 1);
    QCOMPARE(scalar(c, u"select count(*) from Limits"_s), 36);

    dbprep::SetupOptions force;
    force.force = true;
    QCOMPARE(dbprep::prepareDatabase(settings, force).code, dbprep::Done);
    QCOMPARE(scalar(c, u"select count(*) from SETs"_s), 0);
    QCOMPARE(scalar(c, u"select count(*) from Limits"_s), 36);
}

void TstSchema::demoRegisterIsConsistent()
{
    const db::ConnectionSettings settings = eqtest::freshDatabase(m_dir);
    dbprep::SetupOptions options;
    options.demo = true;
    options.count = 60;
    const dbprep::SetupOutcome outcome = dbprep::prepareDatabase(settings, options);
    QVERIFY2(outcome.code == dbprep::Done, qPrintable(outcome.message));
    db::Connection c;
    c.open(settings);

    // Every node's parent is stored, and its path is built from the names on the way down.
    QHash<QString, QSet<QString>> paths;
    for (const QString& flag : {u"type"_s, u"depttype"_s}) {
        db::Dataset nodes(&c);
        openQuery(u"select F_code, F_name, F_likecode from t_treecode where F_flag = '"_s
                         + flag + u"' order by F_code"_s,
                  nodes);
        QVERIFY(nodes.recordCount() >= 12);
        QHash<QString, QString> nameOf;
        int deepest = 0;
        for (nodes.first(); !nodes.eof(); nodes.next()) {
            const QString code = nodes.field(u"F_code"_s).asString();
            QVERIFY2(!code.isEmpty() && code.size() % 3 == 0, qPrintable(code));
            nameOf.insert(code, nodes.field(u"F_name"_s).asString());
            QStringList names;
            for (qsizetype n = 3; n <= code.size(); n += 3) {
                QVERIFY2(nameOf.contains(code.left(n)), qPrintable(code));
                names.append(nameOf.value(code.left(n)));
            }
            QCOMPARE(nodes.field(u"F_likecode"_s).asString(), u"\\\\"_s + names.join(u'\\'));
            paths[flag].insert(nodes.field(u"F_likecode"_s).asString());
            deepest = std::max(deepest, int(code.size() / 3));
        }
        QCOMPARE(deepest, 3);
    }

    QCOMPARE(scalar(c, u"select count(*) from SETs"_s), 60);
    for (const QString& type : column(c, u"select distinct F_type from SETs"_s))
        QVERIFY2(paths[u"type"_s].contains(type), qPrintable(type));
    for (const QString& dept : column(c, u"select distinct F_useDept from SETs"_s))
        QVERIFY2(paths[u"depttype"_s].contains(dept), qPrintable(dept));
    QCOMPARE(scalar(c, u"select count(*) from SETs where F_cltID <> F_ID"_s), 0);

    QCOMPARE(column(c, u"select distinct F_type from t_code order by F_type"_s),
             (QStringList{u"empname"_s, u"filetype"_s, u"operemp"_s, u"pzemp"_s, u"stemp"_s,
                          u"unit"_s, u"usedept"_s, u"useemp"_s, u"usestatus"_s, u"wxfactory"_s,
                          u"wxtype"_s, u"ysstatus"_s}));

    // Attached rows and events point at equipment that exists.
    for (const QString& table : {u"t_setREC"_s, u"t_fileREC"_s}) {
        QVERIFY(scalar(c, u"select count(*) from "_s + table) > 0);
        QCOMPARE(scalar(c, u"select count(*) from "_s + table
                               + u" r where not exists (select 1 from SETs s "
                                 "where s.F_cltID = r.F_mainID)"_s),
                 0);
    }
    for (const QString& table : {u"t_wxREC"_s, u"t_dbREC"_s, u"t_ysREC"_s}) {
        QVERIFY(scalar(c, u"select count(*) from "_s + table) > 0);
        QCOMPARE(scalar(c, u"select count(*) from "_s + table
                               + u" e where not exists (select 1 from SETs s "
                                 "where s.F_code = e.F_SETcode and s.F_name = e.F_SETname)"_s),
                 0);
    }

    db::Dataset pictures(&c);
    openQuery(u"select i.F_SETimage, i.F_FileExt from t_imageREC i "
                 "join SETs s on s.F_ID = i.F_mainID"_s,
              pictures);
    QCOMPARE(pictures.recordCount(), int(scalar(c, u"select count(*) from t_imageREC"_s)));
    QVERIFY(pictures.recordCount() > 0);
    for (pictures.first(); !pictures.eof(); pictures.next()) {
        QCOMPARE(pictures.field(u"F_FileExt"_s).asString(), u".jpg"_s);
        QVERIFY(!QImage::fromData(pictures.field(u"F_SETimage"_s).asBytes()).isNull());
    }
}
