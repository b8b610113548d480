#include "tst_gridlayout.h"

#include "corva.h"
#include "dataset.h"
#include "dberror.h"
#include "dbgrideh.h"
#include "dmdata.h"
#include "gridlayout.h"
#include "schema.h"
#include "scriptedmessages.h"
#include "testdb.h"

#include <QHeaderView>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using corva::ScriptedMessages;
using corva::ShownMessage;
using grid::DBGridEh;
using grid::FooterKind;
using grid::GridColumn;

namespace {

const QString OperationFailed = u"操作失败，请检查数据连接... "_s;

// Everything a layout keeps of a column, as one line, so lists compare with a readable diff.
QStringList describe(const QList<GridColumn>& columns)
{
    QStringList lines;
    for (const GridColumn& c : columns) {
        lines.append(u"%1|%2|%3|%4|%5|%6|%7|%8|%9"_s.arg(
            c.fieldName, c.caption, QString::number(c.width), c.visible ? u"v"_s : u"-"_s,
            c.readOnly ? u"r"_s : u"-"_s, QString::number(int(c.alignment)), c.displayFormat,
            c.footerValue, QString::number(int(c.footerKind))));
    }
    return lines;
}

QStringList cfgRows(db::Connection& connection)
{
    db::Dataset rows(&connection);
    rows.setSql(u"select F_name, F_fieldname, F_caption, F_width, F_visible, F_readonly, "
                "F_order, F_Alignment, F_displayFormat, F_footerValue, F_footerType "
                "from cfg_Grid order by F_ID"_s);
    rows.open();
    QStringList lines;
    for (rows.first(); !rows.eof(); rows.next()) {
        QStringList cells;
        for (int i = 0; i < rows.fieldCount(); ++i)
            cells.append(rows.field(i).asString());
        lines.append(cells.join(u'|'));
    }
    return lines;
}

void insertRow(db::Connection& connection, const QString& name, const QString& field,
               const QString& caption, int order, int alignment = 0, int footerType = 0)
{
    db::Params p;
    p.set(u"name"_s, name);
    p.set(u"field"_s, field);
    p.set(u"caption"_s, caption);
    p.set(u"pos"_s, order);
    p.set(u"alignment"_s, alignment);
    p.set(u"footerType"_s, footerType);
    connection.exec(u"insert into cfg_Grid(F_name,F_fieldname,F_caption,F_width,F_visible,"
                    "F_readonly,F_order,F_Alignment,F_displayFormat,F_footerValue,"
                    "F_footerType) values(:name,:field,:caption,77,1,0,:pos,:alignment,'',"
                    "'x',:footerType)"_s,
                    p);
}

} // namespace

TstGridLayout::TstGridLayout() = default;
TstGridLayout::~TstGridLayout() = default;

void TstGridLayout::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dm = std::make_unique<data::TdmData>();
    try {
        m_dm->ADOcnn.open(eqtest::freshDatabase(*m_dir));
        data::createSchema(m_dm->ADOcnn);
        data::seedSchema(m_dm->ADOcnn);
    } catch (const db::DbError& e) {
        QFAIL(qPrintable(e.message()));
    }
    m_dm->IsConnected = true;
    data::dmData = m_dm.get();
}

void TstGridLayout::cleanup()
{
    m_dm.reset();
    data::dmData = nullptr;
}

void TstGridLayout::seedMatchesDesign_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("width");
    QTest::newRow("setmain") << u"setmain"_s << u"SETs"_s << 20 << 85;
    QTest::newRow("detail1") << u"detail1"_s << u"t_setREC"_s << 9 << 80;
    QTest::newRow("detail2") << u"detail2"_s << u"t_fileREC"_s << 7 << 80;
}

void TstGridLayout::seedMatchesDesign()
{
    QFETCH(QString, name);
    QFETCH(QString, table);
    QFETCH(int, count);
    QFETCH(int, width);
    const QList<GridColumn> designed = data::designedGridColumns(name);
    QCOMPARE(designed.size(), count);
    const db::TableDef* def = data::findTable(table);
    QVERIFY(def);
    for (const GridColumn& c : designed) {
        QCOMPARE(c.width, width);
        const bool known = std::any_of(def->columns.begin(), def->columns.end(),
                                       [&](const db::ColumnDef& d) {
                                           return d.name.compare(c.fieldName,
                                                                 Qt::CaseInsensitive) == 0;
                                       });
        QVERIFY2(known, qPrintable(c.fieldName));
    }

    ScriptedMessages messages;
    DBGridEh g;
    data::LoadGridLayout(&g, name);
    QCOMPARE(describe(g.columns()), describe(designed));
    QVERIFY(messages.log().isEmpty());
}

void TstGridLayout::saveAndLoadRoundTrip()
{
    ScriptedMessages messages;
    DBGridEh g;
    data::LoadGridLayout(&g, u"setmain"_s);
    QHeaderView* header = g.view()->horizontalHeader();
    header->moveSection(header->visualIndex(19), 0); // 备注信息 first
    header->resizeSection(header->logicalIndex(1), 140);
    g.setColumnVisible(2, false);
    GridColumn changed = g.column(3);
    changed.caption = u"设备'类型"_s;
    changed.displayFormat = u"0.0"_s;
    changed.footerValue = u"it's"_s;
    changed.footerKind = FooterKind::StaticText;
    changed.alignment = Qt::AlignHCenter;
    changed.readOnly = true;
    g.setColumn(3, changed);
    const QList<GridColumn> saved = g.columns();
    QCOMPARE(saved.first().fieldName, u"F_memo2"_s);

    data::SaveGridLayout(&g, u"SetMain"_s);
    QVERIFY(messages.log().isEmpty());

    DBGridEh loaded;
    data::LoadGridLayout(&loaded, u"setmain"_s);
    QCOMPARE(describe(loaded.columns()), describe(saved));
    QVERIFY(messages.log().isEmpty());
}

void TstGridLayout::savedCodes_data()
{
    QTest::addColumn<int>("alignmentCode");
    QTest::addColumn<int>("footerType");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("footerKind");
    QTest::newRow("left, none") << 0 << 0 << int(Qt::AlignLeft) << int(FooterKind::None);
    QTest::newRow("centre, text") << 1 << 1 << int(Qt::AlignHCenter)
                                  << int(FooterKind::StaticText);
    QTest::newRow("right, sum") << 2 << 2 << int(Qt::AlignRight) << int(FooterKind::Sum);
    QTest::newRow("other codes") << 7 << 5 << int(Qt::AlignRight) << int(FooterKind::None);
}

void TstGridLayout::savedCodes()
{
    QFETCH(int, alignmentCode);
    QFETCH(int, footerType);
    QFETCH(int, alignment);
    QFETCH(int, footerKind);
    m_dm->ADOcnn.exec(u"update cfg_Grid set F_Alignment = %1, F_footerType = %2 "
                      "where F_name = 'detail1' and F_fieldname = 'F_price'"_s.arg(
                          QString::number(alignmentCode), QString::number(footerType)));
    DBGridEh g;
    // An alignment code the grid does not know keeps the designed column's (right for prices).
    g.setColumns(data::designedGridColumns(u"detail1"_s));
    data::LoadGridLayout(&g, u"detail1"_s);
    const GridColumn price = g.column(6);
    QCOMPARE(price.fieldName, u"F_price"_s);
    QCOMPARE(int(price.alignment), alignment);
    QCOMPARE(int(price.footerKind), footerKind);
}

void TstGridLayout::noRows()
{
    ScriptedMessages messages;
    DBGridEh g;
    const QList<GridColumn> designed = data::designedGridColumns(u"detail2"_s);
    g.setColumns(designed);
    // A row without a field name counts as no row.
    insertRow(m_dm->ADOcnn, u"wxrecgl"_s, QString(), u"空"_s, 0);
    const QStringList before = cfgRows(m_dm->ADOcnn);

    data::LoadGridLayout(&g, u"wxrecgl"_s);
    QCOMPARE(describe(g.columns()), describe(designed));
    g.view()->horizontalHeader()->resizeSection(0, 200);
    data::SaveGridLayout(&g, u"wxrecgl"_s);
    QCOMPARE(cfgRows(m_dm->ADOcnn), before);
    QVERIFY(messages.log().isEmpty());
}

void TstGridLayout::sameOrder()
{
    insertRow(m_dm->ADOcnn, u"dbrecgl"_s, u"F_code"_s, u"编号"_s, 1);
    insertRow(m_dm->ADOcnn, u"dbrecgl"_s, u"F_name"_s, u"名称"_s, 0);
    insertRow(m_dm->ADOcnn, u"dbrecgl"_s, u"F_date"_s, u"日期"_s, 1);
    DBGridEh g;
    data::LoadGridLayout(&g, u"dbrecgl"_s);
    QCOMPARE(g.columnCount(), 3);
    QCOMPARE(g.column(0).caption, u"名称"_s);
    QStringList tied = {g.column(1).caption, g.column(2).caption};
    tied.sort();
    QCOMPARE(tied, (QStringList{u"日期"_s, u"编号"_s}));
}

void TstGridLayout::loadError()
{
    DBGridEh g;
    const QList<GridColumn> designed = data::designedGridColumns(u"setmain"_s);
    g.setColumns(designed);
    m_dm->ADOcnn.exec(m_dm->ADOcnn.dialect().dropTableSql(u"cfg_Grid"_s));
    ScriptedMessages messages;
    data::LoadGridLayout(&g, u"setmain"_s);
    QCOMPARE(messages.log(), (QList<ShownMessage>{{OperationFailed, corva::Error}}));
    QCOMPARE(describe(g.columns()), describe(designed));
}

void TstGridLayout::saveGoesOnAfterFailure()
{
    DBGridEh g;
    data::LoadGridLayout(&g, u"detail1"_s);
    GridColumn tooLong = g.column(1);
    tooLong.caption = QString(101, u'长'); // F_caption holds 100 characters
    g.setColumn(1, tooLong);
    GridColumn renamed = g.column(2);
    renamed.caption = u"型号"_s;
    g.setColumn(2, renamed);
    GridColumn first = g.column(0);
    first.caption = u"编号"_s;
    g.setColumn(0, first);

    ScriptedMessages messages;
    data::SaveGridLayout(&g, u"detail1"_s);
    QCOMPARE(messages.log(), (QList<ShownMessage>{{OperationFailed, corva::Error}}));

    DBGridEh loaded;
    data::LoadGridLayout(&loaded, u"detail1"_s);
    QCOMPARE(loaded.column(0).caption, u"编号"_s);
    QCOMPARE(loaded.column(1).caption, u"配件名称"_s);
    QCOMPARE(loaded.column(2).caption, u"型号"_s);
}
