#include "tst_keyfilter.h"

#include "datetickedit.h"
#include "keyfilter.h"
#include "modalrunner.h"
#include "numberedit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// An editor-like window: its controls in tab order, with a filter and counted callbacks.
struct Editor
{
    QWidget window;
    QVBoxLayout* layout = new QVBoxLayout(&window);
    widgets::KeyFilter* keys = nullptr;
    int escapes = 0;
    int saves = 0;

    Editor()
    {
        for (const char16_t* name : {u"edtCode", u"edtName"})
            add(new QLineEdit, QString::fromUtf16(name));
        add(new QDateEdit(QDate(2024, 3, 1)), u"dtpDate"_s);
        add(new widgets::NumberEdit, u"cePrice"_s);
        add(new QComboBox, u"cbbStatus"_s)->setEditable(true);
        add(new QPlainTextEdit, u"memo"_s);
        add(new QPushButton(u"确定"_s), u"Button1"_s);
        keys = new widgets::KeyFilter(&window);
        keys->setOnEscape([this] { ++escapes; });
        keys->setOnSave([this] { ++saves; });
    }

    template <typename W>
    W* add(W* widget, const QString& name)
    {
        widget->setObjectName(name);
        layout->addWidget(widget);
        return widget;
    }

    QWidget* find(const QString& name) { return window.findChild<QWidget*>(name); }

    bool show()
    {
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }

    // Focuses a control and returns it, so the key goes where a user's key would.
    QWidget* focus(const QString& name)
    {
        QWidget* widget = find(name);
        widget->setFocus();
        return widget;
    }
};

QString focusName()
{
    QWidget* focused = QApplication::focusWidget();
    return focused != nullptr ? focused->objectName() : QString();
}

} // namespace

void TstKeyFilter::enter_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("to");

    const int none = Qt::NoModifier;
    QTest::newRow("line edit") << u"edtCode"_s << int(Qt::Key_Return) << none << u"edtName"_s;
    QTest::newRow("keypad Enter")
        << u"edtCode"_s << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << u"edtName"_s;
    // A date edit walks its own sections on Tab; Enter still leaves the control.
    QTest::newRow("date edit") << u"dtpDate"_s << int(Qt::Key_Return) << none << u"cePrice"_s;
    QTest::newRow("number edit") << u"cePrice"_s << int(Qt::Key_Return) << none << u"cbbStatus"_s;
    QTest::newRow("editable combo") << u"cbbStatus"_s << int(Qt::Key_Return) << none << u"memo"_s;
    QTest::newRow("memo keeps the new line")
        << u"memo"_s << int(Qt::Key_Return) << none << u"memo"_s;
    QTest::newRow("Shift+Enter is not Enter")
        << u"edtCode"_s << int(Qt::Key_Return) << int(Qt::ShiftModifier) << u"edtCode"_s;
}

void TstKeyFilter::enter()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, to);

    Editor editor;
    QVERIFY(editor.show());
    QTest::keyClick(editor.focus(from), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(focusName(), to);
    if (from == u"memo")
        QCOMPARE(editor.window.findChild<QPlainTextEdit*>()->toPlainText(), u"\n"_s);
}

void TstKeyFilter::enterPressesButton()
{
    Editor editor;
    QVERIFY(editor.show());
    auto* button = editor.window.findChild<QPushButton*>();
    QSignalSpy clicked(button, &QPushButton::clicked);

    QTest::keyClick(editor.focus(u"Button1"_s), Qt::Key_Return);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(focusName(), u"Button1"_s);
}

void TstKeyFilter::enterOff()
{
    Editor editor;
    editor.keys->setEnterMovesFocus(false);
    QVERIFY(editor.show());
    QTest::keyClick(editor.focus(u"edtCode"_s), Qt::Key_Return);
    QCOMPARE(focusName(), u"edtCode"_s);
}

void TstKeyFilter::controlsAddedLater()
{
    Editor editor;
    auto* page = editor.add(new QWidget, u"page"_s);
    QVERIFY(editor.show());
    // Made after the filter, inside a page made after it too, as windows build their pages.
    auto* pageLayout = new QVBoxLayout(page);
    auto* later = new widgets::DateTickEdit;
    later->setObjectName(u"dtpLater"_s);
    pageLayout->addWidget(later);
    auto* last = new QLineEdit;
    last->setObjectName(u"edtLast"_s);
    pageLayout->addWidget(last);
    QApplication::processEvents();

    QTest::keyClick(editor.focus(u"dtpLater"_s)->focusProxy(), Qt::Key_Return);
    QCOMPARE(focusName(), u"edtLast"_s);
    QTest::keyClick(last, Qt::Key_Escape);
    QCOMPARE(editor.escapes, 1);
}

void TstKeyFilter::escapeAndSave()
{
    Editor editor;
    QVERIFY(editor.show());
    auto* memo = editor.window.findChild<QPlainTextEdit*>();

    QTest::keyClick(editor.focus(u"edtName"_s), Qt::Key_Escape);
    QCOMPARE(editor.escapes, 1);
    QTest::keyClick(editor.focus(u"memo"_s), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(editor.saves, 1);
    QVERIFY(memo->toPlainText().isEmpty());
    // A plain S is typing, not saving.
    QTest::keyClick(memo, Qt::Key_S);
    QCOMPARE(editor.saves, 1);
    QCOMPARE(memo->toPlainText(), u"s"_s);
    QCOMPARE(editor.escapes, 1);
}

void TstKeyFilter::keysWithoutCallbacksStayWithControls()
{
    // A dialog without an Escape callback still rejects on Escape, as dialogs do.
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* edit = new QLineEdit;
    layout->addWidget(edit);
    widgets::KeyFilter keys(&dialog);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(dialog.isVisible());
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TstKeyFilter::otherWindowsAreNotWatched()
{
    Editor editor;
    QVERIFY(editor.show());
    // A dialog owned by the window is a window of its own with its own keys.
    QDialog dialog(&editor.window);
    auto* layout = new QVBoxLayout(&dialog);
    auto* first = new QLineEdit;
    auto* second = new QLineEdit;
    layout->addWidget(first);
    layout->addWidget(second);
    dialog.show();
    // The style may count an owned dialog as active with its owner: wait for the real thing.
    dialog.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &dialog);
    first->setFocus();

    QTest::keyClick(first, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(first, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), first);
    QTest::keyClick(first, Qt::Key_Escape);
    QCOMPARE(editor.escapes, 0);
    QCOMPARE(editor.saves, 0);
    QVERIFY(!dialog.isVisible());
}

void TstKeyFilter::modalHandlerAnswers()
{
    QDialog dialog;
    dialog.setObjectName(u"frmPick"_s);
    QString seen;
    {
        widgets::ScopedModalHandler handler([&seen](QDialog& shown) {
            seen = shown.objectName();
            return 7;
        });
        QCOMPARE(widgets::execModal(dialog), 7);
    }
    QCOMPARE(seen, u"frmPick"_s);
    QCOMPARE(dialog.result(), 7);
    QVERIFY(!dialog.isVisible());
}
