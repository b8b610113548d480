#include "launcher.h"

#include "appvalues.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace app {

namespace {

ProgramLauncher* g_installed = nullptr;

} // namespace

ProgramLauncher& ProgramLauncher::current()
{
    static SystemLauncher system;
    return g_installed ? *g_installed : system;
}

void ProgramLauncher::install(ProgramLauncher* launcher)
{
    g_installed = launcher;
}

void StartProgram(const QString& program)
{
    ProgramLauncher::current().start(program);
}

void OpenDocument(const QString& document)
{
    ProgramLauncher::current().open(document);
}

QString SystemLauncher::locate(const QString& program)
{
    const QString besideUs = QDir(QCoreApplication::applicationDirPath()).filePath(program);
    const QFileInfo info(besideUs);
    if (info.isFile() && info.isExecutable())
        return besideUs;
    return QStandardPaths::findExecutable(program);
}

void SystemLauncher::start(const QString& program)
{
    const QString file = locate(program);
    // The sibling programs find Config.ini beside themselves; starting them from the program's
    // folder keeps relative paths they may use pointing at the same place.
    QProcess::startDetached(file.isEmpty() ? program : file, {},
                            QCoreApplication::applicationDirPath());
}

void SystemLauncher::open(const QString& document)
{
    // A bare name is looked for in the program's folder, where the help files are installed.
    const QFileInfo info(QDir(QCoreApplication::applicationDirPath()), document);
    QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

RecordingLauncher::RecordingLauncher()
    : m_previous(g_installed)
{
    install(this);
}

RecordingLauncher::~RecordingLauncher()
{
    install(m_previous);
}

} // namespace app
