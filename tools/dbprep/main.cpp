// dbprep: sets up the register database that Config.ini names.
//   dbprep [--config PATH] [--force] [--demo] [--count N]
// Exit codes: 0 done, 1 failed, 2 bad command line or configuration, 3 refused because the
// database already holds the register's tables (without --force).
#include "setup.h"

#include "corva.h"
#include "inifile.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>
#include <memory>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY")
           || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char** argv)
{
    // Started by the program after a failed connection there is no terminal to read the outcome
    // on, so it is shown in a message box. Otherwise the outcome goes to the terminal, and the
    // sample pictures are drawn without any display.
    const bool showBox = !isatty(STDIN_FILENO) && displayAvailable();
    std::unique_ptr<QGuiApplication> app;
    if (showBox) {
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(u"dbprep"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Creates the register database named in Config.ini, with its tables and seed rows."_s);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption config(u"config"_s,
                                    u"The Config.ini to read (default: beside dbprep)."_s,
                                    u"path"_s);
    const QCommandLineOption force(
        u"force"_s, u"Drop and recreate the register's tables when they exist (data is lost)."_s);
    const QCommandLineOption demo(u"demo"_s, u"Add a sample register."_s);
    const QCommandLineOption count(u"count"_s,
                                   u"Pieces of equipment of the sample register (implies --demo; "
                                   "default 300)."_s,
                                   u"N"_s);
    parser.addOptions({config, force, demo, count});

    auto finish = [&](int code, const QString& text) {
        std::fprintf(code == dbprep::Done ? stdout : stderr, "%s\n", qUtf8Printable(text));
        if (showBox) {
            corva::SetMessageTitle(u"数据库安装配置"_s);
            corva::ShowMess(text, code == dbprep::Done      ? corva::Information
                                  : code == dbprep::Refused ? corva::Warning
                                                            : corva::Error);
        }
        return code;
    };

    if (!parser.parse(QCoreApplication::arguments()))
        return finish(dbprep::BadUsage, u"dbprep: "_s + parser.errorText());
    if (parser.isSet(help))
        parser.showHelp(0);

    dbprep::SetupOptions options;
    options.force = parser.isSet(force);
    options.demo = parser.isSet(demo) || parser.isSet(count);
    if (parser.isSet(count)) {
        bool ok = false;
        options.count = parser.value(count).toInt(&ok);
        if (!ok || options.count < 0)
            return finish(dbprep::BadUsage,
                          u"dbprep: --count needs a whole number, not \"%1\""_s.arg(
                              parser.value(count)));
    }

    const QString configPath =
        parser.isSet(config)
            ? QDir::current().absoluteFilePath(parser.value(config))
            : QDir(QCoreApplication::applicationDirPath()).filePath(u"Config.ini"_s);
    const app::IniFile ini(configPath);
    const auto settings = dbprep::settingsFromConfig(ini);
    if (!settings) {
        return finish(dbprep::BadUsage,
                      u"dbprep: %1: unknown driver \"%2\" (use sqlite, postgres or sqlserver)"_s
                          .arg(QDir::toNativeSeparators(configPath),
                               ini.readString(u"DBconn"_s, u"driver"_s)));
    }

    QElapsedTimer timer;
    timer.start();
    const dbprep::SetupOutcome outcome = dbprep::prepareDatabase(*settings, options);
    QString text = outcome.message;
    if (outcome.code == dbprep::Done)
        text += u"\n用时 %1 秒。"_s.arg(double(timer.elapsed()) / 1000.0, 0, 'f', 1);
    return finish(outcome.code, text);
}
