// eqshots FOLDER: starts the program on a fresh demo register, logs in as "admin" and saves a
// picture of each window as a user sees it: the login window, the main window on each navigation
// and detail page, and the dialogs opened from it. One PNG per window, named after the window.
#include "appvalues.h"
#include "dbgrideh.h"
#include "frmmain.h"
#include "inifile.h"
#include "modalrunner.h"
#include "setup.h"
#include "startup.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QString g_folder;
QStringList g_saved;

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

void save(QWidget* window, const QString& name)
{
    settle();
    const QString file = QDir(g_folder).filePath(name + u".png"_s);
    if (window->grab().save(file))
        g_saved.append(file);
    else
        std::fprintf(stderr, "eqshots: could not write %s\n", qPrintable(file));
}

// The window's class name without its namespace: TFrmTreeCodeMan, TfrmOperLogin, ...
QString windowName(const QWidget& window)
{
    return QString::fromLatin1(window.metaObject()->className()).section(u"::"_s, -1);
}

// Every dialog is shown, photographed and cancelled; the login is answered as "admin".
int photographDialog(QDialog& dialog)
{
    dialog.show();
    save(&dialog, windowName(dialog));
    if (auto* name = dialog.findChild<QComboBox*>(u"cbbOperName"_s)) {
        name->setEditText(u"admin"_s);
        dialog.findChild<QPushButton*>(u"btnOk"_s)->click();
        dialog.hide();
        return dialog.result();
    }
    dialog.hide();
    return QDialog::Rejected;
}

bool prepareDemo(const QString& folder)
{
    const QString config = QDir(folder).filePath(u"Config.ini"_s);
    app::SetConfigPath(config);
    app::ConfigFile().writeString(u"DBconn"_s, u"driver"_s, u"sqlite"_s);
    app::ConfigFile().writeString(u"DBconn"_s, u"Database"_s, u"demo"_s);
    db::ConnectionSettings settings;
    settings.database = QDir(folder).filePath(u"demo.db"_s);
    dbprep::SetupOptions options;
    options.demo = true;
    const dbprep::SetupOutcome outcome = dbprep::prepareDatabase(settings, options);
    if (outcome.code != dbprep::Done) {
        std::fprintf(stderr, "eqshots: %s\n", qPrintable(outcome.message));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: eqshots FOLDER\n");
        return 2;
    }
    g_folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_folder);

    QTemporaryDir work;
    if (!work.isValid() || !prepareDemo(work.path()))
        return 1;

    widgets::setModalHandler(photographDialog);
    app::Session session;
    if (!app::StartUp(session))
        return 1;
    reg::TFrmMain& main = *session.mainWindow;
    main.resize(1280, 800);
    main.show();

    const std::pair<QWidget*, QString> navigation[] = {{main.RzTabSheet2, u"types"_s},
                                                       {main.RzTabSheet1, u"list"_s}};
    for (const auto& [page, name] : navigation) {
        main.rpcSET->setCurrentWidget(page);
        save(&main, u"TFrmMain-navigation-"_s + name);
    }
    main.rpcSET->setCurrentWidget(main.RzTabSheet2);
    const QString details[] = {u"accessories"_s, u"pictures"_s, u"documents"_s, u"remarks"_s};
    for (int row = 0; row < 4; ++row) {
        // A row with detail rows makes the detail page worth looking at.
        main.ListView1->setCurrentRow(row);
        save(&main, u"TFrmMain-detail-"_s + details[row]);
    }
    main.ListView1->setCurrentRow(0);
    for (const QString& command : {u"Action105"_s, u"Action205"_s, u"Action204"_s})
        main.action(command)->trigger();

    widgets::setModalHandler({});
    for (const QString& file : g_saved)
        std::printf("%s\n", qPrintable(file));
    return g_saved.isEmpty() ? 1 : 0;
}
