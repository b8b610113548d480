#include "frmoperlogin.h"
#include "ui_frmoperlogin.h"

#include "appvalues.h"
#include "corva.h"
#include "dmdata.h"
#include "endrequest.h"
#include "inifile.h"
#include "keyfilter.h"
#include "loginhost.h"
#include "modalrunner.h"
#include "rights.h"
#include "sqlquote.h"

#include "resources.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace operators {

namespace {

constexpr int MaxWrongPasswords = 4;

} // namespace

TfrmOperLogin::TfrmOperLogin(LoginHost* host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_ui(std::make_unique<Ui::TfrmOperLogin>()),
      m_host(host)
{
    m_ui->setupUi(this);
    Image1 = m_ui->Image1;
    Label1 = m_ui->Label1;
    GroupBox1 = m_ui->GroupBox1;
    cbbOperName = m_ui->cbbOperName;
    edtPassWord = m_ui->edtPassWord;
    btnOk = m_ui->btnOk;
    btnCancel = m_ui->btnCancel;

    setFixedSize(338, 223);
    resources::init();
    Image1->setPixmap(QPixmap(u":/images/banner-login.svg"_s));
    // The password shows as asterisks, not as the style's dots.
    edtPassWord->setStyleSheet(u"lineedit-password-character: 42;"_s);

    // Enter moves on from the boxes and presses a focused button; Escape is 取消.
    auto* keys = new widgets::KeyFilter(this);
    keys->setOnEscape([this] { btnCancelClick(); });

    connect(btnOk, &QPushButton::clicked, this, &TfrmOperLogin::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmOperLogin::btnCancelClick);

    FormCreate();
    corva::DispFormPos(this, 0);
}

TfrmOperLogin::~TfrmOperLogin() = default;

void TfrmOperLogin::FormCreate()
{
    if (data::dmData) {
        data::dmData->FillPickList(u"select F_name from OperList where F_name <> '' "_s,
                                   cbbOperName);
    }
    cbbOperName->setEditText(app::ConfigFile().readString(u"Config"_s, u"CurOperName"_s));
    // The user types the password for the remembered name, or a name when there is none; an
    // Enter on a focused 确定 would otherwise log in with an empty password at once.
    QWidget* first = cbbOperName->currentText().trimmed().isEmpty()
                         ? static_cast<QWidget*>(cbbOperName)
                         : static_cast<QWidget*>(edtPassWord);
    first->setFocus();
}

void TfrmOperLogin::btnOkClick()
{
    const QString name = cbbOperName->currentText().trimmed();
    if (name.isEmpty()) {
        corva::ShowMess(u"请选择用户！"_s, corva::Information);
        cbbOperName->setFocus();
        return;
    }

    const QString quotedName = db::sqlValue(name);
    data::TdmData* dm = data::dmData;
    const qint64 id = dm ? dm->LookupInt(u"select F_ID from OperList where F_name = '"_s
                                         + quotedName + u"' "_s)
                         : 0;
    if (id <= 0) {
        corva::ShowMess(u"此操作员并不存在，请重新选择操作员！"_s, corva::Information);
        cbbOperName->setFocus();
        return;
    }

    const QString stored = corva::GetPass(dm->LookupText(
        u"select f_PassWord from OperList Where F_Name = '"_s + quotedName + u"' "_s));
    // A password that could not be read must not pass for the empty one. A failed lookup has
    // told the user already; a row gone since the name was found is a name not found.
    if (!dm->QryTemp.isOpen())
        return;
    if (dm->QryTemp.isEmpty()) {
        corva::ShowMess(u"此操作员并不存在，请重新选择操作员！"_s, corva::Information);
        cbbOperName->setFocus();
        return;
    }
    if (stored == edtPassWord->text()) {
        ApplyLogin(m_host, cbbOperName->currentText());
        m_loginApplied = true;
        finish(QDialog::Accepted);
        return;
    }

    ++m_wrongPasswords;
    if (m_wrongPasswords < MaxWrongPasswords) {
        corva::ShowMess(u"用户名或密码不正确，请重新输入！"_s, corva::Information);
        return;
    }
    if (m_mode == 0) {
        dm->WriteLog(u"登录失败！"_s);
        corva::ShowMess(u"非法操作员!"_s, corva::Error);
        app::RequestEnd();
    } else {
        dm->WriteLog(u"更换操作员失败！"_s);
        corva::ShowMess(u"更换操作员失败!"_s, corva::Error);
    }
    // The program ends (mode 0) or the previous operator stays (mode 1): either way this
    // window has nothing left to do.
    finish(QDialog::Rejected);
}

void TfrmOperLogin::btnCancelClick()
{
    if (m_mode == 0)
        app::RequestEnd();
    finish(QDialog::Rejected);
}

void TfrmOperLogin::reject()
{
    if (!m_closing)
        btnCancelClick();
}

void TfrmOperLogin::keyPressEvent(QKeyEvent* event)
{
    // Alt+F4 must not close the window behind the buttons' back.
    if (event->key() == Qt::Key_F4 && (event->modifiers() & Qt::AltModifier)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmOperLogin::closeEvent(QCloseEvent* event)
{
    if (m_closing)
        event->accept();
    else
        event->ignore();
}

void TfrmOperLogin::finish(int result)
{
    m_closing = true;
    done(result);
}

bool ShowLogin(int mode, LoginHost* host)
{
    TfrmOperLogin form(host, dynamic_cast<QWidget*>(host));
    form.setMode(mode);
    widgets::execModal(form);
    const bool applied = form.loginApplied();
    // Whatever closed the first login without an operator, the program must not go on
    // without one.
    if (mode == 0 && !applied)
        app::RequestEnd();
    return applied;
}

void ApplyLogin(LoginHost* host, const QString& operatorNameText)
{
    app::CurrentOperator = operatorNameText.trimmed();
    app::ConfigFile().writeString(u"Config"_s, u"CurOperName"_s, app::CurrentOperator);
    if (host) {
        SetLimits(*host, operatorNameText);
        host->showOperatorName(operatorNameText);
    }
}

} // namespace operators
