#include "tst_login.h"

#include "appvalues.h"
#include "corva.h"
#include "dmdata.h"
#include "endrequest.h"
#include "fixture.h"
#include "frmoperlogin.h"
#include "inifile.h"
#include "modalrunner.h"
#include "scriptedmessages.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using eqtest::FakeHost;

namespace {

const QString Cancel = u"<取消>"_s;
const QString Wrong = u"0:用户名或密码不正确，请重新输入！"_s;
const QString NoName = u"0:请选择用户！"_s;
const QString Unknown = u"0:此操作员并不存在，请重新选择操作员！"_s;

// "kind:text" of every message shown, in order.
QStringList shown(const corva::ScriptedMessages& messages)
{
    QStringList texts;
    for (const corva::ShownMessage& message : messages.log())
        texts.append(QString::number(message.kind) + u':' + message.text);
    return texts;
}

QStringList repeated(const QString& text, int times)
{
    QStringList list;
    for (int i = 0; i < times; ++i)
        list.append(text);
    return list;
}

QString configName()
{
    return app::ConfigFile().readString(u"Config"_s, u"CurOperName"_s);
}

} // namespace

TstLogin::TstLogin() = default;
TstLogin::~TstLogin() = default;

void TstLogin::init()
{
    m_db = std::make_unique<eqtest::OperatorsDb>();
    QVERIFY(m_db->isValid());
    m_db->addOperator(u"zhang"_s, u"Secret1"_s);
    m_db->addOperator(u"li"_s, u"li pw"_s);
    m_db->addOperator(u"O'Neil"_s, u"x'y"_s);
    m_db->grant(u"zhang"_s, u"更改密码"_s);
    m_db->grant(u"zhang"_s, u"新增"_s);
    m_db->grant(u"li"_s, u"统计"_s);
}

void TstLogin::cleanup()
{
    m_db.reset();
}

void TstLogin::logins_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("previous");     // the operator logged in before
    QTest::addColumn<QStringList>("attempts"); // "name|password" pressed with 确定, or Cancel
    QTest::addColumn<bool>("loggedIn");
    QTest::addColumn<QString>("operatorAfter");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<bool>("endRequested");
    QTest::addColumn<QString>("configAfter"); // Config.ini holds "li" before every case
    QTest::addColumn<QString>("statusAfter");
    QTest::addColumn<QStringList>("visibleAfter"); // the host starts with everything hidden

    const QStringList zhangRights{u"Action102"_s, u"Action201"_s, u"Action901"_s, u"mi100"_s,
                                  u"mi200"_s};
    const QStringList liRights{u"Action401"_s, u"mi400"_s};
    const QStringList everything =
        eqtest::governedActions() + eqtest::mirroredActions() + eqtest::menuNames();

    QTest::newRow("empty name, then cancel")
        << 1 << u"li"_s << QStringList{u"   |x"_s, Cancel} << false << u"li"_s
        << QStringList{NoName} << QStringList{} << false << u"li"_s << u"(before)"_s
        << QStringList{};
    QTest::newRow("unknown name, then cancel")
        << 1 << u"li"_s << QStringList{u"nobody|"_s, Cancel} << false << u"li"_s
        << QStringList{Unknown} << QStringList{} << false << u"li"_s << u"(before)"_s
        << QStringList{};
    QTest::newRow("name errors do not count, three wrong then right")
        << 0 << u""_s
        << QStringList{u"|"_s,        u"nobody|Secret1"_s, u"zhang|a"_s,
                       u"zhang|b"_s,  u"zhang|Secret1 "_s, u"zhang|Secret1"_s}
        << true << u"zhang"_s << (QStringList{NoName, Unknown} + repeated(Wrong, 3))
        << QStringList{} << false << u"zhang"_s << u"zhang"_s << zhangRights;
    QTest::newRow("fourth wrong password at the first login")
        << 0 << u""_s << repeated(u"zhang|secret"_s, 4) << false << u""_s
        << (repeated(Wrong, 3) << u"3:非法操作员!"_s) << QStringList{u"|登录失败！"_s} << true
        << u"li"_s << u"(before)"_s << QStringList{};
    QTest::newRow("fourth wrong password at a change of operator")
        << 1 << u"li"_s << repeated(u"zhang|secret"_s, 4) << false << u"li"_s
        << (repeated(Wrong, 3) << u"3:更换操作员失败!"_s) << QStringList{u"li|更换操作员失败！"_s}
        << false << u"li"_s << u"(before)"_s << QStringList{};
    QTest::newRow("administrator in capitals")
        << 1 << u"li"_s << QStringList{u"ADMIN|"_s} << true << u"ADMIN"_s << QStringList{}
        << QStringList{} << false << u"ADMIN"_s << u"ADMIN"_s << everything;
    QTest::newRow("administrator's password must match exactly")
        << 1 << u"li"_s << QStringList{u"Admin| "_s, Cancel} << false << u"li"_s
        << QStringList{Wrong} << QStringList{} << false << u"li"_s << u"(before)"_s
        << QStringList{};
    QTest::newRow("blanks around the name")
        << 0 << u""_s << QStringList{u"  zhang \t|Secret1"_s} << true << u"zhang"_s
        << QStringList{} << QStringList{} << false << u"zhang"_s << u"  zhang \t"_s
        << zhangRights;
    QTest::newRow("password differing in case")
        << 1 << u"li"_s << QStringList{u"zhang|secret1"_s, u"zhang|SECRET1"_s, Cancel} << false
        << u"li"_s << repeated(Wrong, 2) << QStringList{} << false << u"li"_s << u"(before)"_s
        << QStringList{};
    QTest::newRow("password with a blank inside")
        << 1 << u"zhang"_s << QStringList{u"li|li pw"_s} << true << u"li"_s << QStringList{}
        << QStringList{} << false << u"li"_s << u"li"_s << liRights;
    QTest::newRow("quotes in name and password")
        << 1 << u"li"_s << QStringList{u"O'Neil|x'y"_s} << true << u"O'Neil"_s << QStringList{}
        << QStringList{} << false << u"O'Neil"_s << u"O'Neil"_s << QStringList{};
    QTest::newRow("cancel at the first login")
        << 0 << u""_s << QStringList{Cancel} << false << u""_s << QStringList{} << QStringList{}
        << true << u"li"_s << u"(before)"_s << QStringList{};
    QTest::newRow("cancel at a change of operator")
        << 1 << u"li"_s << QStringList{u"zhang|wrong"_s, Cancel} << false << u"li"_s
        << QStringList{Wrong} << QStringList{} << false << u"li"_s << u"(before)"_s
        << QStringList{};
}

void TstLogin::logins()
{
    QFETCH(int, mode);
    QFETCH(QString, previous);
    QFETCH(QStringList, attempts);
    QFETCH(bool, loggedIn);
    QFETCH(QString, operatorAfter);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, log);
    QFETCH(bool, endRequested);
    QFETCH(QString, configAfter);
    QFETCH(QString, statusAfter);
    QFETCH(QStringList, visibleAfter);

    app::CurrentOperator = previous;
    QVERIFY(app::ConfigFile().writeString(u"Config"_s, u"CurOperName"_s, u"li"_s));
    FakeHost host(false);
    corva::ScriptedMessages scripted;

    int attemptsMade = 0;
    int seenMode = -1;
    bool closed = false;
    widgets::ScopedModalHandler handler([&](QDialog& dialog) {
        auto* form = qobject_cast<operators::TfrmOperLogin*>(&dialog);
        if (!form)
            return int(QDialog::Rejected);
        seenMode = form->mode();
        QObject::connect(form, &QDialog::finished, form, [&] { closed = true; });
        for (const QString& attempt : attempts) {
            if (closed)
                break;
            ++attemptsMade;
            if (attempt == Cancel) {
                form->btnCancel->click();
                continue;
            }
            form->cbbOperName->setEditText(attempt.section(u'|', 0, 0));
            form->edtPassWord->setText(attempt.section(u'|', 1));
            form->btnOk->click();
        }
        return form->result();
    });

    QCOMPARE(operators::ShowLogin(mode, &host), loggedIn);
    QCOMPARE(seenMode, mode);
    QCOMPARE(attemptsMade, attempts.size());
    QVERIFY2(closed, "the window is still open after the last attempt");
    QCOMPARE(shown(scripted), messages);
    QCOMPARE(app::CurrentOperator, operatorAfter);
    QCOMPARE(m_db->logRows(), log);
    QCOMPARE(app::EndRequested(), endRequested);
    QCOMPARE(configName(), configAfter);
    QCOMPARE(host.status, statusAfter);
    std::sort(visibleAfter.begin(), visibleAfter.end());
    QCOMPARE(host.visibleNames(), visibleAfter);
}

void TstLogin::nameErrorsRefocusName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << u""_s << NoName;
    QTest::newRow("blanks only") << u"  "_s << NoName;
    QTest::newRow("unknown") << u"zhan"_s << Unknown;
    QTest::newRow("quote in an unknown name") << u"a' or '1'='1"_s << Unknown;
}

void TstLogin::nameErrorsRefocusName()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    FakeHost host(false);
    operators::TfrmOperLogin form(&host);
    form.setMode(1);
    form.cbbOperName->setEditText(name);
    form.btnOk->setFocus();

    corva::ScriptedMessages scripted;
    for (int i = 0; i < 5; ++i)
        form.btnOkClick();
    QCOMPARE(shown(scripted), repeated(message, 5));
    QCOMPARE(form.focusWidget(), form.cbbOperName);
    QCOMPARE(form.wrongPasswords(), 0);
    QVERIFY(!form.loginApplied());
}

void TstLogin::unreadablePassword()
{
    // The name is found, but its password cannot be read: no login with the empty password.
    QVERIFY(m_db->dm().ExecSql(
        u"alter table OperList rename column F_PassWord to F_OldPassWord "_s));
    FakeHost host(false);
    corva::ScriptedMessages scripted;
    operators::TfrmOperLogin form(&host);
    form.setMode(1);
    form.cbbOperName->setEditText(u"admin"_s);
    form.edtPassWord->clear();
    form.btnOkClick();

    QCOMPARE(shown(scripted), QStringList{u"3:操作失败，请检查数据连接... "_s});
    QVERIFY(!form.loginApplied());
    QCOMPARE(form.wrongPasswords(), 0);
    QCOMPARE(app::CurrentOperator, QString());
    QCOMPARE(host.visibleNames(), QStringList{});
}

void TstLogin::formCreate()
{
    m_db->addOperator(u"wang"_s, QString());
    QVERIFY(m_db->dm().ExecSql(u"update OperList set F_Flag = 1 where F_Name = 'wang' "_s));
    m_db->addOperator(QString(), QString());
    QVERIFY(app::ConfigFile().writeString(u"Config"_s, u"CurOperName"_s, u"nobody"_s));

    FakeHost host(false);
    corva::ScriptedMessages scripted;
    operators::TfrmOperLogin form(&host);
    QStringList names;
    for (int i = 0; i < form.cbbOperName->count(); ++i)
        names.append(form.cbbOperName->itemText(i));
    std::sort(names.begin(), names.end());
    QCOMPARE(names, (QStringList{u"O'Neil"_s, u"admin"_s, u"li"_s, u"wang"_s, u"zhang"_s}));
    QCOMPARE(form.cbbOperName->currentText(), u"nobody"_s);
    QVERIFY(scripted.log().isEmpty());

    // No Config.ini yet: the name box starts empty.
    QFile::remove(m_db->configPath());
    operators::TfrmOperLogin fresh(&host);
    QCOMPARE(fresh.cbbOperName->currentText(), QString());
}

void TstLogin::window()
{
    FakeHost host(false);
    operators::TfrmOperLogin form(&host);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QCOMPARE(form.windowTitle(), u"登录窗口"_s);
    QCOMPARE(form.size(), QSize(338, 223));
    const Qt::WindowFlags flags = form.windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinMaxButtonsHint));

    QCOMPARE(form.Label1->text(),
             u"请输入正确的操作员编号及密码，系统管理员“admin”，系统初始密码为空："_s);
    QVERIFY(form.Label1->wordWrap());
    QCOMPARE(form.btnOk->text(), u"确定"_s);
    QCOMPARE(form.btnCancel->text(), u"取消"_s);
    QCOMPARE(form.findChild<QLabel*>(u"Label2"_s)->text(), u"姓  名："_s);
    QCOMPARE(form.findChild<QLabel*>(u"Label3"_s)->text(), u"密  码："_s);
    QVERIFY(form.cbbOperName->isEditable());
    QCOMPARE(form.edtPassWord->echoMode(), QLineEdit::Password);
    for (QWidget* control : {static_cast<QWidget*>(form.cbbOperName),
                             static_cast<QWidget*>(form.edtPassWord)})
        QVERIFY(form.GroupBox1->isAncestorOf(control));
    QCOMPARE(form.Image1->geometry().top(), 0);
    if (form.Image1->pixmap().isNull())
        QSKIP("the login picture is not in this build's resources");
}

void TstLogin::keys()
{
    FakeHost host(false);
    operators::TfrmOperLogin form(&host);
    form.setMode(1);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    corva::ScriptedMessages scripted;

    // Tab order: 确定, 取消, password, name, and round again.
    form.btnOk->setFocus();
    const QList<QWidget*> order{form.btnCancel, form.edtPassWord, form.cbbOperName, form.btnOk};
    for (QWidget* expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), expected);
    }

    // Enter in the boxes moves on and presses nothing.
    form.cbbOperName->setEditText(u"zhang"_s);
    form.edtPassWord->setFocus();
    form.edtPassWord->setText(u"Secret1"_s);
    QTest::keyClick(form.edtPassWord, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), form.cbbOperName);
    QTest::keyClick(form.cbbOperName, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(QApplication::focusWidget(), form.btnOk);
    QCOMPARE(form.cbbOperName->count(), 4); // Enter added no item
    QVERIFY(scripted.log().isEmpty());
    QVERIFY(form.isVisible());

    // Enter on a focused button presses it.
    form.edtPassWord->setText(u"wrong"_s);
    QTest::keyClick(form.btnOk, Qt::Key_Return);
    QCOMPARE(shown(scripted), QStringList{Wrong});
    QVERIFY(form.isVisible());
    form.edtPassWord->setText(u"Secret1"_s);
    form.btnCancel->setFocus();
    QTest::keyClick(form.btnCancel, Qt::Key_Return);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QVERIFY(!form.loginApplied());
}

void TstLogin::closingOnlyThroughButtons()
{
    FakeHost host(false);
    {
        operators::TfrmOperLogin form(&host);
        form.setMode(1);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));

        QTest::keyClick(&form, Qt::Key_F4, Qt::AltModifier);
        QVERIFY(form.isVisible());
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());

        // Escape goes the way of 取消: at a change of operator it only closes the window.
        QTest::keyClick(form.edtPassWord, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QVERIFY(!app::EndRequested());
    }
    {
        operators::TfrmOperLogin form(&host);
        form.setMode(0);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::keyClick(form.cbbOperName, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QVERIFY(app::EndRequested());
    }
    QCOMPARE(app::CurrentOperator, QString());
    QCOMPARE(host.visibleNames(), QStringList{});
}
