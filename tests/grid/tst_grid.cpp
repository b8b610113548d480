#include "tst_grid.h"

#include "connection.h"
#include "dataset.h"
#include "dbgrideh.h"
#include "testdb.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using grid::DBGridEh;
using grid::FooterKind;
using grid::GridColumn;
using grid::SortMarker;

namespace {

GridColumn col(const QString& field, const QString& caption, int width = 64,
               Qt::Alignment alignment = Qt::AlignLeft, const QString& format = QString(),
               FooterKind footer = FooterKind::None, const QString& footerValue = QString())
{
    GridColumn c;
    c.fieldName = field;
    c.caption = caption;
    c.width = width;
    c.alignment = alignment;
    c.displayFormat = format;
    c.footerKind = footer;
    c.footerValue = footerValue;
    return c;
}

QStringList captions(const QList<GridColumn>& columns)
{
    QStringList list;
    for (const GridColumn& c : columns)
        list.append(c.caption);
    return list;
}

// Three columns over items; the footer row on.
void setUp(DBGridEh& g, db::Dataset* rows)
{
    g.setDataset(rows);
    g.setColumns({col(u"F_code"_s, u"编号"_s, 70, Qt::AlignLeft, {}, FooterKind::StaticText,
                      u"合计"_s),
                  col(u"F_name"_s, u"名称"_s, 90),
                  col(u"F_price"_s, u"单价"_s, 80, Qt::AlignRight, u"#,##0.00"_s,
                      FooterKind::Sum)});
    g.setFooterRowCount(1);
}

} // namespace

TstGrid::TstGrid() = default;
TstGrid::~TstGrid() = default;

void TstGrid::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_conn = eqtest::openFreshDatabase(*m_dir);
    m_conn->exec(u"create table items(F_ID integer primary key, F_code varchar(20), "
                 "F_name varchar(20), F_qty integer, F_price float, F_memo varchar(50), "
                 "F_day date)"_s);
    m_conn->exec(u"insert into items values(1,'007','乙',2,1000.5,'m1','2024-03-05')"_s);
    m_conn->exec(u"insert into items values(2,'A1','甲',3,2000.25,null,'1900-08-14')"_s);
    m_conn->exec(u"insert into items values(3,'B2','丙',5,3,'m3','2023-12-31')"_s);
    m_conn->exec(u"insert into items values(4,'C3','丁',1,0.125,'',null)"_s);
    m_conn->exec(u"insert into items values(5,'D4','戊',4,null,'m5',null)"_s);
    m_rows = std::make_unique<db::Dataset>(m_conn.get());
    m_rows->setSql(u"select * from items order by F_ID"_s);
    m_rows->open();
}

void TstGrid::cleanup()
{
    m_rows.reset();
    m_conn.reset();
    m_dir.reset();
}

void TstGrid::formatValue_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0 rounds") << QVariant(3.14159) << u"0"_s << u"3"_s;
    QTest::newRow("0 half up") << QVariant(2.5) << u"0"_s << u"3"_s;
    QTest::newRow("0 negative half") << QVariant(-2.5) << u"0"_s << u"-3"_s;
    QTest::newRow("0.00 pads") << QVariant(1234.5) << u"0.00"_s << u"1234.50"_s;
    QTest::newRow("0.00 as written") << QVariant(1.005) << u"0.00"_s << u"1.01"_s;
    QTest::newRow("0.00 small negative") << QVariant(-0.001) << u"0.00"_s << u"0.00"_s;
    QTest::newRow("#,##0.00 groups") << QVariant(1234567.891) << u"#,##0.00"_s
                                     << u"1,234,567.89"_s;
    QTest::newRow("#,##0.00 carry") << QVariant(999.995) << u"#,##0.00"_s << u"1,000.00"_s;
    QTest::newRow("#,##0.00 negative") << QVariant(-1234.5) << u"#,##0.00"_s << u"-1,234.50"_s;
    QTest::newRow("#,##0.00 zero") << QVariant(0.0) << u"#,##0.00"_s << u"0.00"_s;
    QTest::newRow("#,##0.0") << QVariant(0.55) << u"#,##0.0"_s << u"0.6"_s;
    QTest::newRow("#,##0.000 integer") << QVariant(qlonglong(12)) << u"#,##0.000"_s
                                       << u"12.000"_s;
    QTest::newRow("#,##0 integer") << QVariant(qlonglong(1234567)) << u"#,##0"_s
                                   << u"1,234,567"_s;
    QTest::newRow("0.0# optional digit") << QVariant(1.2) << u"0.0#"_s << u"1.2"_s;
    QTest::newRow("0.0# both digits") << QVariant(1.256) << u"0.0#"_s << u"1.26"_s;
    QTest::newRow("date") << QVariant(QDate(2024, 3, 5)) << u"yyyy-MM-dd"_s << u"2024-03-05"_s;
    QTest::newRow("date time pattern")
        << QVariant(QDateTime(QDate(2024, 3, 5), QTime(14, 30))) << u"yyyy/MM/dd hh:mm"_s
        << u"2024/03/05 14:30"_s;
    QTest::newRow("date with number format") << QVariant(QDate(2024, 3, 5)) << u"0.00"_s
                                             << u"2024-03-05"_s;
    QTest::newRow("number with date format") << QVariant(3.5) << u"yyyy-MM-dd"_s << u"3.5"_s;
    QTest::newRow("code text stays") << QVariant(u"007"_s) << u"0.00"_s << u"007"_s;
    QTest::newRow("number text stays") << QVariant(u"12.5"_s) << u"#,##0.00"_s << u"12.5"_s;
    QTest::newRow("null") << QVariant() << u"0.00"_s << QString();
    QTest::newRow("no format") << QVariant(3.5) << QString() << u"3.5"_s;
    QTest::newRow("unknown format") << QVariant(3.5) << u"abc"_s << u"3.5"_s;
}

void TstGrid::formatValue()
{
    QFETCH(QVariant, value);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(grid::formatValue(value, format), expected);
}

void TstGrid::cellTexts()
{
    DBGridEh g;
    g.setDataset(m_rows.get());
    g.setColumns({col(u"F_code"_s, u"编号"_s, 64, Qt::AlignLeft, u"0.00"_s),
                  col(u"f_PRICE"_s, u"单价"_s, 64, Qt::AlignRight, u"#,##0.00"_s),
                  col(u"F_day"_s, u"日期"_s, 64, Qt::AlignLeft, u"yyyy/MM/dd"_s),
                  col(u"F_none"_s, u"无"_s)});
    QCOMPARE(g.cellText(0, 0), u"007"_s);
    QCOMPARE(g.cellText(0, 1), u"1,000.50"_s);
    QCOMPARE(g.cellText(4, 1), QString());
    QCOMPARE(g.cellText(0, 2), u"2024/03/05"_s);
    QCOMPARE(g.cellText(3, 2), QString());
    QCOMPARE(g.cellText(0, 3), QString());
    const QModelIndex price = g.view()->model()->index(0, 1);
    QCOMPARE(price.data().toString(), u"1,000.50"_s);
    QCOMPARE(Qt::Alignment(price.data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask,
             Qt::AlignRight);
    QCOMPARE(g.view()->model()->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignCenter));
}

void TstGrid::footer()
{
    DBGridEh g;
    setUp(g, m_rows.get());
    g.appendColumn(col(u"F_qty"_s, u"数量"_s, 50, Qt::AlignRight, u"0"_s, FooterKind::Sum));
    g.appendColumn(col(u"F_none"_s, u"无"_s, 50, Qt::AlignRight, u"0"_s, FooterKind::Sum));
    QCOMPARE(g.footerText(0), u"合计"_s);
    QCOMPARE(g.footerText(1), QString());
    QCOMPARE(g.footerText(2), u"3,003.88"_s);
    QCOMPARE(g.footerText(3), u"15"_s);
    QCOMPARE(g.footerText(4), QString());

    // A posted edit and a re-opened statement both change the sums.
    m_rows->moveTo(2);
    m_rows->edit();
    m_rows->setValue(u"F_price"_s, 10003.0);
    m_rows->post();
    QCOMPARE(g.footerText(2), u"13,003.88"_s);
    m_rows->setSql(u"select * from items where F_ID <= 2 order by F_ID"_s);
    m_rows->open();
    QCOMPARE(g.footerText(2), u"3,000.75"_s);
    QCOMPARE(g.footerText(3), u"5"_s);
    m_rows->close();
    QCOMPARE(g.footerText(2), QString());
    QCOMPARE(g.footerText(0), u"合计"_s);

    auto* bar = g.findChild<QWidget*>(u"footer"_s);
    QVERIFY(bar);
    QVERIFY(!bar->isHidden());
    g.setFooterRowCount(0);
    QVERIFY(bar->isHidden());
}

void TstGrid::columnsInScreenOrder()
{
    DBGridEh g;
    setUp(g, m_rows.get());
    QHeaderView* header = g.view()->horizontalHeader();
    header->moveSection(0, 2); // 编号 dragged to the end
    header->resizeSection(header->logicalIndex(0), 150);

    QCOMPARE(captions(g.columns()), (QStringList{u"名称"_s, u"单价"_s, u"编号"_s}));
    QCOMPARE(g.column(0).fieldName, u"F_name"_s);
    QCOMPARE(g.columnWidth(0), 150);
    QCOMPARE(g.column(0).width, 150);
    QCOMPARE(g.columnWidth(2), 70);
    QCOMPARE(g.footerText(2), u"合计"_s);
    QCOMPARE(g.cellText(0, 0), u"乙"_s);

    g.setColumn(1, col(u"F_qty"_s, u"数量"_s, 40));
    QCOMPARE(captions(g.columns()), (QStringList{u"名称"_s, u"数量"_s, u"编号"_s}));
    QCOMPARE(g.columnWidth(1), 40);

    // New columns replace the user's arrangement.
    g.setColumns({col(u"F_code"_s, u"编号"_s), col(u"F_name"_s, u"名称"_s)});
    QCOMPARE(captions(g.columns()), (QStringList{u"编号"_s, u"名称"_s}));
    g.clearColumns();
    QCOMPARE(g.columnCount(), 0);
    QVERIFY(g.columns().isEmpty());
}

void TstGrid::hiddenColumnKeepsWidth()
{
    DBGridEh g;
    setUp(g, m_rows.get());
    g.view()->horizontalHeader()->resizeSection(1, 123);
    g.setColumnVisible(1, false);
    QVERIFY(!g.column(1).visible);
    QCOMPARE(g.columnWidth(1), 123);
    QVERIFY(g.view()->isColumnHidden(1));
    g.setColumnVisible(1, true);
    QCOMPARE(g.view()->horizontalHeader()->sectionSize(1), 123);
    QVERIFY(g.column(1).visible);
}

void TstGrid::sortMarkersIndependent()
{
    DBGridEh g;
    setUp(g, m_rows.get());
    g.setSortMarker(0, SortMarker::Ascending);
    g.setSortMarker(2, SortMarker::Descending);
    QCOMPARE(g.sortMarker(0), SortMarker::Ascending);
    QCOMPARE(g.sortMarker(1), SortMarker::None);
    QCOMPARE(g.sortMarker(2), SortMarker::Descending);
    g.setSortMarker(0, SortMarker::Descending);
    QCOMPARE(g.sortMarker(2), SortMarker::Descending);

    // A marker belongs to its column, wherever the column is dragged.
    g.view()->horizontalHeader()->moveSection(2, 0);
    QCOMPARE(g.sortMarker(0), SortMarker::Descending);
    QCOMPARE(g.column(0).fieldName, u"F_price"_s);
    QCOMPARE(g.sortMarker(1), SortMarker::Descending);
    QCOMPARE(g.sortMarker(2), SortMarker::None);

    g.clearSortMarkers();
    for (int i = 0; i < g.columnCount(); ++i)
        QCOMPARE(g.sortMarker(i), SortMarker::None);
}

void TstGrid::titleAndDoubleClickIndexes()
{
    DBGridEh g;
    setUp(g, m_rows.get());
    QHeaderView* header = g.view()->horizontalHeader();
    header->moveSection(0, 2);
    QSignalSpy titles(&g, &DBGridEh::titleClicked);
    Q_EMIT header->sectionClicked(0); // logical 0 (编号) is now third on the screen
    QCOMPARE(titles.size(), 1);
    QCOMPARE(titles.at(0).at(0).toInt(), 2);

    QSignalSpy doubles(&g, &DBGridEh::rowDoubleClicked);
    Q_EMIT g.view()->doubleClicked(g.view()->model()->index(3, 1));
    QCOMPARE(doubles.size(), 1);
    QCOMPARE(doubles.at(0).at(0).toInt(), 3);
}

void TstGrid::selectedPositions()
{
    DBGridEh g;
    setUp(g, m_rows.get());
    g.setMultiSelect(true);
    QCOMPARE(g.view()->selectionMode(), QAbstractItemView::ExtendedSelection);
    m_rows->moveTo(2);
    QCOMPARE(g.selectedPositions(), QList<int>{2});

    QItemSelectionModel* selection = g.view()->selectionModel();
    QAbstractItemModel* model = g.view()->model();
    selection->select(model->index(4, 0), QItemSelectionModel::ClearAndSelect
                                              | QItemSelectionModel::Rows);
    selection->select(model->index(1, 0), QItemSelectionModel::Select
                                              | QItemSelectionModel::Rows);
    selection->select(QItemSelection(model->index(3, 0), model->index(4, 2)),
                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(g.selectedPositions(), (QList<int>{1, 3, 4}));

    // Moving the dataset keeps a selection of several rows.
    m_rows->moveTo(0);
    QCOMPARE(g.selectedPositions(), (QList<int>{1, 3, 4}));

    selection->clearSelection();
    QCOMPARE(g.selectedPositions(), QList<int>{0});
    m_rows->setSql(u"select * from items where 1 = 0"_s);
    m_rows->open();
    QVERIFY(g.selectedPositions().isEmpty());
    m_rows->close();
    QVERIFY(g.selectedPositions().isEmpty());

    g.setMultiSelect(false);
    QCOMPARE(g.view()->selectionMode(), QAbstractItemView::SingleSelection);
}

void TstGrid::currentRowFollowsView()
{
    DBGridEh g;
    setUp(g, m_rows.get());
    QSignalSpy scrolls(m_rows.get(), &db::Dataset::afterScroll);
    QTableView* view = g.view();
    view->setCurrentIndex(view->model()->index(3, 1));
    QCOMPARE(m_rows->recNo(), 3);
    QCOMPARE(scrolls.size(), 1);
    QCOMPARE(view->currentIndex().row(), 3);

    QTest::keyClick(view, Qt::Key_Up);
    QCOMPARE(m_rows->recNo(), 2);
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(m_rows->recNo(), 4);
    QCOMPARE(scrolls.size(), 3);
}

void TstGrid::viewFollowsDataset()
{
    DBGridEh g;
    setUp(g, m_rows.get());
    QTableView* view = g.view();
    QCOMPARE(view->currentIndex().row(), 0);
    QSignalSpy scrolls(m_rows.get(), &db::Dataset::afterScroll);
    m_rows->moveTo(4);
    QCOMPARE(view->currentIndex().row(), 4);
    QVERIFY(view->selectionModel()->isRowSelected(4, {}));
    QCOMPARE(scrolls.size(), 1); // no move back from the view

    // After a sort the same record is current at its new position.
    m_rows->moveTo(1); // A1
    m_rows->setSort(u"F_code DESC"_s);
    QCOMPARE(m_rows->recNo(), 3);
    QCOMPARE(view->currentIndex().row(), 3);
    QCOMPARE(g.cellText(view->currentIndex().row(), 0), u"A1"_s);

    m_rows->open();
    QCOMPARE(view->currentIndex().row(), m_rows->recNo());

    // A grid given an open dataset shows its current row at once.
    m_rows->moveTo(2);
    DBGridEh other;
    other.setDataset(m_rows.get());
    other.setColumns({col(u"F_code"_s, u"编号"_s)});
    QCOMPARE(other.view()->currentIndex().row(), 2);
}

void TstGrid::hooks()
{
    DBGridEh g;
    setUp(g, m_rows.get());
    g.setDisplayTextHook([](int position, const GridColumn& column, const db::Field& field,
                            const QString& text) {
        if (column.fieldName == u"F_name"_s && position == 1)
            return field.asString() + u"!"_s;
        return text;
    });
    QCOMPARE(g.cellText(1, 1), u"甲!"_s);
    QCOMPARE(g.cellText(1, 2), u"2,000.25"_s);
    QCOMPARE(g.view()->model()->index(1, 1).data().toString(), u"甲!"_s);

    g.setCellStyleHook([](int position, const GridColumn&, grid::CellStyle& style) {
        if (position == 2)
            style.text = Qt::red;
    });
    QAbstractItemModel* model = g.view()->model();
    QCOMPARE(model->index(2, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    QVERIFY(!model->index(1, 0).data(Qt::ForegroundRole).isValid());
    QVERIFY(!model->index(2, 0).data(Qt::BackgroundRole).isValid());
}

void TstGrid::modelIsConsistent()
{
    DBGridEh g;
    QAbstractItemModelTester tester(g.view()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    setUp(g, m_rows.get());
    g.appendColumn(col(u"F_qty"_s, u"数量"_s));
    g.setColumn(0, col(u"F_memo"_s, u"备注"_s));
    g.setSortMarker(1, SortMarker::Ascending);
    m_rows->setSort(u"F_name ASC"_s);
    m_rows->moveTo(3);
    m_rows->edit();
    m_rows->setValue(u"F_name"_s, u"庚"_s);
    m_rows->post();
    m_rows->close();
    m_rows->open();
    g.clearColumns();
    g.setDataset(nullptr);
    QCOMPARE(g.view()->model()->rowCount(), 0);
}
