// dblink: writes the connection keys (DBconn) of Config.ini.
//   dblink                       the dialog, on Config.ini beside the program
//   dblink --config PATH         the dialog, on that file
//   dblink --driver postgres --server ... [--config PATH]
//                                writes the given keys (the others keep their values)
//                                and prints what the file then holds
#include "appvalues.h"
#include "dbconnsettings.h"
#include "dblinkdialog.h"

#include "corva.h"
#include "inifile.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

struct Options
{
    QCommandLineOption driver{QStringLiteral("driver"),
                              QStringLiteral("Database type: sqlite, postgres or sqlserver."),
                              QStringLiteral("name")};
    QCommandLineOption server{QStringLiteral("server"),
                              QStringLiteral("Database server (host or instance)."),
                              QStringLiteral("server")};
    QCommandLineOption database{QStringLiteral("database"),
                                QStringLiteral("Database name; with sqlite the file name."),
                                QStringLiteral("name")};
    QCommandLineOption user{QStringLiteral("user"), QStringLiteral("Login name."),
                            QStringLiteral("name")};
    QCommandLineOption password{QStringLiteral("password"),
                                QStringLiteral("Password (stored encoded)."),
                                QStringLiteral("text")};
    QCommandLineOption config{QStringLiteral("config"),
                              QStringLiteral("The Config.ini to write (default: beside dblink)."),
                              QStringLiteral("path")};

    bool anyConnectionKey(const QCommandLineParser& parser) const
    {
        return parser.isSet(driver) || parser.isSet(server) || parser.isSet(database)
               || parser.isSet(user) || parser.isSet(password);
    }
};

int writeFromOptions(const QCommandLineParser& parser, const Options& options,
                     const QString& configPath)
{
    QTextStream out(stdout);
    QTextStream err(stderr);

    app::IniFile config(configPath);
    app::DbConnSettings settings = app::DbConnSettings::read(config);
    if (parser.isSet(options.driver)) {
        const QString wanted = parser.value(options.driver);
        settings.driver = app::DbConnSettings::normalizedDriver(wanted);
        if (settings.driver.isEmpty()) {
            err << QStringLiteral("dblink: unknown driver \"%1\" (use %2)\n")
                       .arg(wanted,
                            app::DbConnSettings::drivers().join(QStringLiteral(", ")));
            return 2;
        }
    }
    if (parser.isSet(options.server))
        settings.server = parser.value(options.server);
    if (parser.isSet(options.database))
        settings.database = parser.value(options.database);
    if (parser.isSet(options.user))
        settings.user = parser.value(options.user);
    if (parser.isSet(options.password))
        settings.password = parser.value(options.password);

    if (!settings.write(config)) {
        err << QStringLiteral("dblink: cannot write %1\n")
                   .arg(QDir::toNativeSeparators(configPath));
        return 1;
    }
    // Read back what the file now holds; the password only in its stored, encoded form.
    const QString section = QStringLiteral("DBconn");
    out << QDir::toNativeSeparators(configPath) << u'\n';
    out << u'[' << section << u']' << u'\n';
    for (const QString& key : {QStringLiteral("driver"), QStringLiteral("server"),
                              QStringLiteral("Database"), QStringLiteral("user"),
                              QStringLiteral("password")})
        out << key << u'=' << config.readString(section, key) << u'\n';
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    Options options;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes the DBconn keys of Config.ini."));
    const QCommandLineOption help = parser.addHelpOption();
    parser.addOptions({options.driver, options.server, options.database, options.user,
                       options.password, options.config});
    const bool parsed = parser.parse(arguments);

    // The command line needs no display, so only the dialog starts the widget application.
    if (!parsed || parser.isSet(help) || options.anyConnectionKey(parser)) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("dblink"));
        if (!parsed) {
            std::fprintf(stderr, "dblink: %s\n", qUtf8Printable(parser.errorText()));
            return 2;
        }
        if (parser.isSet(help))
            parser.showHelp(0);
        const QString configPath = parser.isSet(options.config) ? parser.value(options.config)
                                                                : app::ConfigPath();
        return writeFromOptions(parser, options, configPath);
    }

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dblink"));
    const QString caption = QStringLiteral("连接网络数据库");
    corva::SetMessageTitle(caption);
    const QString configPath = parser.isSet(options.config) ? parser.value(options.config)
                                                            : app::ConfigPath();
    dblink::DbLinkDialog dialog(configPath);
    corva::DispFormPos(&dialog, 0);
    dialog.exec();
    return 0;
}
