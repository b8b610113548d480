#include "tst_gridsort.h"

#include "dataset.h"
#include "dberror.h"
#include "dbgrideh.h"
#include "dmdata.h"
#include "frmdispfieldxz.h"
#include "frmrowarrangegl.h"
#include "gridlayout.h"
#include "modalrunner.h"
#include "schema.h"
#include "scriptedmessages.h"
#include "testdb.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;
using grid::GridColumn;
using grid::SortMarker;

namespace {

GridColumn col(const QString& field, const QString& caption)
{
    GridColumn c;
    c.fieldName = field;
    c.caption = caption;
    return c;
}

QString markerText(const grid::DBGridEh& g)
{
    QString text;
    for (int i = 0; i < g.columnCount(); ++i) {
        const SortMarker m = g.sortMarker(i);
        text += m == SortMarker::Ascending ? u'A' : m == SortMarker::Descending ? u'D' : u'-';
    }
    return text;
}

} // namespace

TstGridSort::TstGridSort() = default;
TstGridSort::~TstGridSort() = default;

void TstGridSort::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dm = std::make_unique<data::TdmData>();
    try {
        m_dm->ADOcnn.open(eqtest::freshDatabase(*m_dir));
        data::createSchema(m_dm->ADOcnn);
        // Statement order B2, A1, C3; by name (pinyin) A1, C3, B2; by memo C3, A1, B2.
        m_dm->ADOcnn.exec(u"insert into SETs(F_code,F_name,F_memo2) values('B2','乙','z')"_s);
        m_dm->ADOcnn.exec(u"insert into SETs(F_code,F_name,F_memo2) values('A1','丙','y')"_s);
        m_dm->ADOcnn.exec(u"insert into SETs(F_code,F_name,F_memo2) values('C3','甲','x')"_s);
    } catch (const db::DbError& e) {
        QFAIL(qPrintable(e.message()));
    }
    m_dm->IsConnected = true;
    data::dmData = m_dm.get();
    m_rows = std::make_unique<db::Dataset>(&m_dm->ADOcnn);
    m_rows->setSql(u"select F_ID, F_code, F_name, F_memo2 from SETs order by F_ID"_s);
    m_rows->open();
    m_grid = std::make_unique<grid::DBGridEh>();
    m_grid->setDataset(m_rows.get());
    m_grid->setColumns({col(u"F_code"_s, u"设备编号"_s), col(u"F_memo2"_s, u"备注信息"_s),
                        col(u"F_name"_s, u"设备名称"_s)});
}

void TstGridSort::cleanup()
{
    m_grid.reset();
    m_rows.reset();
    m_dm.reset();
    data::dmData = nullptr;
}

QStringList TstGridSort::codes() const
{
    QStringList list;
    for (int p = 0; p < m_rows->recordCount(); ++p)
        list.append(m_grid->cellText(p, 0));
    return list;
}

void TstGridSort::sortDialog_data()
{
    // Steps: "set ROW VALUE", "dbl ROW" (double click), "up ROW", "down ROW", "cancel".
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no values") << QStringList{} << QString();
    QTest::newRow("double click once") << QStringList{u"dbl 0"_s} << u"f_code ASC"_s;
    QTest::newRow("double click twice") << QStringList{u"dbl 1"_s, u"dbl 1"_s}
                                        << u"f_name DESC"_s;
    QTest::newRow("double click thrice") << QStringList{u"dbl 1"_s, u"dbl 1"_s, u"dbl 1"_s}
                                         << QString();
    QTest::newRow("rows in order") << QStringList{u"set 0 升序"_s, u"set 2 降序"_s}
                                   << u"f_code ASC,f_spec DESC"_s;
    QTest::newRow("lower case field") << QStringList{u"set 4 降序"_s}
                                      << u"f_originvalue DESC"_s;
    QTest::newRow("moved up twice")
        << QStringList{u"set 0 升序"_s, u"set 2 降序"_s, u"up 2"_s, u"up 1"_s}
        << u"f_spec DESC,f_code ASC"_s;
    QTest::newRow("selection moves with the row")
        << QStringList{u"set 0 升序"_s, u"set 2 降序"_s, u"up 2"_s, u"up"_s}
        << u"f_spec DESC,f_code ASC"_s;
    QTest::newRow("moved down") << QStringList{u"set 0 升序"_s, u"set 1 降序"_s, u"down 0"_s}
                                << u"f_name DESC,f_code ASC"_s;
    QTest::newRow("up on the first row")
        << QStringList{u"set 0 升序"_s, u"set 1 升序"_s, u"up 0"_s}
        << u"f_code ASC,f_name ASC"_s;
    QTest::newRow("down on the last row")
        << QStringList{u"set 3 升序"_s, u"set 4 升序"_s, u"down 4"_s}
        << u"f_name ASC,f_originvalue ASC"_s;
    QTest::newRow("same caption sorts by the first") << QStringList{u"set 3 降序"_s}
                                                     << u"f_name DESC"_s;
    QTest::newRow("cancel") << QStringList{u"set 0 升序"_s, u"cancel"_s} << QString();
}

void TstGridSort::sortDialog()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    grid::DBGridEh g;
    g.setColumns({col(u"F_code"_s, u"设备编号"_s), col(u"F_name"_s, u"设备名称"_s),
                  col(u"F_spec"_s, u"规格"_s), col(u"F_type"_s, u"设备名称"_s),
                  col(u"F_OriginValue"_s, u"设备原值"_s)});
    bool shown = false;
    widgets::ScopedModalHandler handler([&](QDialog& dialog) {
        auto& d = dynamic_cast<data::TfrmRowArrangeGl&>(dialog);
        shown = true;
        [&] {
            QCOMPARE(d.windowTitle(), u"排序对话框"_s);
            QCOMPARE(d.Label1->text(),
                     u"提示：双击空白处切换排序方式（升降无），单击上下移动键调整优先顺序"_s);
            QCOMPARE(d.vle1->rowCount(), 5);
            QCOMPARE(d.vle1->item(1, 0)->text(), u"设备名称"_s);
            QCOMPARE(d.vle1->item(1, 1)->text(), QString());
        }();
        for (const QString& step : steps) {
            const QStringList parts = step.split(u' ');
            if (parts.size() > 1)
                d.vle1->setCurrentCell(parts[1].toInt(), 1);
            if (parts[0] == u"set"_s)
                d.vle1->item(parts[1].toInt(), 1)->setText(parts[2]);
            else if (parts[0] == u"dbl"_s)
                d.vle1DblClick();
            else if (parts[0] == u"up"_s)
                d.Button1Click();
            else if (parts[0] == u"down"_s)
                d.Button2Click();
            else if (parts[0] == u"cancel"_s)
                d.Button4Click();
        }
        if (!steps.contains(u"cancel"_s))
            d.Button3Click();
        return d.result();
    });
    QCOMPARE(data::ChooseSortOrder(&g), expected);
    QVERIFY(shown);
}

void TstGridSort::sortResultAppliesToRows()
{
    widgets::ScopedModalHandler handler([](QDialog& dialog) {
        auto& d = dynamic_cast<data::TfrmRowArrangeGl&>(dialog);
        d.vle1->item(2, 1)->setText(u"降序"_s);
        d.vle1->item(0, 1)->setText(u"升序"_s);
        d.Button3Click();
        return d.result();
    });
    const QString order = data::ChooseSortOrder(m_grid.get());
    QCOMPARE(order, u"f_code ASC,f_name DESC"_s);
    data::ApplySortOrder(m_grid.get(), order);
    QCOMPARE(m_rows->sort(), order);
    QCOMPARE(codes(), (QStringList{u"A1"_s, u"B2"_s, u"C3"_s}));
    data::ApplySortOrder(m_grid.get(), u"f_name DESC"_s);
    QCOMPARE(codes(), (QStringList{u"B2"_s, u"C3"_s, u"A1"_s}));
    // A field the query lacks is left out rather than failing the whole sort.
    data::ApplySortOrder(m_grid.get(), u"f_spec ASC,f_code DESC"_s);
    QCOMPARE(codes(), (QStringList{u"C3"_s, u"B2"_s, u"A1"_s}));
}

void TstGridSort::chooseVisibleColumns_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("ticks");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("after");
    QTest::newRow("ok") << u"110"_s << u"011"_s << true << u"011"_s;
    QTest::newRow("cancel") << u"110"_s << u"011"_s << false << u"110"_s;
    QTest::newRow("hide all") << u"111"_s << u"000"_s << true << u"000"_s;
    QTest::newRow("show again") << u"000"_s << u"101"_s << true << u"101"_s;
}

void TstGridSort::chooseVisibleColumns()
{
    QFETCH(QString, before);
    QFETCH(QString, ticks);
    QFETCH(bool, ok);
    QFETCH(QString, after);
    for (int i = 0; i < before.size(); ++i)
        m_grid->setColumnVisible(i, before[i] == u'1');

    widgets::ScopedModalHandler handler([&](QDialog& dialog) {
        auto& d = dynamic_cast<data::TFrmDispFieldXZ&>(dialog);
        [&] {
            QCOMPARE(d.windowTitle(), u"字段列表"_s);
            QVERIFY(!(d.windowFlags() & Qt::WindowCloseButtonHint));
            QCOMPARE(d.CheckListBox1->count(), 3);
            QCOMPARE(d.CheckListBox1->item(1)->text(), u"备注信息"_s);
            for (int i = 0; i < before.size(); ++i)
                QCOMPARE(d.CheckListBox1->item(i)->checkState() == Qt::Checked,
                         before[i] == u'1');
        }();
        for (int i = 0; i < ticks.size(); ++i)
            d.CheckListBox1->item(i)->setCheckState(ticks[i] == u'1' ? Qt::Checked
                                                                     : Qt::Unchecked);
        if (ok)
            d.BitBtn1Click();
        else
            d.BitBtn2Click();
        return d.result();
    });
    data::ChooseVisibleColumns(m_grid.get());
    QString shown;
    for (const GridColumn& c : m_grid->columns())
        shown += c.visible ? u'1' : u'0';
    QCOMPARE(shown, after);
    QCOMPARE(m_grid->columnCount(), 3);
}

void TstGridSort::titleClick_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("markers");
    QTest::addColumn<QStringList>("order");
    const int A = int(data::TitleSortKind::A);
    const int B = int(data::TitleSortKind::B);
    const QStringList statement = {u"B2"_s, u"A1"_s, u"C3"_s};
    QTest::newRow("A once") << A << QList<int>{0} << u"A--"_s
                            << QStringList{u"A1"_s, u"B2"_s, u"C3"_s};
    QTest::newRow("A twice") << A << QList<int>{0, 0} << u"D--"_s
                             << QStringList{u"C3"_s, u"B2"_s, u"A1"_s};
    QTest::newRow("A thrice") << A << QList<int>{0, 0, 0} << u"A--"_s
                              << QStringList{u"A1"_s, u"B2"_s, u"C3"_s};
    QTest::newRow("A other column keeps markers") << A << QList<int>{0, 0, 2} << u"D-A"_s
                                                  << QStringList{u"A1"_s, u"C3"_s, u"B2"_s};
    QTest::newRow("A memo twice") << A << QList<int>{1, 1} << u"-D-"_s << statement;
    QTest::newRow("A memo after a sort") << A << QList<int>{2, 1} << u"-AA"_s
                                         << QStringList{u"A1"_s, u"C3"_s, u"B2"_s};
    QTest::newRow("B once") << B << QList<int>{2} << u"--A"_s
                            << QStringList{u"A1"_s, u"C3"_s, u"B2"_s};
    QTest::newRow("B twice") << B << QList<int>{2, 2} << u"--D"_s
                             << QStringList{u"B2"_s, u"C3"_s, u"A1"_s};
    QTest::newRow("B memo") << B << QList<int>{1, 1} << u"---"_s << statement;
}

void TstGridSort::titleClick()
{
    QFETCH(int, kind);
    QFETCH(QList<int>, clicks);
    QFETCH(QString, markers);
    QFETCH(QStringList, order);
    for (int index : clicks)
        data::TitleClickSort(m_grid.get(), index, data::TitleSortKind(kind));
    QCOMPARE(markerText(*m_grid), markers);
    QCOMPARE(codes(), order);

    // Nothing happens while the query is closed.
    m_rows->close();
    data::TitleClickSort(m_grid.get(), 0, data::TitleSortKind(kind));
    QCOMPARE(markerText(*m_grid), markers);
}

void TstGridSort::cancelAfterTitleClickRemovesSort()
{
    data::TitleClickSort(m_grid.get(), 0, data::TitleSortKind::A);
    data::TitleClickSort(m_grid.get(), 0, data::TitleSortKind::A);
    QCOMPARE(codes(), (QStringList{u"C3"_s, u"B2"_s, u"A1"_s}));
    widgets::ScopedModalHandler handler([](QDialog& dialog) {
        auto& d = dynamic_cast<data::TfrmRowArrangeGl&>(dialog);
        d.vle1->item(0, 1)->setText(u"升序"_s);
        d.Button4Click();
        return d.result();
    });
    const QString order = data::ChooseSortOrder(m_grid.get());
    QCOMPARE(order, QString());
    data::ApplySortOrder(m_grid.get(), order);
    QCOMPARE(codes(), (QStringList{u"B2"_s, u"A1"_s, u"C3"_s}));
    QCOMPARE(m_rows->sort(), QString());
}
