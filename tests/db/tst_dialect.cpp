#include "tst_dialect.h"

#include "dialect.h"
#include "sqlquote.h"
#include "sqltext.h"

#include <QTest>

using db::Backend;
using db::Dialect;

void TstDialect::translate_data()
{
    QTest::addColumn<int>("backend");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");

    const QString mainList = QStringLiteral(
        "select * from Sets where (1=1) and isNull(F_useFlag,0) = 0  order by F_code");
    QTest::newRow("sqlite isNull") << int(Backend::Sqlite) << mainList
        << QStringLiteral("select * from Sets where (1=1) and ifnull(F_useFlag,0) = 0  order by F_code");
    QTest::newRow("postgres isNull") << int(Backend::Postgres) << mainList
        << QStringLiteral("select * from Sets where (1=1) and coalesce(F_useFlag,0) = 0  order by F_code");
    QTest::newRow("sqlserver unchanged") << int(Backend::SqlServer) << mainList << mainList;
    QTest::newRow("any case, blank before paren") << int(Backend::Sqlite)
        << QStringLiteral("select ISNULL (a,'') from t") << QStringLiteral("select ifnull (a,'') from t");
    QTest::newRow("inside a literal stays") << int(Backend::Postgres)
        << QStringLiteral("select 'isNull(x)' , len(F_name) from t where a = 'select top 5 '")
        << QStringLiteral("select 'isNull(x)' , char_length(F_name) from t where a = 'select top 5 '");
    QTest::newRow("name containing the word stays") << int(Backend::Sqlite)
        << QStringLiteral("select myisNull(a), lens(b) from t") << QStringLiteral("select myisNull(a), lens(b) from t");
    QTest::newRow("top at the end") << int(Backend::Sqlite)
        << QStringLiteral("select top 10 * from SETs order by F_code ")
        << QStringLiteral("select * from SETs order by F_code limit 10 ");
    QTest::newRow("top distinct") << int(Backend::Postgres)
        << QStringLiteral("select distinct top 3 F_name from t_code")
        << QStringLiteral("select distinct F_name from t_code limit 3");
    QTest::newRow("top in a subquery") << int(Backend::Sqlite)
        << QStringLiteral("select * from a where id in (select top 1 F_ID from b order by F_ID desc) and x=1")
        << QStringLiteral("select * from a where id in (select F_ID from b order by F_ID desc limit 1) and x=1");
    QTest::newRow("top kept on sql server") << int(Backend::SqlServer)
        << QStringLiteral("select top 1 F_ID from b") << QStringLiteral("select top 1 F_ID from b");
    QTest::newRow("getdate") << int(Backend::Sqlite) << QStringLiteral("select getdate()")
        << QStringLiteral("select datetime('now','localtime')");
    QTest::newRow("postgres like escape") << int(Backend::Postgres)
        << QStringLiteral("where isNull(f_type,'') like '\\\\a\\b%' and x not like 'c' escape '!'")
        << QStringLiteral("where coalesce(f_type,'') like '\\\\a\\b%' escape '' and x not like 'c' escape '!'");
    QTest::newRow("sqlite like untouched") << int(Backend::Sqlite)
        << QStringLiteral("where f_name like '%a_b%'") << QStringLiteral("where f_name like '%a_b%'");
    QTest::newRow("doubled quote inside literal") << int(Backend::Sqlite)
        << QStringLiteral("select 'it''s isNull(' , isNull(a,0)")
        << QStringLiteral("select 'it''s isNull(' , ifnull(a,0)");
    QTest::newRow("comment untouched") << int(Backend::Sqlite)
        << QStringLiteral("select 1 -- isNull(\nfrom t") << QStringLiteral("select 1 -- isNull(\nfrom t");
}

void TstDialect::translate()
{
    QFETCH(int, backend);
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    QCOMPARE(Dialect::create(Backend(backend))->translate(sql), expected);
}

void TstDialect::parameters_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("questionMarks");
    QTest::addColumn<QString>("dollars");

    QTest::newRow("log insert")
        << QStringLiteral("values(:EmpName,:OperType)") << QStringList{QStringLiteral("EmpName"), QStringLiteral("OperType")}
        << QStringLiteral("values(?,?)") << QStringLiteral("values($1,$2)");
    QTest::newRow("literal and cast are no parameters")
        << QStringLiteral("where a = ':x' and b = :y and c::text = 'z' and t = '10:30'")
        << QStringList{QStringLiteral("y")} << QStringLiteral("where a = ':x' and b = ? and c::text = 'z' and t = '10:30'")
        << QStringLiteral("where a = ':x' and b = $1 and c::text = 'z' and t = '10:30'");
    QTest::newRow("repeated name") << QStringLiteral(":a + :A") << QStringList{QStringLiteral("a"), QStringLiteral("A")}
        << QStringLiteral("? + ?") << QStringLiteral("$1 + $2");
}

void TstDialect::parameters()
{
    QFETCH(QString, sql);
    QFETCH(QStringList, names);
    QFETCH(QString, questionMarks);
    QFETCH(QString, dollars);
    using namespace db::sqltext;
    const ParameterScan q = scanParameters(sql, PlaceholderStyle::QuestionMark);
    QCOMPARE(q.names, names);
    QCOMPARE(applyEdits(sql, q.edits), questionMarks);
    QCOMPARE(applyEdits(sql, scanParameters(sql, PlaceholderStyle::DollarNumber).edits), dollars);
}

void TstDialect::columnDdl_data()
{
    QTest::addColumn<int>("backend");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("expected");
    const int text = int(db::ColumnType::Text);
    QTest::newRow("sqlite text") << int(Backend::Sqlite) << text
        << QStringLiteral("F_code text collate nocase check (length(F_code) <= 50)");
    QTest::newRow("postgres text") << int(Backend::Postgres) << text
        << QStringLiteral("F_code citext check (char_length(F_code) <= 50)");
    QTest::newRow("sqlserver text") << int(Backend::SqlServer) << text << QStringLiteral("F_code nvarchar(50)");
    QTest::newRow("sqlite identity") << int(Backend::Sqlite) << int(db::ColumnType::Identity)
        << QStringLiteral("F_code integer primary key autoincrement");
    QTest::newRow("postgres identity") << int(Backend::Postgres) << int(db::ColumnType::Identity)
        << QStringLiteral("F_code integer generated by default as identity primary key");
}

void TstDialect::columnDdl()
{
    QFETCH(int, backend);
    QFETCH(int, type);
    QFETCH(QString, expected);
    const db::ColumnDef column{QStringLiteral("F_code"), db::ColumnType(type), 50, false, {}};
    QCOMPARE(Dialect::create(Backend(backend))->columnSql(column), expected);
}

void TstDialect::quoting_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("literal");
    QTest::newRow("plain") << QStringLiteral("设备") << QStringLiteral("'设备'");
    QTest::newRow("quote") << QStringLiteral("O'Brien") << QStringLiteral("'O''Brien'");
    QTest::newRow("closing attempt") << QStringLiteral("x'; drop table t; --")
                                     << QStringLiteral("'x''; drop table t; --'");
    QTest::newRow("pattern kept") << QStringLiteral("a%_b\\") << QStringLiteral("'a%_b\\'");
    QTest::newRow("nul dropped") << QStringLiteral("a") + QChar(0) + QStringLiteral("b")
                                 << QStringLiteral("'ab'");
}

void TstDialect::quoting()
{
    QFETCH(QString, value);
    QFETCH(QString, literal);
    QCOMPARE(db::sqlLiteral(value), literal);
    // The literal is one piece of code: nothing after it is left outside the quotes.
    const auto pieces = db::sqltext::split(literal);
    QCOMPARE(pieces.size(), 1);
    QCOMPARE(pieces.first().kind, db::sqltext::Piece::StringLiteral);
}
