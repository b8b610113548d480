#include "tst_edits.h"

#include "datetickedit.h"
#include "emptydate.h"
#include "numberedit.h"
#include "pickedit.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// A shown, active window with the control under test and a second control to take the focus.
struct FocusWindow
{
    QWidget window;
    QLineEdit* other = nullptr;

    template <typename W>
    W* add(W* widget)
    {
        if (window.layout() == nullptr)
            new QVBoxLayout(&window);
        window.layout()->addWidget(widget);
        return widget;
    }

    bool show()
    {
        other = add(new QLineEdit);
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }
};

} // namespace

void TstEdits::emptyDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("empty");

    QTest::newRow("null") << QString() << true;
    QTest::newRow("empty text") << u""_s << true;
    QTest::newRow("the marker") << u"1900-08-14"_s << true;
    QTest::newRow("day before the first") << u"1901-08-13"_s << true;
    QTest::newRow("day before, late time") << u"1901-08-13 23:59:59"_s << true;
    QTest::newRow("the first given") << u"1901-08-14"_s << false;
    QTest::newRow("first given with time") << u"1901-08-14 08:30:00"_s << false;
    QTest::newRow("ordinary") << u"2024-02-29"_s << false;
    QTest::newRow("compares as text") << u"1901-1-1"_s << false;
}

void TstEdits::emptyDate()
{
    QFETCH(QString, text);
    QFETCH(bool, empty);

    QCOMPARE(widgets::isEmptyDate(text), empty);
    QCOMPARE(widgets::dateTextForDisplay(text), empty ? QString() : text);
    QVERIFY(widgets::isEmptyDate(widgets::EmptyDateText()));
}

void TstEdits::dateTickText_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("text");

    QTest::newRow("date") << u"2024-02-29"_s << true << true << u"2024-02-29"_s;
    QTest::newRow("date and time") << u"2024-02-29 10:30:00"_s << true << true << u"2024-02-29"_s;
    QTest::newRow("first given") << u"1901-08-14"_s << true << true << u"1901-08-14"_s;
    QTest::newRow("marker") << u"1900-08-14"_s << true << false << u"1900-08-14"_s;
    QTest::newRow("old date") << u"1901-08-13"_s << true << false << u"1900-08-14"_s;
    QTest::newRow("empty") << u""_s << true << false << u"1900-08-14"_s;
    // Not a date: the edit keeps what it had (ticked, 2020-01-02).
    QTest::newRow("month 13") << u"2024-13-01"_s << false << true << u"2020-01-02"_s;
    QTest::newRow("letters") << u"abc"_s << false << true << u"2020-01-02"_s;
}

void TstEdits::dateTickText()
{
    QFETCH(QString, input);
    QFETCH(bool, accepted);
    QFETCH(bool, ticked);
    QFETCH(QString, text);

    widgets::DateTickEdit edit;
    edit.setDate(QDate(2020, 1, 2));
    edit.setTicked(true);

    QCOMPARE(edit.setText(input), accepted);
    QCOMPARE(edit.isTicked(), ticked);
    QCOMPARE(edit.text(), text);
    QCOMPARE(edit.dateEdit()->isEnabled(), ticked);

    // What the edit gives back, it takes again unchanged.
    widgets::DateTickEdit again;
    QVERIFY(again.setText(edit.text()));
    QCOMPARE(again.text(), edit.text());
    QCOMPARE(again.isTicked(), edit.isTicked());
}

void TstEdits::dateTickKeepsDateWhileUnticked()
{
    widgets::DateTickEdit edit;
    QSignalSpy changed(&edit, &widgets::DateTickEdit::changed);
    edit.setDate(QDate(2023, 5, 6));
    edit.setText(widgets::EmptyDateText());

    QCOMPARE(edit.text(), widgets::EmptyDateText());
    QCOMPARE(edit.date(), QDate(2023, 5, 6));
    QCOMPARE(edit.dateEdit()->displayFormat(), u"yyyy-MM-dd"_s);
    QVERIFY(edit.dateEdit()->calendarPopup());

    edit.tickBox()->click();
    QVERIFY(edit.isTicked());
    QCOMPARE(edit.text(), u"2023-05-06"_s);
    QCOMPARE(changed.count(), 3); // date, untick, tick
}

void TstEdits::dateTickCannotHoldAnUnsetDate()
{
    // A ticked date that would be stored and read back as "no date" would lose the user's entry.
    widgets::DateTickEdit edit;
    edit.setDate(QDate(1900, 8, 14));
    QVERIFY(edit.isTicked());
    QVERIFY(!widgets::isEmptyDate(edit.text()));
    QCOMPARE(edit.text(), u"1901-08-14"_s);
}

void TstEdits::numberParse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");

    QTest::newRow("empty") << u""_s << true << 0.0;
    QTest::newRow("blanks") << u"  "_s << true << 0.0;
    QTest::newRow("minus alone") << u"-"_s << true << 0.0;
    QTest::newRow("integer") << u"12"_s << true << 12.0;
    QTest::newRow("negative") << u"-12.5"_s << true << -12.5;
    QTest::newRow("trimmed") << u" 3.25 "_s << true << 3.25;
    QTest::newRow("leading point") << u".5"_s << true << 0.5;
    QTest::newRow("grouped") << u"1,234,567.50"_s << true << 1234567.5;
    QTest::newRow("misgrouped") << u"1,2,3"_s << false << 0.0;
    QTest::newRow("letters after") << u"12a"_s << false << 0.0;
    QTest::newRow("letters") << u"abc"_s << false << 0.0;
    QTest::newRow("exponent") << u"1e5"_s << false << 0.0;
    QTest::newRow("two minus") << u"--1"_s << false << 0.0;
    QTest::newRow("trailing minus") << u"1-"_s << false << 0.0;
    QTest::newRow("plus") << u"+1"_s << false << 0.0;
    QTest::newRow("two points") << u"1.2.3"_s << false << 0.0;
    QTest::newRow("full-width digits") << u"１２"_s << false << 0.0;
}

void TstEdits::numberParse()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);

    const std::optional<double> parsed = widgets::NumberEdit::parse(text);
    QCOMPARE(parsed.has_value(), ok);
    if (ok)
        QCOMPARE(*parsed, value);

    // In the edit, unreadable text counts as 0 and is replaced when the edit is left.
    widgets::NumberEdit edit(2);
    edit.setText(text);
    QCOMPARE(edit.value(), value);
}

void TstEdits::numberFormat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("thousands");
    QTest::addColumn<QString>("text");

    QTest::newRow("plain") << 1234.5 << 2 << false << u"1234.50"_s;
    QTest::newRow("grouped") << 1234.5 << 2 << true << u"1,234.50"_s;
    QTest::newRow("negative grouped") << -1234567.891 << 2 << true << u"-1,234,567.89"_s;
    QTest::newRow("three digits") << -123.0 << 0 << true << u"-123"_s;
    QTest::newRow("six digits") << 123456.0 << 0 << true << u"123,456"_s;
    QTest::newRow("no decimals rounds") << 2.5001 << 0 << false << u"3"_s;
    QTest::newRow("tiny negative") << -0.001 << 2 << false << u"0.00"_s;
    QTest::newRow("negative zero") << -0.0 << 0 << true << u"0"_s;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 2 << true
                                  << u"0.00"_s;
}

void TstEdits::numberFormat()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(bool, thousands);
    QFETCH(QString, text);

    QCOMPARE(widgets::NumberEdit::format(value, decimals, thousands), text);
}

void TstEdits::numberTyping_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("afterLeaving");

    QTest::newRow("decimal") << 2 << u"12.5"_s << u"12.5"_s << 12.5 << u"12.50"_s;
    QTest::newRow("one decimal too many") << 2 << u"12.345"_s << u"12.34"_s << 12.34 << u"12.34"_s;
    QTest::newRow("letters rejected") << 2 << u"a1b2"_s << u"12"_s << 12.0 << u"12.00"_s;
    QTest::newRow("leading minus") << 2 << u"-7"_s << u"-7"_s << -7.0 << u"-7.00"_s;
    QTest::newRow("minus later rejected") << 2 << u"7-"_s << u"7"_s << 7.0 << u"7.00"_s;
    QTest::newRow("no point without decimals") << 0 << u"1.5"_s << u"15"_s << 15.0 << u"15"_s;
    QTest::newRow("minus alone is 0") << 2 << u"-"_s << u"-"_s << 0.0 << u"0.00"_s;
}

void TstEdits::numberTyping()
{
    QFETCH(int, decimals);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(double, value);
    QFETCH(QString, afterLeaving);

    FocusWindow w;
    auto* edit = w.add(new widgets::NumberEdit(decimals));
    QVERIFY(w.show());
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, typed);

    QCOMPARE(edit->text(), shown);
    QCOMPARE(edit->value(), value);
    QCOMPARE(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    w.other->setFocus();
    QCOMPARE(edit->text(), afterLeaving);
}

void TstEdits::currencyDisplay()
{
    FocusWindow w;
    auto* edit = w.add(new widgets::CurrencyEdit);
    QVERIFY(w.show());
    w.other->setFocus();
    QSignalSpy changed(edit, &widgets::NumberEdit::valueChanged);

    edit->setValue(1234567.5);
    QCOMPARE(edit->text(), u"1,234,567.50"_s);
    QCOMPARE(edit->value(), 1234567.5);
    QCOMPARE(changed.count(), 1);

    // Editing shows the plain digits; the value does not change by showing it differently.
    edit->setFocus();
    QCOMPARE(edit->text(), u"1234567.50"_s);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, u"9"_s);
    QCOMPARE(edit->value(), 12345679.0);
    w.other->setFocus();
    QCOMPARE(edit->text(), u"12,345,679.00"_s);
    // 1234567.5 (set), 1234567 (the point removed), 12345679; leaving the edit adds nothing.
    QCOMPARE(changed.count(), 3);
    QCOMPARE(changed.last().first().toDouble(), 12345679.0);
}

void TstEdits::pickKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("fires");

    QTest::newRow("F4") << int(Qt::Key_F4) << int(Qt::NoModifier) << true;
    QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier) << true;
    QTest::newRow("Down") << int(Qt::Key_Down) << int(Qt::NoModifier) << false;
    QTest::newRow("Ctrl+F4") << int(Qt::Key_F4) << int(Qt::ControlModifier) << false;
}

void TstEdits::pickKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, fires);

    widgets::PickEdit edit;
    edit.setText(u"设备"_s);
    QSignalSpy picked(&edit, &widgets::PickEdit::pickClicked);
    QTest::keyClick(&edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(picked.count(), fires ? 1 : 0);
    QCOMPARE(edit.text(), u"设备"_s);
}

void TstEdits::pickButtonWhenReadOnly()
{
    FocusWindow w;
    auto* edit = w.add(new widgets::PickEdit);
    QVERIFY(w.show());
    edit->setReadOnly(true);
    QSignalSpy picked(edit, &widgets::PickEdit::pickClicked);

    QTest::keyClicks(edit, u"xyz"_s);
    QVERIFY(edit->text().isEmpty());
    QTest::mouseClick(edit->pickButton(), Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_F4);
    QCOMPARE(picked.count(), 2);
    // The button sits inside the edit, at its right end.
    QVERIFY(edit->rect().contains(edit->pickButton()->geometry()));
    QVERIFY(edit->pickButton()->geometry().right() > edit->width() / 2);
}
