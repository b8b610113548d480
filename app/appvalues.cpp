#include "appvalues.h"

#include "inifile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <memory>

namespace app {

namespace {

QString& overridePath()
{
    static QString path;
    return path;
}

std::unique_ptr<IniFile>& configFile()
{
    static std::unique_ptr<IniFile> file;
    return file;
}

} // namespace

QString ConfigPath()
{
    if (!overridePath().isEmpty())
        return overridePath();
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Config.ini"));
}

void SetConfigPath(const QString& path)
{
    overridePath() = path;
    configFile().reset();
}

IniFile& ConfigFile()
{
    std::unique_ptr<IniFile>& file = configFile();
    // The executable's folder is known only once the application object exists, so the object
    // is made on first use and not at load time.
    if (!file || file->path() != ConfigPath())
        file = std::make_unique<IniFile>(ConfigPath());
    return *file;
}

QString ProgramFolder()
{
    return QFileInfo(ConfigPath()).absolutePath();
}

} // namespace app
