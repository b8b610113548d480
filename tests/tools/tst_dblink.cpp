#include "tst_dblink.h"

#include "dbconnsettings.h"
#include "corva.h"
#include "dblinkdialog.h"
#include "inifile.h"
#include "scriptedmessages.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using app::DbConnSettings;

namespace {

const QString DBconn = QStringLiteral("DBconn");

} // namespace

void TstDblink::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TstDblink::configPath() const
{
    return m_dir->filePath(QStringLiteral("Config.ini"));
}

void TstDblink::settingsRoundTrip_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("password");

    QTest::newRow("sqlite, no password") << "sqlite" << "";
    QTest::newRow("postgres") << "postgres" << "pg secret";
    QTest::newRow("sqlserver, chinese password") << "sqlserver" << "管理员 密码";
    QTest::newRow("password with equals and quotes") << "postgres" << "a='b'=\"c\"";
}

void TstDblink::settingsRoundTrip()
{
    QFETCH(QString, driver);
    QFETCH(QString, password);

    DbConnSettings written;
    written.driver = driver;
    written.server = QStringLiteral("127.0.0.1,1433");
    written.database = QStringLiteral("设备库");
    written.user = QStringLiteral("equip");
    written.password = password;
    app::IniFile ini(configPath());
    QVERIFY(written.write(ini));

    QCOMPARE(DbConnSettings::read(ini), written);
    // The main program reads these very keys.
    const app::IniFile raw(configPath());
    QCOMPARE(raw.readString(DBconn, QStringLiteral("driver")), driver);
    QCOMPARE(raw.readString(DBconn, QStringLiteral("Database")), written.database);
    const QString stored = raw.readString(DBconn, QStringLiteral("password"));
    QVERIFY(!stored.isEmpty());
    QVERIFY(stored != password);
    QCOMPARE(corva::GetPass(stored), password);
}

void TstDblink::dialogPrefillsAndSaves()
{
    {
        QFile file(configPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Config]\nCurOperName=admin\n[DBconn]\ndriver=postgres\nserver=pg1\n");
        file.write("password=" + corva::SavePass(QStringLiteral("老密码")).toLatin1() + '\n');
    }

    dblink::DbLinkDialog dialog(configPath());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("连接网络数据库"));
    auto* cbbDriver = dialog.findChild<QComboBox*>(QStringLiteral("cbbDriver"));
    auto* edtServer = dialog.findChild<QLineEdit*>(QStringLiteral("edtServer"));
    auto* edtDatabase = dialog.findChild<QLineEdit*>(QStringLiteral("edtDatabase"));
    auto* edtUser = dialog.findChild<QLineEdit*>(QStringLiteral("edtUser"));
    auto* edtPassword = dialog.findChild<QLineEdit*>(QStringLiteral("edtPassword"));
    auto* btnOK = dialog.findChild<QPushButton*>(QStringLiteral("btnOK"));
    auto* btnCancel = dialog.findChild<QPushButton*>(QStringLiteral("btnCancel"));
    QVERIFY(cbbDriver && edtServer && edtDatabase && edtUser && edtPassword && btnOK && btnCancel);

    // Pre-filled from the file; keys it lacks show their defaults.
    QCOMPARE(cbbDriver->currentText(), QStringLiteral("PostgreSQL"));
    QCOMPARE(edtServer->text(), QStringLiteral("pg1"));
    QCOMPARE(edtDatabase->text(), QStringLiteral("vaVEVezi"));
    QCOMPARE(edtUser->text(), QStringLiteral("sa"));
    QCOMPARE(edtPassword->text(), QStringLiteral("老密码"));
    QCOMPARE(edtPassword->echoMode(), QLineEdit::Password);

    const QList<QWidget*> order{cbbDriver, edtServer, edtDatabase, edtUser, edtPassword, btnOK,
                                btnCancel};
    for (qsizetype i = 0; i + 1 < order.size(); ++i) {
        QWidget* next = order[i]->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus)
            next = next->nextInFocusChain();
        QCOMPARE(next, order[i + 1]);
    }

    cbbDriver->setCurrentIndex(2);
    QCOMPARE(cbbDriver->currentText(), QStringLiteral("SQL Server"));
    edtServer->setText(QStringLiteral("(Local)"));
    edtDatabase->setText(QStringLiteral("equip"));
    edtPassword->setText(QStringLiteral("新 密码"));

    corva::ScriptedMessages messages;
    btnOK->click();
    QCOMPARE(messages.log(),
             (QList<corva::ShownMessage>{{QStringLiteral("连接设置已保存。"), corva::Information}}));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    const app::IniFile ini(configPath());
    QCOMPARE(ini.readString(QStringLiteral("config"), QStringLiteral("CurOperName")),
             QStringLiteral("admin"));
    DbConnSettings expected;
    expected.driver = QStringLiteral("sqlserver");
    expected.database = QStringLiteral("equip");
    expected.password = QStringLiteral("新 密码");
    QCOMPARE(DbConnSettings::read(ini), expected);
    QVERIFY(ini.readString(DBconn, QStringLiteral("password")) != expected.password);
}

void TstDblink::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("driver"); // as stored afterwards; empty: no file written
    QTest::addColumn<QString>("password");

    QTest::newRow("postgres") << QStringList{QStringLiteral("--driver"),
                                             QStringLiteral("postgres"),
                                             QStringLiteral("--server"),
                                             QStringLiteral("127.0.0.1"),
                                             QStringLiteral("--password"),
                                             QStringLiteral("pg 密码")}
                              << 0 << "postgres" << "pg 密码";
    QTest::newRow("password only") << QStringList{QStringLiteral("--password"), QString()} << 0
                                   << "sqlite" << "";
    QTest::newRow("unknown driver")
        << QStringList{QStringLiteral("--driver"), QStringLiteral("oracle")} << 2 << "" << "";
}

void TstDblink::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, driver);
    QFETCH(QString, password);

    const QString program = QDir(QCoreApplication::applicationDirPath())
                                .filePath(QStringLiteral("dblink"));
    QVERIFY2(QFile::exists(program), qPrintable(program));
    QProcess process;
    process.start(program, arguments + QStringList{QStringLiteral("--config"), configPath()});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);

    const app::IniFile ini(configPath());
    QCOMPARE(ini.exists(), !driver.isEmpty());
    if (driver.isEmpty())
        return;
    const DbConnSettings read = DbConnSettings::read(ini);
    QCOMPARE(read.driver, driver);
    QCOMPARE(read.password, password);
    const QString stored = ini.readString(DBconn, QStringLiteral("password"));
    QVERIFY(!stored.isEmpty() && stored != password);
    // What it prints is the file's content, never the password in clear.
    const QString printed = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY(printed.contains(QStringLiteral("password=") + stored));
    if (!password.isEmpty())
        QVERIFY(!printed.contains(password));
}
