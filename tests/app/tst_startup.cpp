#include "tst_startup.h"

#include "appvalues.h"
#include "corva.h"
#include "dmdata.h"
#include "endrequest.h"
#include "dberror.h"
#include "frmmain.h"
#include "modalrunner.h"
#include "schema.h"
#include "frmsplash.h"
#include "launcher.h"
#include "scriptedmessages.h"
#include "startup.h"
#include "testdb.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using corva::ScriptedMessages;
using corva::ShownMessage;

namespace {

const QString DbprepQuestion = u"数据连接失败，是否要安装配置数据库？"_s;
const QString ConfigWarning = u"配置文件不存在或出错，请先配置系统！"_s;

QByteArray pgConfig(const QString& password)
{
    return "[DBconn]\ndriver=postgres\nserver=" + qgetenv("EQ_TEST_PG_SERVER") + "\nDatabase="
           + qgetenv("EQ_TEST_PG") + "\nuser=" + qgetenv("EQ_TEST_PG_USER")
           + "\npassword=" + corva::SavePass(password).toUtf8() + '\n';
}

} // namespace

void TstStartup::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    app::SetConfigPath(configPath());
    app::ClearEndRequest();
    app::DatabaseName.clear();
    app::CurrentOperator.clear();
    m_launcher = std::make_unique<app::RecordingLauncher>();
    m_splashTexts.clear();
    app::TfrmSplash::SetTextObserver([this](const QString& text) { m_splashTexts.append(text); });
}

void TstStartup::cleanup()
{
    app::TfrmSplash::SetTextObserver({});
    m_launcher.reset();
    app::CloseSplash();
    app::ClearEndRequest();
    app::SetConfigPath(QString());
}

QString TstStartup::configPath() const
{
    return m_dir->filePath(u"Config.ini"_s);
}

void TstStartup::writeConfig(const QByteArray& content) const
{
    QFile file(configPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TstStartup::splashWindow()
{
    app::TfrmSplash splash;
    QCOMPARE(splash.objectName(), u"frmSplash"_s);
    QCOMPARE(splash.windowTitle(), u"系统登录 splash 界面"_s);
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(splash.size(), QSize(470, 294));
    QCOMPARE(splash.Image1->geometry(), splash.rect());
    QVERIFY(splash.Image1->hasScaledContents());
    QCOMPARE(splash.Image1->pixmap().size(), QSize(470, 294));
    QCOMPARE(splash.Label1->pos(), QPoint(24, 264));
    QCOMPARE(splash.Label1->font().pixelSize(), 14);
    QCOMPARE(splash.Label1->text(), u"系统正在启动，请稍候 ....."_s);
    // The whole status text fits on the label, and the label inside the window.
    splash.ShowStatus(u"连接成功，正在登录 ....."_s);
    QVERIFY(splash.Label1->width() >= splash.Label1->sizeHint().width());
    QVERIFY(splash.rect().contains(splash.Label1->geometry()));
}

void TstStartup::missingConfigTriesDefaults()
{
    ScriptedMessages messages;
    messages.pushAnswer(corva::No);
    app::Session session;
    QVERIFY(!app::StartUp(session));

    // No file, so the defaults: the embedded database "vaVEVezi" beside the program, which is
    // not there either.
    const db::ConnectionSettings& tried = session.dataModule->ADOcnn.settings();
    QCOMPARE(tried.backend, db::Backend::Sqlite);
    QCOMPARE(tried.server, u"(Local)"_s);
    QCOMPARE(tried.database, QDir(m_dir->path()).filePath(u"vaVEVezi.db"_s));
    QCOMPARE(tried.user, u"sa"_s);
    QCOMPARE(tried.password, QString());
    QCOMPARE(app::DatabaseName, u"vaVEVezi"_s);
    QCOMPARE(messages.log(), (QList<ShownMessage>{{DbprepQuestion, corva::Question}}));
    QVERIFY(!session.mainWindow);
}

void TstStartup::failedConnection_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("attempted");
    QTest::addColumn<QStringList>("started");

    const QStringList nothing;
    const QStringList dbprep{u"dbprep"_s};
    QTest::newRow("no Config.ini, no") << QByteArray() << int(corva::No) << true << nothing;
    QTest::newRow("no Config.ini, yes") << QByteArray() << int(corva::Yes) << true << dbprep;
    QTest::newRow("empty Database") << QByteArray("[DBconn]\nDatabase=\n") << int(corva::No)
                                    << false << nothing;
    QTest::newRow("blank Database, yes")
        << QByteArray("[dbconn]\ndriver=postgres\nserver=127.0.0.1:1\nDatabase=   \n")
        << int(corva::Yes) << false << dbprep;
    QTest::newRow("missing SQLite file") << QByteArray("[DBconn]\nDatabase=nothere\n")
                                         << int(corva::Yes) << true << dbprep;
    QTest::newRow("unreachable PostgreSQL server")
        << QByteArray("[DBconn]\ndriver=postgres\nserver=127.0.0.1:1\nDatabase=eq\n")
        << int(corva::No) << true << nothing;
}

void TstStartup::failedConnection()
{
    QFETCH(QByteArray, config);
    QFETCH(int, answer);
    QFETCH(bool, attempted);
    QFETCH(QStringList, started);
    if (!config.isEmpty())
        writeConfig(config);

    ScriptedMessages messages;
    messages.pushAnswer(answer);
    app::Session session;
    QVERIFY(!app::StartUp(session));

    QCOMPARE(messages.log(), (QList<ShownMessage>{{DbprepQuestion, corva::Question}}));
    QCOMPARE(m_launcher->started(), started);
    QVERIFY(app::EndRequested());
    QVERIFY(!session.dataModule->IsConnected);
    QVERIFY(!session.dataModule->ADOcnn.isOpen());
    // A connection that was tried has left its settings behind.
    QCOMPARE(!session.dataModule->ADOcnn.settings().database.isEmpty(), attempted);
    QVERIFY(!app::frmSplash);
    QVERIFY(!session.mainWindow);
    const QStringList shown = attempted
                                  ? QStringList{u"系统正在启动，请稍候 ....."_s,
                                                u"正在连接数据库 ....."_s}
                                  : QStringList{u"系统正在启动，请稍候 ....."_s};
    QCOMPARE(m_splashTexts, shown);
}

void TstStartup::configurationError_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<bool>("asDirectory");

    QTest::newRow("unknown driver") << QByteArray("[DBconn]\ndriver=oracle\n") << false;
    QTest::newRow("Config.ini cannot be read") << QByteArray() << true;
}

void TstStartup::configurationError()
{
    QFETCH(QByteArray, config);
    QFETCH(bool, asDirectory);
    if (asDirectory)
        QVERIFY(QDir(m_dir->path()).mkdir(u"Config.ini"_s));
    else
        writeConfig(config);

    ScriptedMessages messages;
    app::Session session;
    QVERIFY(!app::StartUp(session));
    QCOMPARE(messages.log(), (QList<ShownMessage>{{ConfigWarning, corva::Warning}}));
    QVERIFY(app::EndRequested());
    QVERIFY(m_launcher->started().isEmpty());
    QVERIFY(session.dataModule->ADOcnn.settings().database.isEmpty());
    QVERIFY(!app::frmSplash);
}

void TstStartup::wrongPostgresPassword()
{
    if (!eqtest::usingPostgres())
        QSKIP("needs the PostgreSQL test server");
    writeConfig(pgConfig(u"not the password"_s));
    ScriptedMessages messages;
    messages.pushAnswer(corva::No);
    app::Session session;
    QVERIFY(!app::StartUp(session));
    QCOMPARE(messages.log(), (QList<ShownMessage>{{DbprepQuestion, corva::Question}}));
    QVERIFY(app::EndRequested());
    QVERIFY(m_launcher->started().isEmpty());
}

void TstStartup::goodDatabase_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<bool>("withExtension");

    QTest::newRow("SQLite file named with extension") << "sqlite" << true;
    QTest::newRow("SQLite file named without extension") << "sqlite" << false;
    if (eqtest::usingPostgres())
        QTest::newRow("PostgreSQL") << "postgres" << false;
}

void TstStartup::goodDatabase()
{
    QFETCH(QString, backend);
    QFETCH(bool, withExtension);

    QString database;
    db::ConnectionSettings settings;
    if (backend == u"sqlite") {
        // A database file beside Config.ini, whatever backend the run uses.
        const QFileInfo file(m_dir->filePath(u"设备库.db"_s));
        settings.backend = db::Backend::Sqlite;
        settings.database = file.filePath();
        database = withExtension ? file.fileName() : file.completeBaseName();
        writeConfig("[DBconn]\ndriver=sqlite\nDatabase=" + database.toUtf8() + '\n');
    } else {
        settings = eqtest::freshDatabase(*m_dir);
        writeConfig(pgConfig(QString::fromLocal8Bit(qgetenv("EQ_TEST_PG_PASSWORD"))));
        database = QString::fromLocal8Bit(qgetenv("EQ_TEST_PG"));
    }
    prepareDatabase(settings);

    ScriptedMessages messages;
    widgets::ScopedModalHandler login(logInAs(u"admin"_s));
    app::Session session;
    QVERIFY(app::StartUp(session));
    QVERIFY(messages.log().isEmpty());
    QVERIFY(session.dataModule->IsConnected);
    QVERIFY(session.dataModule->ADOcnn.isOpen());
    QCOMPARE(data::dmData, session.dataModule.get());
    QCOMPARE(app::DatabaseName, database);
    QVERIFY(!app::EndRequested());
    QVERIFY(m_launcher->started().isEmpty());
    QVERIFY(!app::frmSplash);
    QCOMPARE(m_splashTexts, (QStringList{u"系统正在启动，请稍候 ....."_s, u"正在连接数据库 ....."_s,
                                         u"连接成功，正在登录 ..."_s, u"连接成功，正在登录 ....."_s,
                                         u"连接成功，正在登录 ..."_s,
                                         u"连接成功，正在登录 ....."_s}));
    QCOMPARE(QApplication::applicationDisplayName(), u"澄朔设备管理软件(企业版)"_s);
    QCOMPARE(app::CurrentOperator, u"admin"_s);

    // The main window is created, not yet shown: the message loop shows it.
    reg::TFrmMain* main = session.mainWindow.get();
    QVERIFY(main);
    QCOMPARE(main->objectName(), u"FrmMain"_s);
    QVERIFY(!main->isVisible());
    main->show();
    QCOMPARE(main->windowTitle(), u"澄朔设备管理软件 v2.05(网络版) "_s);
    QCOMPARE(main->StatusPanel(1)->text(), u" admin"_s);
    QVERIFY(main->StatusPanel(4)->text().contains(database));
    QVERIFY(messages.log().isEmpty());

    // "连接网络数据库" ends the running message loop, without the exit question.
    QTimer::singleShot(0, main->action(u"Action505"_s), &QAction::trigger);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    watchdog.start(5000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(m_launcher->started(), QStringList{u"dblink"_s});
    QVERIFY(messages.log().isEmpty());
}

void TstStartup::loginCancelledEndsTheProgram()
{
    const QFileInfo file(m_dir->filePath(u"eq.db"_s));
    prepareDatabase({db::Backend::Sqlite, QString(), file.filePath(), QString(), QString()});
    writeConfig("[DBconn]\ndriver=sqlite\nDatabase=eq.db\n");
    ScriptedMessages messages;
    widgets::ScopedModalHandler cancel([](QDialog& dialog) {
        dialog.findChild<QPushButton*>(u"btnCancel"_s)->click();
        return dialog.result();
    });
    app::Session session;
    QVERIFY(!app::StartUp(session));
    QVERIFY(app::EndRequested());
    QVERIFY(app::CurrentOperator.isEmpty());
    QVERIFY(messages.log().isEmpty());
}

void TstStartup::prepareDatabase(const db::ConnectionSettings& settings)
{
    if (settings.backend == db::Backend::Sqlite) {
        QFile file(settings.database); // SQLite takes a file of no bytes as an empty database
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    try {
        db::Connection connection;
        connection.open(settings);
        data::createSchema(connection);
        data::seedSchema(connection);
    } catch (const db::DbError& e) {
        QFAIL(qPrintable(e.message()));
    }
}

widgets::ModalHandler TstStartup::logInAs(const QString& name)
{
    return [name](QDialog& dialog) {
        dialog.findChild<QComboBox*>(u"cbbOperName"_s)->setEditText(name);
        dialog.findChild<QPushButton*>(u"btnOk"_s)->click();
        return dialog.result();
    };
}
