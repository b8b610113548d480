#include "gridseed.h"

#include "connection.h"
#include "gridlayout.h"

namespace data {

using namespace Qt::StringLiterals;
using grid::FooterKind;
using grid::GridColumn;

namespace {

// How a designed column shows its values.
enum class Shape { Text, Amount, Price, Money };

struct Designed
{
    Designed(const QString& f, const QString& c, Shape s = Shape::Text,
             FooterKind k = FooterKind::None, const QString& v = QString())
        : field(f), caption(c), shape(s), footer(k), footerValue(v)
    {
    }
    QString field;
    QString caption;
    Shape shape;
    FooterKind footer;
    QString footerValue;
};

GridColumn makeColumn(const Designed& d, int width)
{
    GridColumn c;
    c.fieldName = d.field;
    c.caption = d.caption;
    c.width = width;
    switch (d.shape) {
    case Shape::Text: break;
    case Shape::Amount: c.displayFormat = u"0"_s; break;
    case Shape::Price: c.displayFormat = u"0.00"_s; break;
    case Shape::Money: c.displayFormat = u"#,##0.00"_s; break;
    }
    c.alignment = d.shape == Shape::Text ? Qt::AlignLeft : Qt::AlignRight;
    c.footerKind = d.footer;
    c.footerValue = d.footerValue;
    return c;
}

struct DesignedGrid
{
    QString name;
    int width;
    QList<Designed> columns;
};

const QList<DesignedGrid>& designedGrids()
{
    static const QList<DesignedGrid> grids = {
        {u"setmain"_s,
         85,
         {
             {u"F_code"_s, u"设备编号"_s, Shape::Text, FooterKind::StaticText, u"合计"_s},
             {u"F_name"_s, u"设备名称"_s},
             {u"F_type"_s, u"设备类型"_s},
             {u"F_spec"_s, u"规格"_s},
             {u"F_jscode"_s, u"主机编号"_s},
             {u"F_factory"_s, u"制造厂家"_s},
             {u"F_buildDate"_s, u"出厂日期"_s},
             {u"F_buildCode"_s, u"出厂编号"_s},
             {u"F_buyDate"_s, u"购置日期"_s},
             {u"F_OriginValue"_s, u"设备原值"_s, Shape::Money, FooterKind::Sum},
             {u"F_beginDate"_s, u"启用日期"_s},
             {u"F_Address"_s, u"安装地点"_s},
             {u"F_useDept"_s, u"使用部门"_s},
             {u"F_useStatus"_s, u"设备状态"_s},
             {u"F_amount"_s, u"数量"_s, Shape::Amount, FooterKind::Sum},
             {u"F_price"_s, u"单价"_s, Shape::Price},
             {u"F_totalprice"_s, u"金额"_s, Shape::Money, FooterKind::Sum},
             {u"F_memo1"_s, u"验收使用情况"_s},
             {u"F_useEmp"_s, u"使用人"_s},
             {u"F_memo2"_s, u"备注信息"_s},
         }},
        {u"detail1"_s,
         80,
         {
             {u"F_code"_s, u"配件编号"_s},
             {u"F_name"_s, u"配件名称"_s},
             {u"F_spec"_s, u"型号规格"_s},
             {u"F_address"_s, u"产地"_s},
             {u"F_unit"_s, u"单位"_s},
             {u"F_amount"_s, u"数量"_s, Shape::Amount},
             {u"F_price"_s, u"单价"_s, Shape::Price},
             {u"F_totalprice"_s, u"金额"_s, Shape::Money},
             {u"F_memo1"_s, u"备注"_s},
         }},
        {u"detail2"_s,
         80,
         {
             {u"F_FileDate"_s, u"文件日期"_s},
             {u"F_FileType"_s, u"文件类型"_s},
             {u"F_FileName"_s, u"文档名称"_s},
             {u"F_empName"_s, u"管理人员"_s},
             {u"F_address"_s, u"存放位置"_s},
             {u"F_memo1"_s, u"主要内容"_s},
             {u"F_memo2"_s, u"备注信息"_s},
         }},
    };
    return grids;
}

} // namespace

QList<GridColumn> designedGridColumns(const QString& gridName)
{
    QList<GridColumn> columns;
    for (const DesignedGrid& g : designedGrids()) {
        if (g.name.compare(gridName, Qt::CaseInsensitive) != 0)
            continue;
        for (const Designed& d : g.columns)
            columns.append(makeColumn(d, g.width));
    }
    return columns;
}

void seedGridLayouts(db::Connection& connection)
{
    for (const DesignedGrid& g : designedGrids()) {
        const QList<GridColumn> columns = designedGridColumns(g.name);
        for (int i = 0; i < columns.size(); ++i) {
            const GridColumn& c = columns[i];
            db::Params p;
            p.set(u"name"_s, g.name);
            p.set(u"field"_s, c.fieldName);
            p.set(u"caption"_s, c.caption);
            p.set(u"width"_s, c.width);
            p.set(u"visible"_s, c.visible ? 1 : 0);
            p.set(u"readonly"_s, c.readOnly ? 1 : 0);
            p.set(u"pos"_s, i);
            p.set(u"alignment"_s, alignmentCode(c.alignment));
            p.set(u"format"_s, c.displayFormat);
            p.set(u"footer"_s, c.footerValue);
            p.set(u"footerType"_s, int(c.footerKind));
            connection.exec(u"insert into cfg_Grid(F_name,F_fieldname,F_caption,F_width,"
                            "F_visible,F_readonly,F_order,F_Alignment,F_displayFormat,"
                            "F_footerValue,F_footerType) values(:name,:field,:caption,:width,"
                            ":visible,:readonly,:pos,:alignment,:format,:footer,:footerType)"_s,
                            p);
        }
    }
}

int alignmentCode(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignHCenter)
        return 1;
    if (alignment & Qt::AlignRight)
        return 2;
    return 0;
}

} // namespace data
