#pragma once

#include "dbconnsettings.h"

#include <QDialog>

#include <memory>

namespace Ui {
class DbLinkDialog;
}

namespace dblink {

using app::DbConnSettings;

// The dialog "连接网络数据库": edits the DBconn keys of one Config.ini. Its work (load, save) is
// callable without showing it.
class DbLinkDialog : public QDialog
{
    Q_OBJECT

public:
    explicit DbLinkDialog(QString configPath, QWidget* parent = nullptr);
    ~DbLinkDialog() override;

    QString configPath() const { return m_configPath; }

    // Fills the fields from the file, the password decoded.
    void load();
    DbConnSettings settings() const;
    void setSettings(const DbConnSettings& settings);
    // Writes the fields into the file and says so; false (after an error message) when the file
    // cannot be written.
    bool save();

public Q_SLOTS:
    void btnOKClick();

private Q_SLOTS:
    void cbbDriverChange();

private:
    std::unique_ptr<Ui::DbLinkDialog> m_ui;
    QString m_configPath;
};

} // namespace dblink
