// The data module's creation: the connection step of the start-up.
#include "dmdata.h"

#include "appvalues.h"
#include "corva.h"
#include "dbconnsettings.h"
#include "dberror.h"
#include "endrequest.h"
#include "frmsplash.h"
#include "inifile.h"
#include "launcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace data {

namespace {

// The DBconn keys, or nothing when Config.ini cannot be read as a configuration: a file that is
// there but cannot be opened, or a driver the program does not know. A missing file is no error;
// its keys read as their defaults.
std::optional<app::DbConnSettings> readSettings(const app::IniFile& config)
{
    if (config.exists()) {
        QFile file(config.path());
        if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
            return std::nullopt;
    }
    app::DbConnSettings settings = app::DbConnSettings::read(config);
    // A blank driver key counts as a missing one: the embedded default.
    const QString driver = settings.driver.trimmed().isEmpty()
                               ? app::DbConnSettings().driver
                               : app::DbConnSettings::normalizedDriver(settings.driver);
    if (driver.isEmpty())
        return std::nullopt;
    settings.driver = driver;
    return settings;
}

} // namespace

void TdmData::DataModuleCreate()
{
    const std::optional<app::DbConnSettings> settings = readSettings(app::ConfigFile());
    if (!settings) {
        corva::ShowMess(QStringLiteral("配置文件不存在或出错，请先配置系统！"), corva::Warning);
        app::RequestEnd();
        return;
    }
    app::DatabaseName = settings->database;
    if (app::frmSplash)
        app::frmSplash->Label1->repaint();

    ADOcnn.close();
    IsConnected = false;
    if (!settings->database.trimmed().isEmpty()) {
        app::ShowSplashText(QStringLiteral("正在连接数据库 ....."));
        try {
            ADOcnn.open(settings->connectionSettings(app::ProgramFolder()));
            IsConnected = true;
        } catch (const db::DbError&) {
            // The provider's own text is not shown; every failure asks the same question.
        }
    }
    if (IsConnected) {
        app::ShowSplashText(QStringLiteral("连接成功，正在登录 ..."));
        return;
    }

    app::CloseSplash();
    if (corva::ShowMess(QStringLiteral("数据连接失败，是否要安装配置数据库？"), corva::Question)
        == corva::Yes)
        app::StartProgram(QStringLiteral("dbprep"));
    app::RequestEnd();
}

} // namespace data
