#include "gridlayout.h"

#include "corva.h"
#include "dataset.h"
#include "dberror.h"
#include "dbgrideh.h"
#include "dmdata.h"
#include "frmdispfieldxz.h"
#include "frmrowarrangegl.h"
#include "gridseed.h"
#include "modalrunner.h"
#include "sqlquote.h"

#include <QDialog>

namespace data {

using namespace Qt::StringLiterals;
using grid::FooterKind;
using grid::GridColumn;
using grid::SortMarker;

namespace {

const QString OperationFailed = u"操作失败，请检查数据连接... "_s;

// The alignment a column of this field has when the saved row gives none: the one of the
// designed column, else right for numbers as the grid shows them by default.
Qt::Alignment defaultAlignment(const QList<GridColumn>& designed, const db::Dataset* rows,
                               const QString& field)
{
    for (const GridColumn& c : designed) {
        if (c.fieldName.compare(field, Qt::CaseInsensitive) == 0)
            return c.alignment;
    }
    if (rows && rows->isOpen()) {
        const int column = rows->fieldIndex(field);
        if (column >= 0) {
            const db::FieldKind kind = rows->fieldKind(column);
            if (kind == db::FieldKind::Integer || kind == db::FieldKind::Float)
                return Qt::AlignRight;
        }
    }
    return Qt::AlignLeft;
}

} // namespace

void LoadGridLayout(grid::DBGridEh* grid, const QString& gridName)
{
    db::Dataset& q = dmData->QryTemp;
    try {
        q.close();
        q.clearParams();
        q.setSql(u"Select * from cfg_Grid Where (F_name = '"_s + db::sqlValue(gridName)
                 + u"' and F_fieldname <> '') order by F_Order"_s);
        q.open();
        if (q.isEmpty())
            return;
        const QList<GridColumn> before = grid->columns();
        grid->clearColumns();
        for (q.first(); !q.eof(); q.next()) {
            GridColumn c;
            c.fieldName = q.field(u"F_FieldName"_s).asString();
            c.caption = q.field(u"F_Caption"_s).asString();
            c.width = int(q.field(u"F_Width"_s).asInteger());
            c.visible = q.field(u"F_Visible"_s).asBool();
            c.readOnly = q.field(u"F_ReadOnly"_s).asBool();
            c.displayFormat = q.field(u"F_DisplayFormat"_s).asString();
            c.footerValue = q.field(u"F_FooterValue"_s).asString();
            switch (q.field(u"F_FooterType"_s).asInteger()) {
            case 1: c.footerKind = FooterKind::StaticText; break;
            case 2: c.footerKind = FooterKind::Sum; break;
            default: c.footerKind = FooterKind::None; break;
            }
            const db::Field alignment = q.field(u"F_Alignment"_s);
            switch (alignment.isNull() ? -1 : alignment.asInteger()) {
            case 0: c.alignment = Qt::AlignLeft; break;
            case 1: c.alignment = Qt::AlignHCenter; break;
            case 2: c.alignment = Qt::AlignRight; break;
            default: c.alignment = defaultAlignment(before, grid->dataset(), c.fieldName); break;
            }
            grid->appendColumn(c);
        }
    } catch (const db::DbError&) {
        corva::ShowMess(OperationFailed, corva::Error);
    }
}

void SaveGridLayout(grid::DBGridEh* grid, const QString& gridName)
{
    const QString name = db::sqlValue(gridName.toLower());
    for (int i = 0; i < grid->columnCount(); ++i) {
        const GridColumn c = grid->column(i);
        const int footerType = c.footerKind == FooterKind::StaticText ? 1
                               : c.footerKind == FooterKind::Sum      ? 2
                                                                      : 0;
        dmData->ExecSql(u"update cfg_grid set F_caption = '"_s + db::sqlValue(c.caption)
                        + u"',F_width = "_s + QString::number(grid->columnWidth(i))
                        + u",F_readonly = "_s + QString::number(c.readOnly ? 1 : 0)
                        + u",F_visible = "_s + QString::number(c.visible ? 1 : 0)
                        + u",F_order = "_s + QString::number(i) + u",F_alignMent = "_s
                        + QString::number(alignmentCode(c.alignment))
                        + u",F_displayFormat = '"_s + db::sqlValue(c.displayFormat)
                        + u"',F_footerValue = '"_s + db::sqlValue(c.footerValue)
                        + u"',F_footerType = "_s + QString::number(footerType)
                        + u" where (F_name = '"_s + name + u"' and F_fieldname = '"_s
                        + db::sqlValue(c.fieldName) + u"') "_s);
    }
}

void ChooseVisibleColumns(grid::DBGridEh* grid)
{
    TFrmDispFieldXZ chooser;
    QStringList captions;
    QList<bool> visible;
    for (const GridColumn& c : grid->columns()) {
        captions.append(c.caption);
        visible.append(c.visible);
    }
    chooser.FillList(captions, visible);
    if (widgets::execModal(chooser) != QDialog::Accepted)
        return;
    const QList<bool> ticked = chooser.TickedStates();
    for (int i = 0; i < grid->columnCount() && i < ticked.size(); ++i)
        grid->setColumnVisible(i, ticked[i]);
}

QString ChooseSortOrder(grid::DBGridEh* grid)
{
    TfrmRowArrangeGl dialog;
    dialog.FillRows(grid->columns());
    if (widgets::execModal(dialog) != QDialog::Accepted)
        return QString();
    return dialog.SortText();
}

void ApplySortOrder(grid::DBGridEh* grid, const QString& sortText)
{
    db::Dataset* rows = grid->dataset();
    if (!rows || !rows->isOpen())
        return;
    QStringList items;
    for (const QString& item : sortText.split(u',', Qt::SkipEmptyParts)) {
        const QString field = item.trimmed().section(u' ', 0, 0);
        if (rows->fieldIndex(field) >= 0)
            items.append(item.trimmed());
    }
    try {
        rows->setSort(items.join(u','));
    } catch (const db::DbError&) {
        // Only a malformed item gets here; the rows keep the order they had.
        return;
    }
    // The titles show the sort now in force, and none when it was removed.
    grid->clearSortMarkers();
    for (const QString& item : std::as_const(items)) {
        const QString field = item.section(u' ', 0, 0);
        const bool descending = item.section(u' ', 1, 1).compare(u"DESC"_s, Qt::CaseInsensitive) == 0;
        for (int i = 0; i < grid->columnCount(); ++i) {
            if (grid->column(i).fieldName.compare(field, Qt::CaseInsensitive) == 0)
                grid->setSortMarker(i, descending ? SortMarker::Descending : SortMarker::Ascending);
        }
    }
}

void TitleClickSort(grid::DBGridEh* grid, int index, TitleSortKind kind)
{
    db::Dataset* rows = grid->dataset();
    if (!rows || !rows->isOpen() || index < 0 || index >= grid->columnCount())
        return;
    const QString field = grid->column(index).fieldName;
    const bool longText = field.toLower().contains(u"mem"_s);
    if (longText && kind == TitleSortKind::B)
        return;
    const SortMarker marker = grid->sortMarker(index) == SortMarker::Ascending
                                  ? SortMarker::Descending
                                  : SortMarker::Ascending;
    grid->setSortMarker(index, marker);
    // A column over a field the query lacks shows nothing, so there is nothing to order by.
    if (longText || rows->fieldIndex(field) < 0)
        return;
    rows->setSort(field + (marker == SortMarker::Ascending ? u" ASC"_s : u" DESC"_s));
}

} // namespace data
