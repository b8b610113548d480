// The main window's browsing: the list statement and its triggers, the list page, the advanced
// search button, the detail pages and the show sequence.
#include "frmmain.h"

#include "appvalues.h"
#include "codetreeview.h"
#include "dbgrideh.h"
#include "dmdata.h"
#include "gridlayout.h"
#include "inifile.h"
#include "valuelisteditor.h"

#include <QAction>
#include <QComboBox>
#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace reg {

namespace {

// The path a tree selection narrows the list to: none for the root or no selection.
QString selectedPath(const codes::CodeTreeView* tree)
{
    QTreeWidgetItem* node = tree->currentItem();
    if (!node || !node->isSelected() || codes::isRootNode(node))
        return QString();
    const codes::tNodeData* data = codes::nodeData(node);
    return data ? data->LikeCode : QString();
}

void setCaptionColour(QToolButton* button, const QColor& colour)
{
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, colour);
    button->setPalette(palette);
}

} // namespace

EquipmentFilter TFrmMain::currentFilter() const
{
    EquipmentFilter filter;
    filter.searchField = ComboBox1->currentIndex();
    filter.searchText = Edit1->text();
    filter.categoryPath = selectedPath(tvTree);
    filter.departmentPath = selectedPath(tvTree1);
    filter.includeDisabled = CheckBox1->isChecked();
    filter.listType = cbbListType->currentIndex();
    const int row = vleList->currentRow();
    filter.listAll = row <= 0;
    if (!filter.listAll)
        filter.listValue = vleList->value(row);
    return filter;
}

void TFrmMain::RefreshEquipmentList()
{
    ListSql = buildListSql(currentFilter());
    const bool opened = data::dmData->OpenQuery(ListSql + listOrderClause(), QryMain);
    // A list that could not be opened says so, rather than showing a count of nothing.
    lblSETnum->setText(opened ? equipmentCountText(QryMain.recordCount())
                              : u"设备列表未能打开，请检查数据连接 "_s);
}

void TFrmMain::FillListPage(const QString& Sql, int kind)
{
    vleList->clear();
    const bool opened = data::dmData->OpenQuery(Sql, data::dmData->QryPub);
    vleList->addRow(u"0"_s, u"全部"_s);
    m_listPageClicks = false;
    vleList->setCurrentRow(0);
    RefreshEquipmentList();
    m_listPageClicks = true;
    vleList->setTitles(QString(), listPageTitle(kind));
    if (!opened)
        return;
    db::Dataset& rows = data::dmData->QryPub;
    int position = 1;
    for (rows.first(); !rows.eof(); rows.next())
        vleList->addRow(QString::number(position++), rows.field(u"F_name"_s).asString());
}

void TFrmMain::SpeedButton2Click()
{
    if (!SpeedButton2->isChecked()) {
        setCaptionColour(SpeedButton2, palette().color(QPalette::ButtonText));
        RefreshEquipmentList();
        return;
    }
    const QString sql = advancedSearch() ? advancedSearch()(this) : QString();
    if (sql.isEmpty()) {
        SpeedButton2->setChecked(false);
        setCaptionColour(SpeedButton2, palette().color(QPalette::ButtonText));
    } else {
        setCaptionColour(SpeedButton2, Qt::red);
        data::dmData->OpenQuery(sql, QryMain);
    }
    lblSETnum->setText(equipmentCountText(QryMain.isOpen() ? QryMain.recordCount() : 0));
}

void TFrmMain::DBGridEh1TitleClick(int index)
{
    data::TitleClickSort(DBGridEh1, index, data::TitleSortKind::A);
}

void TFrmMain::ListView1SelectItem()
{
    const QList<QListWidgetItem*> selected = ListView1->selectedItems();
    const int page = selected.isEmpty() ? 0 : selected.first()->data(Qt::UserRole).toInt() - 1;
    rpcList->setCurrentIndex(page);
    DetailPage = rpcList->currentIndex() + 1;
    CBdetail->setVisible(DetailPage != 4);
    applyDetailPageActions();
}

void TFrmMain::applyDetailPageActions()
{
    if (DetailPage == 4)
        return;
    // The grid commands of the accessory and document pages follow the operator's rights on
    // the main grid's counterparts; the picture page has a rename instead.
    const bool gridPage = DetailPage == 1 || DetailPage == 3;
    const std::pair<QString, QString> mirrored[] = {{u"Action904"_s, u"Action204"_s},
                                                    {u"Action905"_s, u"Action205"_s},
                                                    {u"Action906"_s, u"Action206"_s}};
    for (const auto& [detail, main] : mirrored)
        action(detail)->setVisible(gridPage && action(main)->isVisible());
    action(u"Action31"_s)->setVisible(gridPage);
    action(u"Action907"_s)->setVisible(!gridPage);
}

void TFrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous() && !m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TFrmMain::FormShow()
{
    setWindowTitle(app::ProductName + app::ProductVersion);
    m_panels[1]->setText(u' ' + app::CurrentOperator);
    Timer1Timer();
    Timer1->start();
    app::AutoBackupMode = app::ConfigFile().readInteger(u"config"_s, u"ibak"_s, 0);

    reloadTree(tvTree, u"设备类型"_s, u"type"_s);
    reloadTree(tvTree1, u"部门类型"_s, u"depttype"_s);

    const QSignalBlocker quiet(cbbListType);
    FillListPage(listPageSql(1), 1);
    cbbListType->setCurrentIndex(0);
    RefreshEquipmentList();

    data::LoadGridLayout(DBGridEh1, u"setmain"_s);
    data::LoadGridLayout(DBGridEh2, u"detail1"_s);
    data::LoadGridLayout(DBGridEh3, u"detail2"_s);

    ListView1->setCurrentRow(0);
    ListView1SelectItem();
    rpcList->setCurrentIndex(0);
}

} // namespace reg
