#include "dblinkdialog.h"
#include "ui_dblinkdialog.h"

#include "corva.h"
#include "inifile.h"

#include <QDir>

namespace dblink {

DbLinkDialog::DbLinkDialog(QString configPath, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::DbLinkDialog>())
    , m_configPath(std::move(configPath))
{
    m_ui->setupUi(this);
    connect(m_ui->btnOK, &QPushButton::clicked, this, &DbLinkDialog::btnOKClick);
    connect(m_ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->cbbDriver, &QComboBox::currentIndexChanged, this,
            &DbLinkDialog::cbbDriverChange);
    load();
    cbbDriverChange();
}

void DbLinkDialog::cbbDriverChange()
{
    // A local SQLite file needs no server, login or password.
    const bool server = m_ui->cbbDriver->currentIndex() != 0;
    m_ui->edtServer->setEnabled(server);
    m_ui->edtUser->setEnabled(server);
    m_ui->edtPassword->setEnabled(server);
}

DbLinkDialog::~DbLinkDialog() = default;

void DbLinkDialog::load()
{
    setSettings(DbConnSettings::read(app::IniFile(m_configPath)));
}

DbConnSettings DbLinkDialog::settings() const
{
    DbConnSettings s;
    s.driver = DbConnSettings::drivers().value(m_ui->cbbDriver->currentIndex(), s.driver);
    s.server = m_ui->edtServer->text();
    s.database = m_ui->edtDatabase->text();
    s.user = m_ui->edtUser->text();
    s.password = m_ui->edtPassword->text();
    return s;
}

void DbLinkDialog::setSettings(const DbConnSettings& settings)
{
    // An unknown driver in the file shows as the default, the local file.
    const QString driver = DbConnSettings::normalizedDriver(settings.driver);
    const int index = int(DbConnSettings::drivers().indexOf(driver));
    m_ui->cbbDriver->setCurrentIndex(index < 0 ? 0 : index);
    m_ui->edtServer->setText(settings.server);
    m_ui->edtDatabase->setText(settings.database);
    m_ui->edtUser->setText(settings.user);
    m_ui->edtPassword->setText(settings.password);
}

bool DbLinkDialog::save()
{
    app::IniFile config(m_configPath);
    if (!settings().write(config)) {
        corva::ShowMess(
            QStringLiteral("无法写入配置文件 %1！").arg(QDir::toNativeSeparators(m_configPath)),
            corva::Error);
        return false;
    }
    corva::ShowMess(QStringLiteral("连接设置已保存。"), corva::Information);
    return true;
}

void DbLinkDialog::btnOKClick()
{
    if (save())
        accept();
}

} // namespace dblink
