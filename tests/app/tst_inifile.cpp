#include "tst_inifile.h"

#include "inifile.h"

#include <QDir>
#include <QFile>
#include <QTest>

using app::IniFile;

namespace {

const QString Default = QStringLiteral("<default>");

} // namespace

void TstIniFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TstIniFile::filePath() const
{
    return m_dir->filePath(QStringLiteral("Config.ini"));
}

QString TstIniFile::writeFile(const QByteArray& content) const
{
    QFile file(filePath());
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot prepare %s", qUtf8Printable(filePath()));
    return filePath();
}

QByteArray TstIniFile::fileContent() const
{
    QFile file(filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TstIniFile::missingFileGivesDefaults()
{
    const IniFile ini(filePath());
    QVERIFY(!ini.exists());
    QCOMPARE(ini.readString(QStringLiteral("DBconn"), QStringLiteral("Database"),
                            QStringLiteral("vaVEVezi")),
             QStringLiteral("vaVEVezi"));
    QCOMPARE(ini.readString(QStringLiteral("DBconn"), QStringLiteral("password")), QString());
    QCOMPARE(ini.readInteger(QStringLiteral("Config"), QStringLiteral("ibak"), 3), 3);
}

void TstIniFile::readString_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray two = "[DBconn]\nserver=db1\nDatabase=vaVEVezi\n[config]\nCurOperName=admin\n";
    QTest::newRow("plain") << two << "DBconn" << "server" << "db1";
    QTest::newRow("section case") << two << "Config" << "CurOperName" << "admin";
    QTest::newRow("key case") << two << "dbconn" << "DATABASE" << "vaVEVezi";
    QTest::newRow("key of another section") << two << "Config" << "server" << Default;
    QTest::newRow("missing section") << two << "Other" << "server" << Default;
    QTest::newRow("missing key") << two << "DBconn" << "user" << Default;
    QTest::newRow("blanks around names and value")
        << QByteArray("  [ DBconn ]  \n  server  =  db 2  \n") << "DBconn" << "server" << "db 2";
    QTest::newRow("value with equals signs")
        << QByteArray("[DBconn]\npassword=ab=c==\n") << "DBconn" << "password" << "ab=c==";
    QTest::newRow("empty value") << QByteArray("[DBconn]\nDatabase=\n") << "DBconn" << "Database"
                                 << "";
    QTest::newRow("comment is no key")
        << QByteArray("[DBconn]\n;server=old\n#server=older\n") << "DBconn" << "server" << Default;
    QTest::newRow("key before any section") << QByteArray("server=x\n[DBconn]\n") << "DBconn"
                                            << "server" << Default;
    QTest::newRow("first of two keys") << QByteArray("[A]\nk=1\nk=2\n") << "A" << "k" << "1";
    QTest::newRow("chinese") << QByteArray("[Config]\nCurOperName=张三\n") << "Config"
                             << "CurOperName" << "张三";
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[DBconn]\nserver=s\n") << "DBconn"
                                     << "server" << "s";
    QTest::newRow("CRLF") << QByteArray("[DBconn]\r\nserver=s\r\nuser=sa\r\n") << "DBconn"
                          << "server" << "s";
    QTest::newRow("no final line end") << QByteArray("[DBconn]\nuser=sa") << "DBconn" << "user"
                                       << "sa";
}

void TstIniFile::readString()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    const IniFile ini(writeFile(content));
    QCOMPARE(ini.readString(section, key, Default), expected);
}

void TstIniFile::readInteger_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");

    QTest::newRow("number") << QByteArray("2") << 2;
    QTest::newRow("negative") << QByteArray("-1") << -1;
    QTest::newRow("blanks") << QByteArray("  3  ") << 3;
    QTest::newRow("text") << QByteArray("abc") << 7;
    QTest::newRow("number and text") << QByteArray("1x") << 7;
    QTest::newRow("empty") << QByteArray() << 7;
}

void TstIniFile::readInteger()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expected);

    const IniFile ini(writeFile("[config]\nibak=" + value + '\n'));
    QCOMPARE(ini.readInteger(QStringLiteral("Config"), QStringLiteral("ibak"), 7), expected);
}

void TstIniFile::write_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    const QByteArray commented = "; connection\n"
                                 "[DBconn]\n"
                                 "server=old\n"
                                 "# the login\n"
                                 "user = sa \n"
                                 "\n"
                                 "; options\n"
                                 "[Config]\n"
                                 "ibak=1\n";

    QTest::newRow("no file") << QByteArray() << "DBconn" << "server" << "db1"
                             << QByteArray("[DBconn]\nserver=db1\n");
    QTest::newRow("replace keeps everything else")
        << commented << "DBconn" << "server" << "new"
        << QByteArray("; connection\n[DBconn]\nserver=new\n# the login\nuser = sa \n\n"
                      "; options\n[Config]\nibak=1\n");
    QTest::newRow("replace keeps spelling and blanks before the value")
        << commented << "dbconn" << "USER" << "admin"
        << QByteArray("; connection\n[DBconn]\nserver=old\n# the login\nuser = admin\n\n"
                      "; options\n[Config]\nibak=1\n");
    QTest::newRow("new key lands in its section")
        << commented << "DBconn" << "Database" << "vaVEVezi"
        << QByteArray("; connection\n[DBconn]\nserver=old\n# the login\nuser = sa \n"
                      "Database=vaVEVezi\n\n; options\n[Config]\nibak=1\n");
    QTest::newRow("new key in the last section")
        << commented << "config" << "CurOperName" << "张三"
        << QByteArray("; connection\n[DBconn]\nserver=old\n# the login\nuser = sa \n\n"
                      "; options\n[Config]\nibak=1\nCurOperName=张三\n");
    QTest::newRow("new key in an empty section")
        << QByteArray("[DBconn]\n\n[Config]\n") << "DBconn" << "user" << "sa"
        << QByteArray("[DBconn]\nuser=sa\n\n[Config]\n");
    QTest::newRow("new section at the end")
        << QByteArray("[DBconn]\nserver=s\n") << "Config" << "ibak" << "2"
        << QByteArray("[DBconn]\nserver=s\n[Config]\nibak=2\n");
    QTest::newRow("new section after a last line without line end")
        << QByteArray("[DBconn]\nserver=s") << "Config" << "ibak" << "2"
        << QByteArray("[DBconn]\nserver=s\n[Config]\nibak=2");
    QTest::newRow("CRLF stays CRLF")
        << QByteArray("[DBconn]\r\nserver=s\r\n\r\n[Config]\r\nibak=0\r\n") << "DBconn" << "user"
        << "sa" << QByteArray("[DBconn]\r\nserver=s\r\nuser=sa\r\n\r\n[Config]\r\nibak=0\r\n");
    QTest::newRow("CRLF new section")
        << QByteArray("[DBconn]\r\nserver=s\r\n") << "Config" << "ibak" << "1"
        << QByteArray("[DBconn]\r\nserver=s\r\n[Config]\r\nibak=1\r\n");
    QTest::newRow("byte-order mark kept")
        << QByteArray("\xEF\xBB\xBF[DBconn]\nserver=s\n") << "DBconn" << "server" << "t"
        << QByteArray("\xEF\xBB\xBF[DBconn]\nserver=t\n");
    QTest::newRow("bytes that are no UTF-8 kept")
        << QByteArray("; \xC9\xE8\xB1\xB8\n[DBconn]\nserver=s\n") << "DBconn" << "server" << "t"
        << QByteArray("; \xC9\xE8\xB1\xB8\n[DBconn]\nserver=t\n");
}

void TstIniFile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    if (!before.isNull())
        writeFile(before);
    IniFile ini(filePath());
    QVERIFY(ini.writeString(section, key, value));
    QCOMPARE(fileContent(), after);
    QCOMPARE(ini.readString(section, key), value);
}

void TstIniFile::valuesRoundTrip_data()
{
    QTest::addColumn<QString>("value");

    QTest::newRow("chinese") << QStringLiteral("澄朔设备管理软件(企业版)");
    QTest::newRow("equals signs") << QStringLiteral("a=b==");
    QTest::newRow("brackets") << QStringLiteral("[Config]");
    QTest::newRow("comment characters") << QStringLiteral("; not # a comment");
    QTest::newRow("inner blanks") << QStringLiteral("(Local) \\ SQL 2000");
    QTest::newRow("empty") << QString();
}

void TstIniFile::valuesRoundTrip()
{
    QFETCH(QString, value);

    IniFile ini(writeFile("[DBconn]\nserver=x\n[Config]\nibak=1\n"));
    QVERIFY(ini.writeString(QStringLiteral("DBconn"), QStringLiteral("server"), value));
    QVERIFY(ini.writeString(QStringLiteral("Config"), QStringLiteral("CurOperName"), value));
    for (const QString& section : {QStringLiteral("DBconn"), QStringLiteral("Config")}) {
        const QString key = section == u"DBconn" ? QStringLiteral("server")
                                                 : QStringLiteral("CurOperName");
        QCOMPARE(IniFile(filePath()).readString(section, key, Default), value);
    }
    QCOMPARE(ini.readInteger(QStringLiteral("Config"), QStringLiteral("ibak")), 1);
}

void TstIniFile::readsSeeEveryChange()
{
    // Nothing is cached: another program (dblink, an editor) may change the file in between.
    IniFile ini(writeFile("[Config]\nibak=1\n"));
    QCOMPARE(ini.readInteger(QStringLiteral("Config"), QStringLiteral("ibak")), 1);
    writeFile("[Config]\nibak=3\n");
    QCOMPARE(ini.readInteger(QStringLiteral("Config"), QStringLiteral("ibak")), 3);
    QVERIFY(ini.writeInteger(QStringLiteral("Config"), QStringLiteral("ibak"), 2));
    QCOMPARE(IniFile(filePath()).readInteger(QStringLiteral("Config"), QStringLiteral("ibak")), 2);
}

void TstIniFile::refusedWrites_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("empty section") << " " << "k" << "v";
    QTest::newRow("empty key") << "S" << "" << "v";
    QTest::newRow("line break in value") << "S" << "k" << "v\n[Other]";
    QTest::newRow("bracket in section") << "S]" << "k" << "v";
    QTest::newRow("equals sign in key") << "S" << "k=1" << "v";
}

void TstIniFile::refusedWrites()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);

    const QByteArray before = "[S]\nk=old\n";
    IniFile ini(writeFile(before));
    QVERIFY(!ini.writeString(section, key, value));
    QCOMPARE(fileContent(), before);
}

void TstIniFile::unwritablePath()
{
    IniFile nowhere(m_dir->filePath(QStringLiteral("missing/Config.ini")));
    QVERIFY(!nowhere.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")));
    QVERIFY(!nowhere.exists());
}
