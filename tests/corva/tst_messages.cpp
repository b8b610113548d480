#include "tst_messages.h"

#include "corva.h"
#include "scriptedmessages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <algorithm>

using corva::ShownMessage;

void TstMessages::scriptedLogsAndAnswers()
{
    corva::ScriptedMessages script;
    script.pushAnswers({corva::Yes, corva::No});

    QCOMPARE(corva::ShowMess(QStringLiteral("请选择用户！"), corva::Information), 0);
    QCOMPARE(corva::ShowMess(QStringLiteral("真的要删除吗？"), corva::Question), int(corva::Yes));
    QCOMPARE(corva::ShowMess(QStringLiteral("第一行\n第二行"), corva::Warning), 0);
    QCOMPARE(corva::ShowMess(QStringLiteral("数据连接失败，是否要安装配置数据库？"),
                             corva::Question),
             int(corva::No));
    QCOMPARE(corva::ShowMess(QStringLiteral("操作失败，请检查数据连接... "), corva::Error), 0);

    const QList<ShownMessage> expected{
        {QStringLiteral("请选择用户！"), 0},
        {QStringLiteral("真的要删除吗？"), 1},
        {QStringLiteral("第一行\n第二行"), 2},
        {QStringLiteral("数据连接失败，是否要安装配置数据库？"), 1},
        {QStringLiteral("操作失败，请检查数据连接... "), 3},
    };
    QCOMPARE(script.log(), expected);
    QCOMPARE(script.texts(),
             (QStringList{QStringLiteral("请选择用户！"), QStringLiteral("真的要删除吗？"),
                          QStringLiteral("第一行\n第二行"),
                          QStringLiteral("数据连接失败，是否要安装配置数据库？"),
                          QStringLiteral("操作失败，请检查数据连接... ")}));
    QCOMPARE(script.pendingAnswers(), 0);

    script.clear();
    QVERIFY(script.log().isEmpty());
}

void TstMessages::scriptedNests()
{
    corva::ScriptedMessages outer;
    outer.pushAnswer(corva::No);
    {
        corva::ScriptedMessages inner;
        inner.pushAnswer(corva::Yes);
        QCOMPARE(corva::ShowMess(QStringLiteral("inner"), corva::Question), int(corva::Yes));
        QCOMPARE(inner.texts(), QStringList{QStringLiteral("inner")});
    }
    QCOMPARE(corva::ShowMess(QStringLiteral("outer"), corva::Question), int(corva::No));
    QCOMPARE(outer.texts(), QStringList{QStringLiteral("outer")});
}

namespace {

enum class Action { ClickYes, ClickNo, ClickOk, Escape, Close };

} // namespace

Q_DECLARE_METATYPE(Action)

void TstMessages::realBox_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<int>("result");

    const QStringList yesNo{QStringLiteral("否"), QStringLiteral("是")};
    const QStringList ok{QStringLiteral("确定")};
    QTest::newRow("question, yes") << 1 << Action::ClickYes << yesNo << 1;
    QTest::newRow("question, no") << 1 << Action::ClickNo << yesNo << 2;
    QTest::newRow("question, escape") << 1 << Action::Escape << yesNo << 2;
    QTest::newRow("question, closed") << 1 << Action::Close << yesNo << 2;
    QTest::newRow("information") << 0 << Action::ClickOk << ok << 0;
    QTest::newRow("warning, escape") << 2 << Action::Escape << ok << 0;
    QTest::newRow("error") << 3 << Action::ClickOk << ok << 0;
}

void TstMessages::realBox()
{
    QFETCH(int, kind);
    QFETCH(Action, action);
    QFETCH(QStringList, buttons);
    QFETCH(int, result);

    corva::SetMessageTitle(QStringLiteral("澄朔设备管理软件(企业版)"));
    QStringList seenButtons;
    QString seenTitle;
    QString seenText;
    bool handled = false;

    // The box is modal: it is inspected and answered from the event loop that exec() runs.
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || handled)
            return;
        handled = true;
        poll.stop();
        seenTitle = box->windowTitle();
        seenText = box->text();
        QAbstractButton* yes = nullptr;
        QAbstractButton* no = nullptr;
        QAbstractButton* okButton = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            seenButtons.append(button->text());
            if (button->text() == u"是")
                yes = button;
            else if (button->text() == u"否")
                no = button;
            else if (button->text() == u"确定")
                okButton = button;
        }
        std::sort(seenButtons.begin(), seenButtons.end());
        QAbstractButton* target = action == Action::ClickYes ? yes
                                  : action == Action::ClickNo ? no
                                  : action == Action::ClickOk ? okButton
                                                              : nullptr;
        if (action == Action::Escape)
            QTest::keyClick(box, Qt::Key_Escape);
        else if (action == Action::Close)
            box->close();
        else if (target)
            target->click();
        else
            box->done(0); // the wanted button is missing; the comparison below reports it
    });
    poll.start();

    const QString text = QStringLiteral("真的要退出吗？");
    const int answer = corva::ShowMess(text, kind);
    corva::SetMessageTitle(QString());

    QVERIFY(handled);
    QCOMPARE(seenButtons, buttons);
    QCOMPARE(seenTitle, QStringLiteral("澄朔设备管理软件(企业版)"));
    QCOMPARE(seenText, text);
    QCOMPARE(answer, result);
}

void TstMessages::placement_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("mode 0") << 0;
    QTest::newRow("mode 1") << 1;
}

void TstMessages::placement()
{
    QFETCH(int, mode);
    corva::DispFormPos(nullptr, mode); // harmless

    QWidget window;
    window.resize(320, 200);
    window.move(0, 0);
    corva::DispFormPos(&window, mode);

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint offset = window.geometry().center() - area.center();
    QVERIFY2(offset.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
}
