// The main window's commands: the actions, the menus, tool bars and pop-up menus that carry them,
// the window's keys and the commands that belong to the window itself.
#include "frmmain.h"

#include "appvalues.h"
#include "codetree.h"
#include "codetreeview.h"
#include "corva.h"
#include "dbgrideh.h"
#include "dmdata.h"
#include "endrequest.h"
#include "frmoperlogin.h"
#include "frmtreecodeman.h"
#include "gridlayout.h"
#include "launcher.h"
#include "modalrunner.h"
#include "resources.h"
#include "valuelisteditor.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace reg {

namespace {

struct ActionDef
{
    QString name;
    QString caption;
    QString icon;
};

// Every action of the window with its caption and picture. Actions whose windows are not built
// yet stay in the menus, governed by rights, but disabled.
const QList<ActionDef>& actionTable()
{
    static const QList<ActionDef> table{
        {u"Action101"_s, u"公司信息"_s, u"company"_s},
        {u"Action102"_s, u"更改密码"_s, u"password"_s},
        {u"Action103"_s, u"用户权限"_s, u"users"_s},
        {u"Action104"_s, u"选项..."_s, u"options"_s},
        {u"Action105"_s, u"设备类型"_s, u"category"_s},
        {u"Action106"_s, u"部门机构"_s, u"department"_s},
        {u"N43"_s, u"重新登录"_s, u"relogin"_s},
        {u"N5"_s, u"退出系统"_s, u"close"_s},
        {u"Action201"_s, u"新增"_s, u"add"_s},
        {u"Action207"_s, u"复制"_s, u"copy"_s},
        {u"Action202"_s, u"修改"_s, u"edit"_s},
        {u"Action203"_s, u"删除"_s, u"delete"_s},
        {u"Action208"_s, u"设备维修"_s, u"maintenance"_s},
        {u"Action209"_s, u"设备调拨"_s, u"transfer"_s},
        {u"Action210"_s, u"设备验收"_s, u"acceptance"_s},
        {u"Action204"_s, u"排序..."_s, u"sort"_s},
        {u"Action205"_s, u"显示字段选择"_s, u"columns"_s},
        {u"Action206"_s, u"保存当前网格"_s, u"save-grid"_s},
        {u"Action301"_s, u"导出"_s, u"export"_s},
        {u"Action302"_s, u"报表设计"_s, u"report-design"_s},
        {u"Action303"_s, u"设备档案列表"_s, u"print"_s},
        {u"Action304"_s, u"设备标签"_s, u"print"_s},
        {u"Action305"_s, u"设备部门统计表"_s, u"print"_s},
        {u"Action306"_s, u"设备分类统计表"_s, u"print"_s},
        {u"Action307"_s, u"资产设备档案卡"_s, u"print"_s},
        {u"Action308"_s, u"设备维修单"_s, u"print"_s},
        {u"Action309"_s, u"设备调拨单"_s, u"print"_s},
        {u"Action310"_s, u"设备验收单"_s, u"print"_s},
        {u"Action311"_s, u"设备入库单"_s, u"print"_s},
        {u"Action401"_s, u"统计"_s, u"statistics"_s},
        {u"Action402"_s, u"设备维修记录统计"_s, u"statistics"_s},
        {u"Action403"_s, u"设备调拨记录统计"_s, u"statistics"_s},
        {u"Action404"_s, u"设备验收记录统计"_s, u"statistics"_s},
        {u"Action501"_s, u"导入合同资料"_s, u"import"_s},
        {u"N73"_s, u"清除导入空行"_s, u"clear-data"_s},
        {u"Action502"_s, u"系统数据清理"_s, u"clear-data"_s},
        {u"Action503"_s, u"数据备份恢复"_s, u"backup"_s},
        {u"Action504"_s, u"压缩修复数据库"_s, u"compact"_s},
        {u"Action505"_s, u"连接网络数据库"_s, u"connect"_s},
        {u"nshitu1"_s, u"工具栏"_s, QString()},
        {u"nshitu2"_s, u"导航树"_s, QString()},
        {u"nshitu3"_s, u"状态栏"_s, QString()},
        {u"N24"_s, u"计算器"_s, u"calculator"_s},
        {u"N25"_s, u"笔记本"_s, u"notepad"_s},
        {u"N8"_s, u"帮助文件"_s, u"help"_s},
        {u"N30"_s, u"常见问题"_s, QString()},
        {u"N19"_s, u"每日一贴"_s, QString()},
        {u"N7"_s, u"自述文件"_s, QString()},
        {u"N41"_s, u"最新功能"_s, QString()},
        {u"N75"_s, u"更改所选设备的设备类型"_s, u"category"_s},
        {u"N80"_s, u"更改所选设备的使用部门"_s, u"department"_s},
        {u"Action901"_s, u"新增"_s, u"add"_s},
        {u"Action902"_s, u"修改"_s, u"edit"_s},
        {u"Action903"_s, u"删除"_s, u"delete"_s},
        {u"Action907"_s, u"更名"_s, u"rename"_s},
        {u"Action904"_s, u"排序..."_s, u"sort"_s},
        {u"Action31"_s, u"导出"_s, u"export"_s},
        {u"Action905"_s, u"显示字段选择"_s, u"columns"_s},
        {u"Action906"_s, u"保存当前网格"_s, u"save-grid"_s},
    };
    return table;
}

// The commands whose windows come with later work: present, governed by rights, disabled.
const QStringList& notYetAvailable()
{
    static const QStringList names{
        u"Action101"_s, u"Action102"_s, u"Action103"_s, u"Action104"_s, u"Action201"_s,
        u"Action207"_s, u"Action202"_s, u"Action203"_s, u"Action208"_s, u"Action209"_s,
        u"Action210"_s, u"Action301"_s, u"Action302"_s, u"Action303"_s, u"Action304"_s,
        u"Action305"_s, u"Action306"_s, u"Action307"_s, u"Action308"_s, u"Action309"_s,
        u"Action310"_s, u"Action311"_s, u"Action401"_s, u"Action402"_s, u"Action403"_s,
        u"Action404"_s, u"Action501"_s, u"N73"_s,       u"Action502"_s, u"Action503"_s,
        u"Action504"_s, u"N75"_s,       u"N80"_s,       u"Action901"_s, u"Action902"_s,
        u"Action903"_s, u"Action907"_s, u"Action31"_s};
    return names;
}

// A menu as a list of action names; an empty name stands for a separator.
struct MenuDef
{
    QString name;
    QString title;
    QStringList items;
};

const QList<MenuDef>& menuTable()
{
    static const QList<MenuDef> table{
        {u"mi100"_s, u"文件"_s,
         {u"Action101"_s, u"Action102"_s, u"Action103"_s, QString(), u"Action104"_s,
          u"Action105"_s, u"Action106"_s, QString(), u"N43"_s, u"N5"_s}},
        {u"mi200"_s, u"编辑"_s,
         {u"Action201"_s, u"Action207"_s, u"Action202"_s, u"Action203"_s, QString(),
          u"Action208"_s, u"Action209"_s, u"Action210"_s, QString(), u"Action204"_s,
          u"Action205"_s, u"Action206"_s}},
        {u"mi300"_s, u"输出"_s,
         {u"Action301"_s, u"Action302"_s, QString(), u"Action303"_s, u"Action304"_s,
          u"Action305"_s, u"Action306"_s, u"Action307"_s, QString(), u"Action308"_s,
          u"Action309"_s, u"Action310"_s, u"Action311"_s}},
        {u"mi400"_s, u"统计"_s,
         {u"Action401"_s, QString(), u"Action402"_s, u"Action403"_s, u"Action404"_s}},
        {u"mi500"_s, u"数据"_s,
         {u"Action501"_s, u"N73"_s, u"Action502"_s, u"Action503"_s, QString(), u"Action504"_s,
          u"Action505"_s}},
        {u"mi600"_s, u"视图"_s, {u"nshitu1"_s, u"nshitu2"_s, u"nshitu3"_s}},
        {u"mi700"_s, u"工具"_s, {u"N24"_s, u"N25"_s}},
        {u"mi800"_s, u"帮助"_s,
         {u"N8"_s, u"N19"_s, u"N30"_s, QString(), u"N7"_s, u"N41"_s}},
    };
    return table;
}

void fillMenu(QMenu* menu, const QStringList& items, const QHash<QString, QAction*>& actions)
{
    for (const QString& name : items) {
        if (name.isEmpty())
            menu->addSeparator();
        else
            menu->addAction(actions.value(name));
    }
}

// The desktop programs tried, in order, for the calculator and the text editor.
const QStringList Calculators{u"gnome-calculator"_s, u"kcalc"_s,         u"mate-calc"_s,
                              u"galculator"_s,       u"qalculate-gtk"_s, u"xcalc"_s};
const QStringList TextEditors{u"gnome-text-editor"_s, u"gedit"_s,  u"kate"_s, u"kwrite"_s,
                              u"mousepad"_s,          u"pluma"_s,  u"xed"_s,  u"featherpad"_s,
                              u"leafpad"_s};

void startFirstFound(const QStringList& programs)
{
    for (const QString& program : programs) {
        if (!app::SystemLauncher::locate(program).isEmpty()) {
            app::StartProgram(program);
            return;
        }
    }
}

} // namespace

TFrmMain::AdvancedSearch& TFrmMain::advancedSearch()
{
    static AdvancedSearch search;
    return search;
}

void TFrmMain::setAdvancedSearch(AdvancedSearch search)
{
    advancedSearch() = std::move(search);
}

QAction* TFrmMain::addAction(const QString& name, const QString& caption, const QString& icon)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    if (!icon.isEmpty())
        action->setIcon(resources::icon(icon));
    m_actions.insert(name, action);
    return action;
}

void TFrmMain::createActions()
{
    for (const ActionDef& def : actionTable())
        addAction(def.name, def.caption, def.icon);
    for (const QString& name : notYetAvailable())
        m_actions.value(name)->setEnabled(false);
    for (const QString& name : {u"nshitu1"_s, u"nshitu2"_s, u"nshitu3"_s}) {
        m_actions.value(name)->setCheckable(true);
        m_actions.value(name)->setChecked(true);
    }
    m_actions.value(u"N19"_s)->setVisible(false);
    // The shortcuts are shown in the menus; the window's key handling runs them (keyPreview), so
    // they also work while a search box has the focus.
    const std::pair<QString, QKeySequence> keys[] = {
        {u"Action201"_s, QKeySequence(Qt::CTRL | Qt::Key_A)},
        {u"Action202"_s, QKeySequence(Qt::CTRL | Qt::Key_E)},
        {u"Action203"_s, QKeySequence(Qt::CTRL | Qt::Key_S)},
    };
    for (const auto& [name, key] : keys) {
        m_actions.value(name)->setShortcut(key);
        m_actions.value(name)->setShortcutContext(Qt::WidgetShortcut);
    }
    // The menu item of the import has its own caption.
    m_actions.value(u"Action501"_s)->setIconText(u"导入设备资料"_s);
}

void TFrmMain::createMenus()
{
    for (const MenuDef& def : menuTable()) {
        QMenu* menu = menuBar()->addMenu(def.title);
        menu->setObjectName(def.name);
        fillMenu(menu, def.items, m_actions);
        m_menus.insert(def.name, menu);
    }
    // The import's menu item reads differently from its action.
    for (QAction* item : m_menus.value(u"mi500"_s)->actions()) {
        if (item == m_actions.value(u"Action501"_s))
            item->setText(u"导入设备资料"_s);
    }

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(u"PopupMenu1"_s);
    fillMenu(PopupMenu1,
             {u"Action201"_s, u"Action207"_s, u"Action202"_s, u"Action203"_s, QString(),
              u"Action204"_s, u"Action301"_s, u"Action205"_s, u"Action206"_s, QString(),
              u"N75"_s, u"N80"_s},
             m_actions);
    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(u"PopupMenu3"_s);
    fillMenu(PopupMenu3,
             {u"Action303"_s, u"Action304"_s, u"Action305"_s, u"Action306"_s, u"Action307"_s,
              QString(), u"Action308"_s, u"Action309"_s, u"Action310"_s, u"Action311"_s},
             m_actions);
    PopupMenu4 = new QMenu(this);
    PopupMenu4->setObjectName(u"PopupMenu4"_s);
    fillMenu(PopupMenu4,
             {u"Action901"_s, u"Action902"_s, u"Action903"_s, u"Action907"_s, QString(),
              u"Action904"_s, u"Action31"_s, u"Action905"_s, u"Action906"_s},
             m_actions);
}

void TFrmMain::createToolBars()
{
    ToolBar1 = addToolBar(u"工具栏"_s);
    ToolBar1->setObjectName(u"ToolBar1"_s);
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(30, 30));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

    auto addButton = [this](const QString& buttonName, QAction* action) {
        ToolBar1->addAction(action);
        QWidget* button = ToolBar1->widgetForAction(action);
        button->setObjectName(buttonName);
        button->setMinimumSize(55, 49);
    };
    QAction* relogin = addAction(u"ToolButton1"_s, u"重新登录"_s, u"relogin"_s);
    addButton(u"ToolButton1"_s, relogin);
    ToolBar1->addSeparator();
    addButton(u"ToolButton6"_s, action(u"Action201"_s));
    addButton(u"ToolButton18"_s, action(u"Action207"_s));
    addButton(u"ToolButton7"_s, action(u"Action202"_s));
    addButton(u"ToolButton8"_s, action(u"Action203"_s));
    ToolBar1->addSeparator();
    addButton(u"ToolButton19"_s, action(u"Action208"_s));
    addButton(u"ToolButton5"_s, action(u"Action209"_s));
    addButton(u"tbRefresh"_s, action(u"Action210"_s));
    ToolBar1->addSeparator();
    addButton(u"ToolButton12"_s, action(u"Action204"_s));
    // The print button itself does nothing; its arrow opens the list of printed forms.
    QAction* print = addAction(u"ToolButton4"_s, u"打印"_s, u"print"_s);
    print->setMenu(PopupMenu3);
    addButton(u"ToolButton4"_s, print);
    if (auto* button = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(print)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    ToolBar1->addSeparator();
    QAction* close = addAction(u"ToolButton10"_s, u"关闭"_s, u"close"_s);
    addButton(u"ToolButton10"_s, close);
}

void TFrmMain::fillDetailToolBar()
{
    const std::pair<QString, QString> detailButtons[] = {
        {u"ToolButton14"_s, u"Action901"_s}, {u"ToolButton15"_s, u"Action902"_s},
        {u"ToolButton16"_s, u"Action903"_s}, {u"tbEditName"_s, u"Action907"_s},
        {u"ToolButton17"_s, u"Action904"_s}, {u"ToolButton2"_s, u"Action31"_s}};
    for (const auto& [buttonName, actionName] : detailButtons) {
        ToolBar2->addAction(action(actionName));
        ToolBar2->widgetForAction(action(actionName))->setObjectName(buttonName);
    }
}

void TFrmMain::connectCommands()
{
    const std::pair<QString, void (TFrmMain::*)()> commands[] = {
        {u"Action105"_s, &TFrmMain::Action105Execute},
        {u"Action106"_s, &TFrmMain::Action106Execute},
        {u"Action204"_s, &TFrmMain::Action204Execute},
        {u"Action205"_s, &TFrmMain::Action205Execute},
        {u"Action206"_s, &TFrmMain::Action206Execute},
        {u"Action505"_s, &TFrmMain::Action505Execute},
        {u"Action904"_s, &TFrmMain::Action904Execute},
        {u"Action905"_s, &TFrmMain::Action905Execute},
        {u"Action906"_s, &TFrmMain::Action906Execute},
        {u"N43"_s, &TFrmMain::N43Click},
        {u"ToolButton1"_s, &TFrmMain::ToolButton1Click},
        {u"nshitu1"_s, &TFrmMain::ToggleToolBar},
        {u"nshitu2"_s, &TFrmMain::ToggleNavigation},
        {u"nshitu3"_s, &TFrmMain::ToggleStatusBar},
        {u"N24"_s, &TFrmMain::N24Click},
        {u"N25"_s, &TFrmMain::N25Click},
        {u"N8"_s, &TFrmMain::N8Click},
        {u"N30"_s, &TFrmMain::N8Click}, // the common questions are a chapter of the manual
        {u"N7"_s, &TFrmMain::N7Click},
        {u"N41"_s, &TFrmMain::N41Click},
    };
    for (const auto& [name, slot] : commands)
        connect(m_actions.value(name), &QAction::triggered, this, slot);
    connect(action(u"N5"_s), &QAction::triggered, this, &QWidget::close);
    connect(action(u"ToolButton10"_s), &QAction::triggered, this, &QWidget::close);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] {
        QAction* toggle = action(u"nshitu2"_s);
        toggle->setChecked(!toggle->isChecked());
        ToggleNavigation();
    });

    connect(Edit1, &QLineEdit::textChanged, this, &TFrmMain::RefreshEquipmentList);
    connect(BitBtn1, &QPushButton::clicked, this, &TFrmMain::RefreshEquipmentList);
    connect(CheckBox1, &QCheckBox::clicked, this, &TFrmMain::RefreshEquipmentList);
    connect(SpeedButton2, &QToolButton::clicked, this, &TFrmMain::SpeedButton2Click);
    SpeedButton2->setEnabled(bool(advancedSearch()));
    if (!advancedSearch())
        SpeedButton2->setToolTip(u"高级查找尚未提供"_s);
    connect(tvTree, &QTreeWidget::itemDoubleClicked, this, &TFrmMain::RefreshEquipmentList);
    connect(tvTree1, &QTreeWidget::itemDoubleClicked, this, &TFrmMain::RefreshEquipmentList);
    connect(vleList, &widgets::ValueListEditor::rowClicked, this, [this] {
        if (m_listPageClicks)
            RefreshEquipmentList();
    });
    connect(cbbListType, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            FillListPage(listPageSql(index + 1), index + 1);
    });
    // "刷新列表" reads the list page's values again, for codes added since it was filled.
    connect(Button1, &QPushButton::clicked, this, [this] {
        const int index = cbbListType->currentIndex();
        if (index >= 0)
            FillListPage(listPageSql(index + 1), index + 1);
    });
    connect(ListView1, &QListWidget::itemSelectionChanged, this, &TFrmMain::ListView1SelectItem);

    connect(DBGridEh1, &grid::DBGridEh::titleClicked, this, &TFrmMain::DBGridEh1TitleClick);
    connect(DBGridEh1, &grid::DBGridEh::rowDoubleClicked, this,
            [this] { runAction(u"Action202"_s); });
    for (grid::DBGridEh* detail : {DBGridEh2, DBGridEh3}) {
        connect(detail, &grid::DBGridEh::rowDoubleClicked, this,
                [this] { runAction(u"Action902"_s); });
    }
    connect(ListView2, &QListWidget::itemDoubleClicked, this, [this] { runAction(u"Action902"_s); });
    const std::pair<QWidget*, QMenu*> popups[] = {{DBGridEh1->view(), PopupMenu1},
                                                  {DBGridEh2->view(), PopupMenu4},
                                                  {DBGridEh3->view(), PopupMenu4},
                                                  {ListView2, PopupMenu4}};
    for (const auto& [widget, popup] : popups) {
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(widget, &QWidget::customContextMenuRequested, this,
                [widget, popup](const QPoint& at) { popup->popup(widget->mapToGlobal(at)); });
    }
    qApp->installEventFilter(this);
}

bool TFrmMain::runAction(const QString& name)
{
    QAction* command = action(name);
    if (!command || !command->isVisible() || !command->isEnabled())
        return false;
    command->trigger();
    return true;
}

bool TFrmMain::eventFilter(QObject* watched, QEvent* event)
{
    // Key preview: the window's keys work whatever control of the window has the focus, before
    // that control sees them, but never inside another window (a dialog or a popup list). A key
    // whose command the operator may not run goes on to the control as usual.
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && !QApplication::activeModalWidget()
            && keyPreview(static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TFrmMain::keyPreview(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier) {
        switch (event->key()) {
        case Qt::Key_A: return runAction(u"Action201"_s);
        case Qt::Key_E: return runAction(u"Action202"_s);
        case Qt::Key_S: return runAction(u"Action203"_s);
        default: return false;
        }
    }
    if (mods == Qt::NoModifier && event->key() == Qt::Key_Delete)
        return runAction(u"Action203"_s);
    if (mods == Qt::NoModifier && event->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    return false;
}

void TFrmMain::closeEvent(QCloseEvent* event)
{
    if (m_exitWithoutQuestion) {
        event->accept();
        return;
    }
    const QString question = u"真的要退出“"_s + app::ProductName + u"”软件吗？"_s;
    if (corva::ShowMess(question, corva::Question) == corva::Yes)
        event->accept();
    else
        event->ignore();
}

void TFrmMain::reloadTree(codes::CodeTreeView* tree, const QString& rootCaption,
                          const QString& flag)
{
    codes::LoadCodeTree(tree, rootCaption, flag);
    if (QTreeWidgetItem* root = tree->topLevelItem(0))
        root->setExpanded(true);
}

void TFrmMain::Action105Execute()
{
    codes::ManageCodeTree(1, this);
    reloadTree(tvTree, u"设备类型"_s, u"type"_s);
    RefreshEquipmentList();
}

void TFrmMain::Action106Execute()
{
    codes::ManageCodeTree(3, this);
    reloadTree(tvTree1, u"部门机构"_s, u"depttype"_s);
    RefreshEquipmentList();
}

void TFrmMain::Action204Execute()
{
    data::ApplySortOrder(DBGridEh1, data::ChooseSortOrder(DBGridEh1));
}

void TFrmMain::Action205Execute()
{
    data::ChooseVisibleColumns(DBGridEh1);
}

void TFrmMain::Action206Execute()
{
    if (corva::ShowMess(u"真的要保存当前网格设置吗？"_s, corva::Question) == corva::Yes)
        data::SaveGridLayout(DBGridEh1, u"setmain"_s);
}

grid::DBGridEh* TFrmMain::detailGrid() const
{
    switch (DetailPage) {
    case 1: return DBGridEh2;
    case 3: return DBGridEh3;
    default: return nullptr;
    }
}

void TFrmMain::Action904Execute()
{
    if (grid::DBGridEh* detail = detailGrid())
        data::ApplySortOrder(detail, data::ChooseSortOrder(detail));
}

void TFrmMain::Action905Execute()
{
    if (grid::DBGridEh* detail = detailGrid())
        data::ChooseVisibleColumns(detail);
}

void TFrmMain::Action906Execute()
{
    if (corva::ShowMess(u"真的要保存当前网格设置吗？"_s, corva::Question) != corva::Yes)
        return;
    if (DetailPage == 1)
        data::SaveGridLayout(DBGridEh2, u"detail1"_s);
    else if (DetailPage == 3)
        data::SaveGridLayout(DBGridEh3, u"detail2"_s);
}

void TFrmMain::Action505Execute()
{
    app::StartProgram(u"dblink"_s);
    app::RequestEnd();
    // The connection program takes over; this one leaves without the exit question.
    m_exitWithoutQuestion = true;
    close();
}

void TFrmMain::N43Click()
{
    operators::ShowLogin(1, this);
    applyDetailPageActions();
}

void TFrmMain::ToolButton1Click()
{
    N43Click();
    RefreshEquipmentList();
}

void TFrmMain::ToggleToolBar()
{
    ToolBar1->setVisible(action(u"nshitu1"_s)->isChecked());
}

void TFrmMain::ToggleNavigation()
{
    rpcSET->setVisible(action(u"nshitu2"_s)->isChecked());
}

void TFrmMain::ToggleStatusBar()
{
    statusBar()->setVisible(action(u"nshitu3"_s)->isChecked());
}

void TFrmMain::N24Click()
{
    startFirstFound(Calculators);
}

void TFrmMain::N25Click()
{
    startFirstFound(TextEditors);
}

void TFrmMain::openShellFile(const QString& fileName)
{
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
    app::OpenDocument(QFileInfo::exists(path) ? path : fileName);
}

void TFrmMain::N8Click()
{
    // The compiled help when it is installed beside the program, else the HTML manual.
    const QDir folder(QCoreApplication::applicationDirPath());
    if (QFileInfo::exists(folder.filePath(u"help.CHM"_s)))
        app::OpenDocument(folder.filePath(u"help.CHM"_s));
    else
        openShellFile(u"help.html"_s);
}

void TFrmMain::N7Click()
{
    openShellFile(u"readme.txt"_s);
}

void TFrmMain::N41Click()
{
    openShellFile(u"whatisnew.txt"_s);
}

} // namespace reg
