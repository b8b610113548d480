#include "tst_lists.h"

#include "checklist.h"
#include "valuelisteditor.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QPoint rowCentre(const widgets::ValueListEditor& vle, int row)
{
    return vle.visualItemRect(vle.item(row, 1)).center();
}

// An editor is open over one of the cells.
bool editing(const widgets::ValueListEditor& vle)
{
    return vle.viewport()->findChild<QLineEdit*>() != nullptr
           || vle.viewport()->findChild<QComboBox*>() != nullptr;
}

} // namespace

void TstLists::valueListRows()
{
    widgets::ValueListEditor vle;
    vle.setTitles(QString(), u"设备状态"_s);
    vle.setKeyColumnWidth(29);
    vle.setValueColumnWidth(135);
    QCOMPARE(vle.addRow(u"0"_s, u"全部"_s), 0);
    QCOMPARE(vle.addRow(u"1"_s, u"在用"_s), 1);
    QCOMPARE(vle.addRow(u"2"_s, u"停用"_s), 2);

    QCOMPARE(vle.rowCount(), 3);
    QCOMPARE(vle.key(1), u"1"_s);
    QCOMPARE(vle.value(2), u"停用"_s);
    vle.setValue(2, u"报废"_s);
    vle.setKey(2, u"9"_s);
    QCOMPARE(vle.value(2), u"报废"_s);
    QCOMPARE(vle.key(2), u"9"_s);
    QCOMPARE(vle.columnWidth(0), 29);
    QCOMPARE(vle.columnWidth(1), 135);
    QCOMPARE(vle.horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);

    // Rows outside the list read as empty and ignore writes.
    vle.setValue(3, u"x"_s);
    QCOMPARE(vle.value(3), QString());
    QCOMPARE(vle.key(-1), QString());

    vle.setCurrentRow(1);
    QCOMPARE(vle.currentRow(), 1);
    QCOMPARE(vle.selectedItems().size(), 2);

    vle.clear();
    QCOMPARE(vle.rowCount(), 0);
    QCOMPARE(vle.columnCount(), 2);
    QCOMPARE(vle.horizontalHeaderItem(1)->text(), u"设备状态"_s);
    QCOMPARE(vle.addRow(u"0"_s, u"全部"_s), 0);
}

void TstLists::valueListPickList()
{
    widgets::ValueListEditor vle;
    vle.addRow(u"设备编号"_s, QString());
    vle.addRow(u"设备名称"_s, u"降序"_s);
    vle.addRow(u"备注"_s, u"自由文字"_s);
    const QStringList directions{QString(), u"升序"_s, u"降序"_s};
    vle.setPickList(0, directions);
    vle.setPickList(1, directions);
    QCOMPARE(vle.pickList(1), directions);
    QVERIFY(vle.pickList(2).isEmpty());
    vle.show();
    QVERIFY(QTest::qWaitForWindowExposed(&vle));

    // The drop-down offers the given texts and takes a choice at once.
    vle.editItem(vle.item(0, 1));
    auto* combo = vle.viewport()->findChild<QComboBox*>();
    QVERIFY(combo != nullptr);
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(1), u"升序"_s);
    QCOMPARE(combo->currentIndex(), 0);
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(vle.value(0), u"升序"_s);
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(vle.value(0), u"升序"_s);
    QTRY_VERIFY(vle.viewport()->findChild<QComboBox*>() == nullptr);

    // The editor opens on the stored choice.
    vle.editItem(vle.item(1, 1));
    combo = vle.viewport()->findChild<QComboBox*>();
    QVERIFY(combo != nullptr);
    QCOMPARE(combo->currentText(), u"降序"_s);
    QTest::keyClick(combo, Qt::Key_Escape);
    QTRY_VERIFY(vle.viewport()->findChild<QComboBox*>() == nullptr);
    QCOMPARE(vle.value(1), u"降序"_s);

    // A row without a pick list is edited as text.
    vle.editItem(vle.item(2, 1));
    QVERIFY(vle.viewport()->findChild<QComboBox*>() == nullptr);
    QVERIFY(vle.viewport()->findChild<QLineEdit*>() != nullptr);
}

void TstLists::valueListReadOnly()
{
    widgets::ValueListEditor vle;
    vle.addRow(u"0"_s, u"全部"_s);
    vle.setValuesReadOnly(true);
    vle.addRow(u"1"_s, u"在用"_s);
    vle.setPickList(1, {u"在用"_s, u"停用"_s});
    vle.show();
    QVERIFY(QTest::qWaitForWindowExposed(&vle));

    // Qt reports each refused edit; that report is what a read-only cell must give.
    for (int row = 0; row < vle.rowCount(); ++row) {
        QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
        QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
        vle.editItem(vle.item(row, 1));
        vle.editItem(vle.item(row, 0));
        QVERIFY(!editing(vle));
    }
    vle.setValue(1, u"停用"_s);
    QCOMPARE(vle.value(1), u"停用"_s);

    // Keys stay read-only when the values become editable again.
    vle.setValuesReadOnly(false);
    QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
    vle.editItem(vle.item(0, 0));
    QVERIFY(!editing(vle));
    vle.editItem(vle.item(0, 1));
    QVERIFY(editing(vle));
}

void TstLists::valueListSignals()
{
    widgets::ValueListEditor vle;
    vle.setValuesReadOnly(true);
    for (const QString& name : {u"全部"_s, u"在用"_s, u"停用"_s})
        vle.addRow(QString::number(vle.rowCount()), name);
    vle.show();
    QVERIFY(QTest::qWaitForWindowActive(&vle));
    QSignalSpy clicked(&vle, &widgets::ValueListEditor::rowClicked);
    QSignalSpy doubleClicked(&vle, &widgets::ValueListEditor::rowDoubleClicked);

    // Selecting a row from code is not a click: windows refill lists without re-running them.
    vle.setCurrentRow(0);
    QCOMPARE(clicked.count(), 0);

    QTest::mouseClick(vle.viewport(), Qt::LeftButton, {}, rowCentre(vle, 1));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.last().first().toInt(), 1);
    QCOMPARE(vle.currentRow(), 1);

    QTest::keyClick(&vle, Qt::Key_Down);
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(clicked.last().first().toInt(), 2);
    QTest::keyClick(&vle, Qt::Key_Down); // already on the last row
    QCOMPARE(clicked.count(), 2);

    // A double click is a press and release followed by a second press that doubles it.
    QTest::mouseClick(vle.viewport(), Qt::LeftButton, {}, rowCentre(vle, 0));
    QTest::mouseDClick(vle.viewport(), Qt::LeftButton, {}, rowCentre(vle, 0));
    QCOMPARE(doubleClicked.count(), 1);
    QCOMPARE(doubleClicked.last().first().toInt(), 0);
}

void TstLists::checkList()
{
    widgets::CheckList list;
    QCOMPARE(list.addItem(u"设备档案"_s, true), 0);
    QCOMPARE(list.addItem(u"维修记录"_s, false), 1);

    QCOMPARE(list.count(), 2);
    QVERIFY(list.isChecked(0));
    QVERIFY(!list.isChecked(1));
    list.setChecked(0, false);
    list.setChecked(1, true);
    QVERIFY(!list.isChecked(0));
    QVERIFY(list.isChecked(1));
    QCOMPARE(list.item(1)->text(), u"维修记录"_s);
    QVERIFY(list.item(1)->flags() & Qt::ItemIsUserCheckable);

    list.setChecked(5, true);
    QVERIFY(!list.isChecked(5));
    QVERIFY(!list.isChecked(-1));
}
