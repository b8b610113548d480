#pragma once
// The login window: the first login at start-up and the change of operator while running.

#include <QDialog>

#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Ui {
class TfrmOperLogin;
}

namespace operators {

class LoginHost;

/// Name and password of an operator, checked against OperList. Closes only through 确定 (after a
/// correct password, or after the fourth wrong one in mode 1) or 取消; in mode 0 (first login)
/// a cancel or a fourth wrong password asks the program to end.
class TfrmOperLogin : public QDialog
{
    Q_OBJECT
public:
    /// The host receives the rights and the operator's name after a correct password.
    explicit TfrmOperLogin(LoginHost* host, QWidget* parent = nullptr);
    ~TfrmOperLogin() override;

    QLabel* Image1;
    QLabel* Label1;
    QGroupBox* GroupBox1;
    QComboBox* cbbOperName;
    QLineEdit* edtPassWord;
    QPushButton* btnOk;
    QPushButton* btnCancel;

    /// 0: first login at start-up; 1: change of operator from the main window.
    void setMode(int mode) { m_mode = mode; }
    int mode() const { return m_mode; }
    /// Wrong passwords since the window was created.
    int wrongPasswords() const { return m_wrongPasswords; }
    /// True once a correct password has been applied.
    bool loginApplied() const { return m_loginApplied; }

public Q_SLOTS:
    /// Fills the names from OperList and proposes the last operator of Config.ini.
    void FormCreate();
    void btnOkClick();
    void btnCancelClick();
    /// Escape and every other reject go the way of 取消.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    /// Closes the window with the result, through the one path the close event lets pass.
    void finish(int result);

    std::unique_ptr<Ui::TfrmOperLogin> m_ui;
    LoginHost* m_host;
    int m_mode = 0;
    int m_wrongPasswords = 0;
    bool m_loginApplied = false;
    bool m_closing = false;
};

/// Runs a fresh login window in the mode (0 first login, 1 change of operator) modally and frees
/// it. True when an operator logged in and the login was applied to the host.
bool ShowLogin(int mode, LoginHost* host);

/// After a correct password: CurrentOperator and Config.ini's CurOperName become the trimmed
/// name, the rights are applied to the host and its status bar shows the name as typed.
void ApplyLogin(LoginHost* host, const QString& operatorNameText);

} // namespace operators
