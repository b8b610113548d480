// The main window's construction: the areas of the window and their controls.
#include "frmmain.h"

#include "appvalues.h"
#include "codetreeview.h"
#include "corva.h"
#include "dbgrideh.h"
#include "dmdata.h"
#include "emptydate.h"
#include "gridlayout.h"
#include "resources.h"
#include "valuelisteditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace reg {

namespace {

template <typename W>
W* named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QLabel* blueLabel(const QString& text, QWidget* parent, const QString& name)
{
    auto* label = named(new QLabel(text, parent), name);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 0xCC));
    label->setPalette(palette);
    return label;
}

/// The search bar: a strip with the stretched background picture behind its controls.
class SearchBarFrame : public QFrame
{
public:
    explicit SearchBarFrame(QWidget* parent) : QFrame(parent), m_back(u":/images/searchbar.svg"_s)
    {
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        m_back.paint(&painter, rect());
        QFrame::paintEvent(event);
    }

private:
    QIcon m_back;
};

const QString DateFields[] = {u"f_builddate"_s, u"f_buydate"_s, u"f_begindate"_s};

} // namespace

TFrmMain::TFrmMain(QWidget* parent)
    : QMainWindow(parent),
      QryMain(&data::dmData->ADOcnn),
      QryDetail1(&data::dmData->ADOcnn),
      QryDetail2(&data::dmData->ADOcnn),
      QryDetail3(&data::dmData->ADOcnn),
      QryDetail4(&data::dmData->ADOcnn),
      QryDetail5(&data::dmData->ADOcnn),
      QryDetail6(&data::dmData->ADOcnn)
{
    resources::init();
    setObjectName(u"FrmMain"_s);
    setWindowIcon(resources::icon(u"app"_s));
    resize(790, 590);

    QryMain.setObjectName(u"QryMain"_s);
    QryMain.setUpdateTable(u"SETs"_s);
    const std::pair<db::Dataset*, QString> details[] = {
        {&QryDetail1, u"select * from t_SetREC where F_mainID = :F_ID"_s},
        {&QryDetail2, u"select * from t_ImageREC where F_mainID = :F_ID"_s},
        {&QryDetail3, u"select * from t_FileREC where F_mainID = :F_ID"_s},
    };
    int n = 1;
    for (const auto& [query, sql] : details) {
        query->setObjectName(u"QryDetail"_s + QString::number(n++));
        query->setSql(sql);
        // A detail query re-runs by itself whenever the current equipment changes.
        query->setMaster(&QryMain, u"F_ID"_s, u"F_ID"_s);
        connect(query, &db::Dataset::linkFailed, this, [](const QString&) {
            corva::ShowMess(u"打开操作失败，请检查数据连接... "_s, corva::Error);
        });
    }
    QryDetail4.setSql(u"select * from t_wxREC"_s);
    QryDetail5.setSql(u"select * from t_dbREC"_s);
    QryDetail6.setSql(u"select * from t_ysREC"_s);

    createActions();
    createMenus();
    createToolBars();

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(createSearchBar());

    Splitter1 = named(new QSplitter(Qt::Horizontal, central), u"Splitter1"_s);
    Splitter1->addWidget(createNavigation());
    Splitter2 = named(new QSplitter(Qt::Vertical, Splitter1), u"Splitter2"_s);
    Splitter2->addWidget(createListArea());
    Splitter2->addWidget(createDetailArea());
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setSizes({330, 182});
    Splitter1->addWidget(Splitter2);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({170, 620});
    column->addWidget(Splitter1, 1);
    setCentralWidget(central);

    createStatusBar();
    connectCommands();
    FormCreate();
}

TFrmMain::~TFrmMain()
{
    // The grids' models hold the datasets; let them go before the datasets do.
    DBGridEh1->setDataset(nullptr);
    DBGridEh2->setDataset(nullptr);
    DBGridEh3->setDataset(nullptr);
}

QWidget* TFrmMain::createSearchBar()
{
    Panel1 = named(new SearchBarFrame(this), u"Panel1"_s);
    Panel1->setFixedHeight(35);
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(4, 4, 8, 4);
    row->setSpacing(6);

    SpeedButton1 = named(new QToolButton(Panel1), u"SpeedButton1"_s);
    SpeedButton1->setIcon(resources::icon(u"nav-toggle"_s));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setToolTip(u"导航树"_s);
    CheckBox1 = named(new QCheckBox(u"包含已停用"_s, Panel1), u"CheckBox1"_s);
    Label1 = named(new QLabel(u"搜索(&V)"_s, Panel1), u"Label1"_s);
    ComboBox1 = named(new QComboBox(Panel1), u"ComboBox1"_s);
    ComboBox1->addItems(searchFieldCaptions());
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setMinimumWidth(110);
    Label1->setBuddy(ComboBox1);
    Label2 = named(new QLabel(u"值(&V)"_s, Panel1), u"Label2"_s);
    Edit1 = named(new QLineEdit(Panel1), u"Edit1"_s);
    Edit1->setMinimumWidth(160);
    Label2->setBuddy(Edit1);
    BitBtn1 = named(new QPushButton(resources::icon(u"find"_s), u"查找(F3)"_s, Panel1), u"BitBtn1"_s);
    SpeedButton2 = named(new QToolButton(Panel1), u"SpeedButton2"_s);
    SpeedButton2->setText(u"高级查找..."_s);
    SpeedButton2->setIcon(resources::icon(u"advanced-find"_s));
    SpeedButton2->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SpeedButton2->setCheckable(true);

    row->addWidget(SpeedButton1);
    row->addWidget(CheckBox1);
    row->addSpacing(8);
    row->addWidget(Label1);
    row->addWidget(ComboBox1);
    row->addWidget(Label2);
    row->addWidget(Edit1, 1);
    row->addWidget(BitBtn1);
    row->addWidget(SpeedButton2);
    return Panel1;
}

QWidget* TFrmMain::createNavigation()
{
    rpcSET = named(new QTabWidget(this), u"rpcSET"_s);
    rpcSET->setTabPosition(QTabWidget::South);
    rpcSET->setMinimumWidth(120);

    RzTabSheet1 = named(new QWidget(rpcSET), u"RzTabSheet1"_s);
    auto* listPage = new QVBoxLayout(RzTabSheet1);
    listPage->setContentsMargins(2, 2, 2, 2);
    vleList = named(new widgets::ValueListEditor(RzTabSheet1), u"vleList"_s);
    vleList->setValuesReadOnly(true);
    vleList->setKeyColumnWidth(29);
    vleList->setValueColumnWidth(135);
    vleList->horizontalHeader()->setStretchLastSection(true);
    vleList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cbbListType = named(new QComboBox(RzTabSheet1), u"cbbListType"_s);
    cbbListType->addItems({u"设备状态"_s, u"使用人员"_s, u"制单人员"_s});
    cbbListType->setCurrentIndex(-1); // chosen at show time, after the list page is filled
    Button1 = named(new QPushButton(resources::icon(u"refresh"_s), u"刷新列表"_s, RzTabSheet1),
                    u"Button1"_s);
    listPage->addWidget(vleList, 1);
    listPage->addWidget(cbbListType);
    listPage->addWidget(Button1);

    RzTabSheet2 = named(new QWidget(rpcSET), u"RzTabSheet2"_s);
    auto* treePage = new QVBoxLayout(RzTabSheet2);
    treePage->setContentsMargins(2, 2, 2, 2);
    treePage->setSpacing(2);
    auto* trees = new QSplitter(Qt::Vertical, RzTabSheet2);
    // Each tree under its blue title.
    auto treeBox = [trees](QLabel*& label, const QString& title, const QString& labelName,
                           codes::CodeTreeView*& tree, const QString& treeName) {
        auto* box = new QWidget(trees);
        auto* column = new QVBoxLayout(box);
        column->setContentsMargins(0, 0, 0, 0);
        label = blueLabel(title, box, labelName);
        tree = named(new codes::CodeTreeView(box), treeName);
        column->addWidget(label);
        column->addWidget(tree, 1);
        return box;
    };
    QWidget* categoryBox = treeBox(Label3, u"设备类型"_s, u"Label3"_s, tvTree, u"tvTree"_s);
    QWidget* deptBox = treeBox(Label4, u"使用部门"_s, u"Label4"_s, tvTree1, u"tvTree1"_s);
    trees->addWidget(categoryBox);
    trees->addWidget(deptBox);
    treePage->addWidget(trees);

    rpcSET->addTab(RzTabSheet1, u" 项    目 "_s);
    rpcSET->addTab(RzTabSheet2, u" 类    型 "_s);
    rpcSET->setCurrentWidget(RzTabSheet2);
    return rpcSET;
}

QWidget* TFrmMain::createListArea()
{
    auto* area = new QWidget(this);
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    DBGridEh1 = named(new grid::DBGridEh(area), u"DBGridEh1"_s);
    DBGridEh1->setColumns(data::designedGridColumns(u"setmain"_s));
    DBGridEh1->setFooterRowCount(1);
    DBGridEh1->setMultiSelect(true);
    DBGridEh1->setDataset(&QryMain);
    DBGridEh1->setDisplayTextHook([this](int, const grid::GridColumn& column, const db::Field&,
                                         const QString& text) {
        // Dates not given are stored as the empty date and shown as nothing.
        const QString field = column.fieldName.toLower();
        if (!QryMain.isEmpty() && std::find(std::begin(DateFields), std::end(DateFields), field)
                                      != std::end(DateFields)
            && widgets::isEmptyDate(text))
            return QString();
        return text;
    });
    DBGridEh1->setCellStyleHook([this](int position, const grid::GridColumn&, grid::CellStyle& style) {
        if (m_flagField >= 0 && QryMain.cell(position, m_flagField).asBool()) {
            style.text = Qt::red;
            style.background = palette().color(QPalette::Button);
        }
    });
    connect(&QryMain, &db::Dataset::afterOpen, this,
            [this] { m_flagField = QryMain.fieldIndex(u"F_useFlag"_s); });
    connect(&QryMain, &db::Dataset::afterScroll, this, &TFrmMain::showCurrentRemarks);
    connect(&QryMain, &db::Dataset::afterClose, this, &TFrmMain::showCurrentRemarks);

    Panel9 = named(new QFrame(area), u"Panel9"_s);
    auto* countRow = new QHBoxLayout(Panel9);
    countRow->setContentsMargins(4, 2, 8, 2);
    lblSETnum = blueLabel(u"设备数：0 条 "_s, Panel9, u"lblSETnum"_s);
    lblSETnum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    countRow->addWidget(lblSETnum, 1);

    column->addWidget(DBGridEh1, 1);
    column->addWidget(Panel9);
    return area;
}

QWidget* TFrmMain::createDetailArea()
{
    Panel5 = named(new QFrame(this), u"Panel5"_s);
    auto* row = new QHBoxLayout(Panel5);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);

    ListView1 = named(new QListWidget(Panel5), u"ListView1"_s);
    ListView1->setFixedWidth(100);
    ListView1->setViewMode(QListView::ListMode);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setIconSize(QSize(16, 16));

    auto* right = new QWidget(Panel5);
    auto* column = new QVBoxLayout(right);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    CBdetail = named(new QWidget(right), u"CBdetail"_s);
    auto* barRow = new QHBoxLayout(CBdetail);
    barRow->setContentsMargins(0, 0, 0, 0);
    ToolBar2 = named(new QToolBar(CBdetail), u"ToolBar2"_s);
    ToolBar2->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ToolBar2->setIconSize(QSize(16, 16));
    barRow->addWidget(ToolBar2);
    fillDetailToolBar();

    rpcList = named(new QStackedWidget(right), u"rpcList"_s);
    DBGridEh2 = named(new grid::DBGridEh(rpcList), u"DBGridEh2"_s);
    DBGridEh2->setColumns(data::designedGridColumns(u"detail1"_s));
    DBGridEh2->setFooterRowCount(1);
    DBGridEh2->setDataset(&QryDetail1);
    ListView2 = named(new QListWidget(rpcList), u"ListView2"_s);
    DBGridEh3 = named(new grid::DBGridEh(rpcList), u"DBGridEh3"_s);
    DBGridEh3->setColumns(data::designedGridColumns(u"detail2"_s));
    DBGridEh3->setFooterRowCount(1);
    DBGridEh3->setDataset(&QryDetail3);
    DBMemo1 = named(new QPlainTextEdit(rpcList), u"DBMemo1"_s);
    DBMemo1->setReadOnly(true);
    const std::pair<QWidget*, QString> pages[] = {{DBGridEh2, u"TabSheet9"_s},
                                                  {ListView2, u"TabSheet10"_s},
                                                  {DBGridEh3, u"TabSheet11"_s},
                                                  {DBMemo1, u"TabSheet3"_s}};
    for (const auto& [page, name] : pages) {
        page->setProperty("sheetName", name);
        rpcList->addWidget(page);
    }

    column->addWidget(CBdetail);
    column->addWidget(rpcList, 1);
    row->addWidget(ListView1);
    row->addWidget(right, 1);
    return Panel5;
}

void TFrmMain::createStatusBar()
{
    statusBar()->setObjectName(u"StatusBar1"_s);
    const std::pair<QString, int> panels[] = {
        {u" 当前用户"_s, 60}, {QString(), 80}, {u" 当前日期时间"_s, 100}, {QString(), 140}};
    for (const auto& [text, width] : panels) {
        auto* panel = new QLabel(text, statusBar());
        panel->setMinimumWidth(width);
        statusBar()->addWidget(panel);
        m_panels.append(panel);
    }
    // The fifth panel names the database the program works on, so that a user who switches
    // between databases always sees which one is open.
    auto* database = new QLabel(statusBar());
    database->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const db::Connection& connection = data::dmData->ADOcnn;
    if (connection.isOpen())
        database->setText(u"数据库：%1 "_s.arg(app::DatabaseName));
    statusBar()->addPermanentWidget(database);
    m_panels.append(database);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TFrmMain::Timer1Timer);
}

void TFrmMain::FormCreate()
{
    ListView2->setViewMode(QListView::IconMode);
    ListView2->setIconSize(QSize(80, 80));
    ListView2->setGridSize(QSize(90, 120));
    ListView2->setMovement(QListView::Static);
    ListView2->setResizeMode(QListView::Adjust);
    FillDetailList();
    corva::DispFormPos(this, 0);
}

void TFrmMain::FillDetailList()
{
    ListView1->clear();
    const QString captions[] = {u"附    件"_s, u"图    片"_s, u"文    档"_s, u"备    注"_s};
    const QString icons[] = {u"detail-accessories"_s, u"detail-pictures"_s, u"detail-documents"_s,
                             u"detail-remarks"_s};
    for (int i = 0; i < 4; ++i) {
        auto* item = new QListWidgetItem(resources::icon(icons[i]), captions[i], ListView1);
        item->setData(Qt::UserRole, i + 1); // the page's state index
    }
}

void TFrmMain::showCurrentRemarks()
{
    const bool hasRow = QryMain.isOpen() && !QryMain.isEmpty();
    DBMemo1->setPlainText(hasRow ? QryMain.field(u"F_memo2"_s).asString() : QString());
}

void TFrmMain::showOperatorName(const QString& name)
{
    m_panels[1]->setText(name);
}

void TFrmMain::Timer1Timer()
{
    m_panels[3]->setText(u' ' + QDateTime::currentDateTime().toString(u"yyyy-MM-dd hh:mm:ss"_s));
}

} // namespace reg
