#include "tst_dataset.h"

#include "dataset.h"
#include "datasetmodel.h"
#include "dberror.h"
#include "sqlquote.h"
#include "testdb.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using db::ColumnType;

namespace {

db::TableDef itemsTable()
{
    return {QStringLiteral("t_Items"),
            {{QStringLiteral("F_ID"), ColumnType::Identity},
             {QStringLiteral("F_code"), ColumnType::Text, 10},
             {QStringLiteral("F_name"), ColumnType::Text, 50},
             {QStringLiteral("F_value"), ColumnType::Float},
             {QStringLiteral("F_count"), ColumnType::Integer},
             {QStringLiteral("F_flag"), ColumnType::Bit},
             {QStringLiteral("F_date"), ColumnType::DateTime},
             {QStringLiteral("F_memo"), ColumnType::LongText},
             {QStringLiteral("F_pic"), ColumnType::Blob}},
            {{QStringLiteral("ix_items_code"), {QStringLiteral("F_code")}}}};
}

db::TableDef detailsTable()
{
    return {QStringLiteral("t_Details"),
            {{QStringLiteral("F_ID"), ColumnType::Identity},
             {QStringLiteral("F_mainID"), ColumnType::Integer},
             {QStringLiteral("F_name"), ColumnType::Text, 20}},
            {}};
}

QStringList columnTexts(db::Dataset& ds, const QString& field)
{
    QStringList out;
    for (ds.first(); !ds.eof(); ds.next())
        out.append(ds.field(field).asString());
    return out;
}

} // namespace

void TstDataset::init()
{
    QVERIFY(m_dir.isValid());
    m_conn = eqtest::openFreshDatabase(m_dir);
    for (const db::TableDef& t : {itemsTable(), detailsTable()}) {
        for (const QString& sql : m_conn->dialect().createTableSql(t))
            m_conn->exec(sql);
    }
}

void TstDataset::cleanup()
{
    m_conn.reset();
}

void TstDataset::insertItem(const QString& code, const QString& name, double value)
{
    db::Params p;
    p.set(QStringLiteral("code"), code);
    p.set(QStringLiteral("name"), name);
    p.set(QStringLiteral("value"), value);
    m_conn->exec(QStringLiteral("insert into t_items(F_code, F_name, F_value) values(:code, :Name, :VALUE)"), p);
}

void TstDataset::valuesRoundTrip()
{
    const QByteArray picture("\x89PNG\0\x01\xff binary", 15);
    db::Dataset ins(m_conn.get());
    ins.setSql(QStringLiteral("insert into t_items(F_code,F_name,F_value,F_count,F_flag,F_date,F_memo,F_pic) "
                              "values(:code,:name,:value,:count,:flag,:date,:memo,:pic)"));
    const QList<QVariantList> rows = {
        {QStringLiteral("A1"), QStringLiteral("数控机床"), 1234.5, 7, 1, QVariant(QDate(2024, 1, 5)),
         QStringLiteral("第一行\n第二行"), picture},
        {QStringLiteral("A2"), QStringLiteral("it's"), 100.0, 0, 0,
         QVariant(QDateTime(QDate(2024, 1, 5), QTime(10, 30))), QVariant(), QVariant()},
        {QStringLiteral("A3"), QVariant(), QVariant(), QVariant(), QVariant(),
         QStringLiteral("1900-08-14"), QString(), QVariant()},
    };
    const QStringList names{QStringLiteral("code"), QStringLiteral("name"), QStringLiteral("value"),
                            QStringLiteral("count"), QStringLiteral("flag"), QStringLiteral("date"),
                            QStringLiteral("memo"), QStringLiteral("pic")};
    for (const QVariantList& row : rows) {
        for (int i = 0; i < names.size(); ++i)
            ins.setParam(names[i], row[i]);
        QCOMPARE(ins.execSql(), 1);
    }

    db::Dataset ds(m_conn.get());
    ds.setSql(QStringLiteral("select * from T_ITEMS order by F_code"));
    ds.open();
    QCOMPARE(ds.recordCount(), 3);
    QCOMPARE(ds.fieldIndex(QStringLiteral("f_NAME")), 2);
    QCOMPARE(ds.fieldIndex(QStringLiteral("missing")), -1);
    QVERIFY_THROWS_EXCEPTION(db::DbError, ds.field(QStringLiteral("missing")));

    QCOMPARE(ds.field(QStringLiteral("F_name")).asString(), QStringLiteral("数控机床"));
    QCOMPARE(ds.field(QStringLiteral("F_value")).asString(), QStringLiteral("1234.5"));
    QCOMPARE(ds.field(QStringLiteral("F_value")).asFloat(), 1234.5);
    QCOMPARE(ds.field(QStringLiteral("F_count")).asInteger(), 7);
    QVERIFY(ds.field(QStringLiteral("F_flag")).asBool());
    QCOMPARE(ds.field(QStringLiteral("F_date")).asString(), QStringLiteral("2024-01-05"));
    QCOMPARE(ds.field(QStringLiteral("F_memo")).asString(), QStringLiteral("第一行\n第二行"));
    QCOMPARE(ds.field(QStringLiteral("F_pic")).asBytes(), picture);

    ds.next();
    QCOMPARE(ds.field(QStringLiteral("F_name")).asString(), QStringLiteral("it's"));
    QCOMPARE(ds.field(QStringLiteral("F_value")).asString(), QStringLiteral("100"));
    QCOMPARE(ds.field(QStringLiteral("F_date")).asString(), QStringLiteral("2024-01-05 10:30:00"));
    QCOMPARE(ds.field(QStringLiteral("F_date")).asDateTime(), QDateTime(QDate(2024, 1, 5), QTime(10, 30)));
    QVERIFY(ds.field(QStringLiteral("F_memo")).isNull());
    QVERIFY(!ds.field(QStringLiteral("F_flag")).asBool());

    ds.next();
    QVERIFY(ds.field(QStringLiteral("F_name")).isNull());
    QCOMPARE(ds.field(QStringLiteral("F_name")).asString(), QString());
    QCOMPARE(ds.field(QStringLiteral("F_value")).asFloat(), 0.0);
    QCOMPARE(ds.field(QStringLiteral("F_date")).asString(), QStringLiteral("1900-08-14"));
    QVERIFY(!ds.field(QStringLiteral("F_memo")).isNull()); // empty text is not NULL

    // A parameter that the statement names but the caller never set is an error, not a NULL.
    db::Dataset missing(m_conn.get());
    missing.setSql(QStringLiteral("select * from t_items where F_code = :code"));
    QVERIFY_THROWS_EXCEPTION(db::DbError, missing.open());
    QVERIFY(!missing.isOpen());
}

void TstDataset::navigationAndSignals()
{
    for (int i = 1; i <= 3; ++i)
        insertItem(QStringLiteral("C%1").arg(i), QStringLiteral("n%1").arg(i), i);
    db::Dataset ds(m_conn.get());
    QSignalSpy opened(&ds, &db::Dataset::afterOpen);
    QSignalSpy scrolled(&ds, &db::Dataset::afterScroll);
    ds.setSql(QStringLiteral("select F_code from t_items order by F_code"));
    ds.open();
    QCOMPARE(opened.count(), 1);
    QCOMPARE(scrolled.count(), 1);
    QVERIFY(ds.bof());
    QVERIFY(!ds.eof());
    QCOMPARE(columnTexts(ds, QStringLiteral("F_code")),
             (QStringList{QStringLiteral("C1"), QStringLiteral("C2"), QStringLiteral("C3")}));
    QVERIFY(ds.eof());
    QCOMPARE(ds.recNo(), 2);
    ds.prior();
    QCOMPARE(ds.recNo(), 1);
    QVERIFY(!ds.eof());
    ds.first();
    ds.prior();
    QVERIFY(ds.bof());
    QCOMPARE(ds.recNo(), 0);
    scrolled.clear();
    ds.last();
    QCOMPARE(scrolled.count(), 1);
    QVERIFY(ds.moveTo(1));
    QVERIFY(!ds.moveTo(3));
    QCOMPARE(ds.field(QStringLiteral("F_code")).asString(), QStringLiteral("C2"));

    ds.setSql(QStringLiteral("select F_code from t_items where F_code = 'none'"));
    QVERIFY(!ds.isOpen());
    ds.open();
    QVERIFY(ds.isEmpty());
    QVERIFY(ds.bof() && ds.eof());
    QCOMPARE(ds.recNo(), -1);
    QVERIFY_THROWS_EXCEPTION(db::DbError, ds.field(QStringLiteral("F_code")));
}

void TstDataset::sortAndLocate()
{
    insertItem(QStringLiteral("B"), QStringLiteral("beta"), 2);
    insertItem(QStringLiteral("a"), QStringLiteral("Alpha"), 2);
    insertItem(QStringLiteral("C"), QStringLiteral("gamma"), 10);
    db::Dataset ds(m_conn.get());
    ds.setSql(QStringLiteral("select * from t_items order by F_ID"));
    ds.open();
    ds.moveTo(1); // "a"
    ds.setSort(QStringLiteral("F_value DESC, f_code asc"));
    QCOMPARE(columnTexts(ds, QStringLiteral("F_code")),
             (QStringList{QStringLiteral("C"), QStringLiteral("a"), QStringLiteral("B")}));
    ds.setSort(QStringLiteral("F_name"));
    QCOMPARE(columnTexts(ds, QStringLiteral("F_name")),
             (QStringList{QStringLiteral("Alpha"), QStringLiteral("beta"), QStringLiteral("gamma")}));

    ds.first();
    ds.setSort(QString());
    QCOMPARE(ds.field(QStringLiteral("F_code")).asString(), QStringLiteral("a")); // stays current
    QCOMPARE(columnTexts(ds, QStringLiteral("F_code")),
             (QStringList{QStringLiteral("B"), QStringLiteral("a"), QStringLiteral("C")}));
    QVERIFY_THROWS_EXCEPTION(db::DbError, ds.setSort(QStringLiteral("F_nothing")));

    QVERIFY(ds.locate(QStringLiteral("F_name"), QStringLiteral("GAM"), {true, true}));
    QCOMPARE(ds.field(QStringLiteral("F_code")).asString(), QStringLiteral("C"));
    QVERIFY(!ds.locate(QStringLiteral("F_name"), QStringLiteral("GAMMA")));
    QCOMPARE(ds.field(QStringLiteral("F_code")).asString(), QStringLiteral("C")); // no move
    QVERIFY(ds.locate(QStringLiteral("F_value"), 2));
    QCOMPARE(ds.field(QStringLiteral("F_code")).asString(), QStringLiteral("B"));

    // A sort lasts until the query is opened again, which gives the statement's order back.
    ds.setSort(QStringLiteral("F_code desc"));
    ds.open();
    QVERIFY(ds.sort().isEmpty());
    ds.first();
    QCOMPARE(ds.field(QStringLiteral("F_code")).asString(), QStringLiteral("B")); // first by F_ID
}

void TstDataset::editAndPost()
{
    insertItem(QStringLiteral("E1"), QStringLiteral("old"), 1);
    insertItem(QStringLiteral("E2"), QStringLiteral("other"), 2);
    db::Dataset ds(m_conn.get());
    ds.setSql(QStringLiteral("select * from t_items order by F_code"));
    ds.open();
    QSignalSpy changed(&ds, &db::Dataset::rowChanged);
    ds.edit();
    ds.setValue(QStringLiteral("f_name"), QStringLiteral("新名称"));
    ds.setValue(QStringLiteral("F_value"), 3.25);
    ds.post();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(ds.field(QStringLiteral("F_name")).asString(), QStringLiteral("新名称"));
    QCOMPARE(ds.field(QStringLiteral("F_value")).asFloat(), 3.25);

    db::Dataset check(m_conn.get());
    check.setSql(QStringLiteral("select F_name, F_value from t_items order by F_code"));
    check.open();
    QCOMPARE(columnTexts(check, QStringLiteral("F_name")),
             (QStringList{QStringLiteral("新名称"), QStringLiteral("other")}));

    // A value the column refuses fails the post and leaves the row as stored.
    ds.edit();
    ds.setValue(QStringLiteral("F_code"), QStringLiteral("ELEVEN_CHAR"));
    QVERIFY_THROWS_EXCEPTION(db::DbError, ds.post());
    QCOMPARE(ds.field(QStringLiteral("F_code")).asString(), QStringLiteral("E1"));
}

void TstDataset::masterLink()
{
    insertItem(QStringLiteral("M1"), QStringLiteral("one"), 1);
    insertItem(QStringLiteral("M2"), QStringLiteral("two"), 2);
    m_conn->exec(QStringLiteral("insert into t_details(F_mainID, F_name) values(1, 'a'), (1, 'b'), (2, 'c')"));
    db::Dataset master(m_conn.get());
    db::Dataset detail(m_conn.get());
    master.setSql(QStringLiteral("select * from t_items order by F_ID"));
    detail.setSql(QStringLiteral("select * from t_details where F_mainID = :mainid order by F_name"));
    detail.setMaster(&master, QStringLiteral("F_ID"), QStringLiteral("MainID"));
    master.open();
    QCOMPARE(columnTexts(detail, QStringLiteral("F_name")),
             (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    master.next();
    QCOMPARE(columnTexts(detail, QStringLiteral("F_name")), QStringList{QStringLiteral("c")});
    master.setSql(QStringLiteral("select * from t_items where 1=0"));
    QVERIFY(!detail.isOpen());
    master.open();
    QVERIFY(detail.isOpen());
    QVERIFY(detail.isEmpty());
}

void TstDataset::textWidthEnforced_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("10 latin") << QStringLiteral("ABCDEFGHIJ") << true;
    QTest::newRow("10 chinese") << QStringLiteral("设备设备设备设备设备") << true;
    QTest::newRow("11 latin") << QStringLiteral("ABCDEFGHIJK") << false;
    QTest::newRow("11 chinese") << QStringLiteral("设备设备设备设备设备设") << false;
}

void TstDataset::textWidthEnforced()
{
    QFETCH(QString, code);
    QFETCH(bool, accepted);
    bool thrown = false;
    try {
        insertItem(code, QStringLiteral("n"), 1);
    } catch (const db::DbError&) {
        thrown = true;
    }
    QCOMPARE(!thrown, accepted);
    db::Dataset ds(m_conn.get());
    ds.setSql(QStringLiteral("select F_code from t_items"));
    ds.open();
    QCOMPARE(ds.recordCount(), accepted ? 1 : 0);
    if (accepted)
        QCOMPARE(ds.field(QStringLiteral("F_code")).asString(), code);
}

void TstDataset::textComparesWithoutCase()
{
    insertItem(QStringLiteral("k1"), QStringLiteral("Admin"), 1);
    db::Dataset ds(m_conn.get());
    for (const QString& sql :
         {QStringLiteral("select * from t_items where F_name = 'admin'"),
          QStringLiteral("select * from T_ITEMS where f_NAME = 'ADMIN'"),
          QStringLiteral("select * from t_iTeMs where isNull(F_name,'') like 'adm%'"),
          QStringLiteral("select * from t_items where F_code in ('K1')")}) {
        ds.setSql(sql);
        ds.open();
        QVERIFY2(ds.recordCount() == 1, qPrintable(sql));
    }
}

void TstDataset::hostileValuesStayInTheirLiteral_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("quote") << QStringLiteral("O'Brien");
    QTest::newRow("statement end") << QStringLiteral("x'; delete from t_items; --");
    QTest::newRow("comment") << QStringLiteral("a -- b /* c */");
    QTest::newRow("backslashes") << QStringLiteral("\\\\a\\'b\\");
    QTest::newRow("pattern characters") << QStringLiteral("50%_off");
    QTest::newRow("doubled quotes") << QStringLiteral("''''");
    QTest::newRow("chinese and semicolon") << QStringLiteral("设备；'；");
}

void TstDataset::hostileValuesStayInTheirLiteral()
{
    QFETCH(QString, value);
    insertItem(QStringLiteral("keep"), QStringLiteral("kept"), 1);
    m_conn->exec(QStringLiteral("insert into t_items(F_code, F_name) values('h', '")
                 + db::sqlValue(value) + QStringLiteral("')"));
    db::Dataset ds(m_conn.get());
    ds.setSql(QStringLiteral("select F_name from t_items where F_name = '") + db::sqlValue(value)
              + QStringLiteral("' "));
    ds.open();
    QCOMPARE(ds.recordCount(), 1);
    QCOMPARE(ds.field(QStringLiteral("F_name")).asString(), value);
    ds.setSql(QStringLiteral("select count(*) from t_items"));
    ds.open();
    QCOMPARE(ds.field(0).asInteger(), 2);
}

void TstDataset::likePatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("prefix by path") << QStringLiteral("\\\\生产设备\\%")
        << QStringList{QStringLiteral("p1"), QStringLiteral("p2")};
    QTest::newRow("backslash matches itself") << QStringLiteral("%\\机床")
        << QStringList{QStringLiteral("p1")};
    QTest::newRow("percent is a pattern") << QStringLiteral("%折%") << QStringList{QStringLiteral("p4")};
    QTest::newRow("underscore is one character") << QStringLiteral("a_c")
        << QStringList{QStringLiteral("p3"), QStringLiteral("p5")};
}

void TstDataset::likePatterns()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, found);
    insertItem(QStringLiteral("p1"), QStringLiteral("\\\\生产设备\\机床"), 1);
    insertItem(QStringLiteral("p2"), QStringLiteral("\\\\生产设备\\车辆"), 1);
    insertItem(QStringLiteral("p3"), QStringLiteral("abc"), 1);
    insertItem(QStringLiteral("p4"), QStringLiteral("八折"), 1);
    insertItem(QStringLiteral("p5"), QStringLiteral("a_c"), 1);
    db::Dataset ds(m_conn.get());
    ds.setSql(QStringLiteral("select F_code from t_items where isNull(F_name,'') like '")
              + db::sqlValue(pattern) + QStringLiteral("' order by F_code"));
    ds.open();
    QCOMPARE(columnTexts(ds, QStringLiteral("F_code")), found);
}

void TstDataset::identityNeverReused()
{
    insertItem(QStringLiteral("i1"), QStringLiteral("a"), 1);
    insertItem(QStringLiteral("i2"), QStringLiteral("b"), 1);
    m_conn->exec(QStringLiteral("delete from t_items where F_code = 'i2'"));
    insertItem(QStringLiteral("i3"), QStringLiteral("c"), 1);
    db::Dataset ds(m_conn.get());
    ds.setSql(QStringLiteral("select max(F_ID) from t_items"));
    ds.open();
    QCOMPARE(ds.field(0).asInteger(), 3);
}

void TstDataset::rollbackUndoes()
{
    m_conn->begin();
    insertItem(QStringLiteral("r1"), QStringLiteral("a"), 1);
    QVERIFY_THROWS_EXCEPTION(db::DbError, m_conn->begin());
    m_conn->rollback();
    QVERIFY(!m_conn->inTransaction());
    m_conn->begin();
    insertItem(QStringLiteral("r2"), QStringLiteral("b"), 1);
    m_conn->commit();
    db::Dataset ds(m_conn.get());
    ds.setSql(QStringLiteral("select F_code from t_items"));
    ds.open();
    QCOMPARE(columnTexts(ds, QStringLiteral("F_code")), QStringList{QStringLiteral("r2")});
}

void TstDataset::modelOverDataset()
{
    for (int i = 0; i < 5; ++i)
        insertItem(QStringLiteral("m%1").arg(i), QStringLiteral("名称%1").arg(4 - i), i);
    db::Dataset ds(m_conn.get());
    db::DatasetModel model(&ds);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    ds.setSql(QStringLiteral("select F_code, F_name, F_value from t_items order by F_code"));
    ds.open();
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString().toLower(), QStringLiteral("f_name"));
    ds.setSort(QStringLiteral("F_name"));
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("m4"));
    QCOMPARE(model.index(0, 2).data(Qt::EditRole).toDouble(), 4.0);
    ds.close();
    QCOMPARE(model.rowCount(), 0);
}

void TstDataset::lostServerComesBack()
{
    if (!eqtest::usingPostgres())
        QSKIP("the server can only go away on PostgreSQL");
    insertItem(QStringLiteral("s1"), QStringLiteral("a"), 1);
    db::Dataset ds(m_conn.get());
    ds.setSql(QStringLiteral("select F_code from t_items"));
    ds.open();
    QVERIFY(eqtest::stopPostgres());
    QVERIFY_THROWS_EXCEPTION(db::DbError, ds.open());
    QVERIFY(!ds.isOpen());
    QVERIFY_THROWS_EXCEPTION(db::DbError, insertItem(QStringLiteral("s2"), QStringLiteral("b"), 1));
    QVERIFY(eqtest::startPostgres());
    ds.open();
    QCOMPARE(ds.recordCount(), 1);
    insertItem(QStringLiteral("s2"), QStringLiteral("b"), 1);
    ds.open();
    QCOMPARE(ds.recordCount(), 2);
}
