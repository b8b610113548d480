#include "tst_mainwindow.h"

#include "appvalues.h"
#include "codetreeview.h"
#include "corva.h"
#include "dbgrideh.h"
#include "dberror.h"
#include "dmdata.h"
#include "endrequest.h"
#include "frmmain.h"
#include "launcher.h"
#include "modalrunner.h"
#include "rights.h"
#include "schema.h"
#include "scriptedmessages.h"
#include "testdb.h"
#include "valuelisteditor.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <algorithm>

using namespace Qt::StringLiterals;
using corva::ScriptedMessages;
using corva::ShownMessage;

namespace {

const QString OpenFailed = u"打开操作失败，请检查数据连接... "_s;

// Paths as they are stored: two backslashes before the first level, one between levels.
const QString Pumps = u"\\\\机械\\泵类"_s;
const QString Valves = u"\\\\机械\\阀门"_s;
const QString Lathes = u"\\\\机床"_s;
const QString Workshop1 = u"\\\\一车间"_s;
const QString Workshop2 = u"\\\\二车间"_s;

QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& name)
{
    const QList<QTreeWidgetItem*> found =
        tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void doubleClick(codes::CodeTreeView* tree, QTreeWidgetItem* node)
{
    tree->setCurrentItem(node);
    node->setSelected(true);
    Q_EMIT tree->itemDoubleClicked(node, 0);
}

int columnOf(const grid::DBGridEh* grid, const QString& field)
{
    for (int i = 0; i < grid->columnCount(); ++i) {
        if (grid->column(i).fieldName.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

TstMainWindow::TstMainWindow() = default;
TstMainWindow::~TstMainWindow() = default;

void TstMainWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    app::SetConfigPath(m_dir->filePath(u"Config.ini"_s));
    m_dm = std::make_unique<data::TdmData>();
    data::dmData = m_dm.get();
    try {
        m_dm->ADOcnn.open(eqtest::freshDatabase(*m_dir));
        data::createSchema(m_dm->ADOcnn);
        data::seedSchema(m_dm->ADOcnn);
        const std::pair<QString, QString> tree[] = {
            {u"001"_s, u"机械"_s}, {u"001001"_s, u"泵类"_s}, {u"001002"_s, u"阀门"_s},
            {u"002"_s, u"机床"_s}, {u"003"_s, u"机"_s}};
        for (const auto& [code, name] : tree) {
            db::Params p;
            p.set(u"code"_s, code);
            p.set(u"name"_s, name);
            p.set(u"path"_s, code == u"001001"_s  ? Pumps
                             : code == u"001002"_s ? Valves
                                                  : u"\\\\"_s + name);
            m_dm->ADOcnn.exec(u"insert into t_treecode(F_code,F_name,F_likecode,F_flag) "
                              "values(:code,:name,:path,'type')"_s, p);
        }
        for (const QString& status : {u"在用"_s, u"维修"_s}) {
            db::Params p;
            p.set(u"name"_s, status);
            m_dm->ADOcnn.exec(u"insert into t_code(F_type,F_name) values('usestatus',:name)"_s, p);
        }
    } catch (const db::DbError& e) {
        QFAIL(qPrintable(e.message()));
    }
    m_dm->IsConnected = true;
    app::CurrentOperator = u"admin"_s;

    addEquipment(u"A-001"_s, u"离心泵"_s, Pumps, Workshop1, 0, u"在用"_s, u"1900-08-14"_s,
                 u"备注一"_s);
    addEquipment(u"A-002"_s, u"50%浓度计"_s, Pumps, Workshop2, 0, u"维修"_s, u"1901-08-14"_s,
                 QString());
    addEquipment(u"B_01"_s, u"O'Brien 阀"_s, Valves, Workshop1, 1, u"在用"_s, u"2020-05-01"_s,
                 QString());
    addEquipment(u"AB-9"_s, u"车床"_s, Lathes, Workshop1, QVariant(), u"在用"_s, QString(),
                 QString());
    addEquipment(u"C\\1"_s, u"back\\slash"_s, u"\\\\机"_s, Workshop2, 0, u"在用"_s, QString(),
                 QString());
}

void TstMainWindow::cleanup()
{
    reg::TFrmMain::setAdvancedSearch({});
    data::dmData = nullptr;
    m_dm.reset();
    app::CurrentOperator.clear();
    app::ClearEndRequest();
    app::SetConfigPath(QString());
}

void TstMainWindow::addEquipment(const QString& code, const QString& name, const QString& type,
                                 const QString& dept, const QVariant& disabled,
                                 const QString& status, const QString& buildDate,
                                 const QString& remarks)
{
    db::Params p;
    p.set(u"code"_s, code);
    p.set(u"name"_s, name);
    p.set(u"type"_s, type);
    p.set(u"dept"_s, dept);
    p.set(u"flag"_s, disabled);
    p.set(u"status"_s, status);
    p.set(u"built"_s, buildDate.isEmpty() ? QVariant() : QVariant(buildDate));
    p.set(u"memo"_s, remarks);
    m_dm->ADOcnn.exec(u"insert into SETs(F_code,F_name,F_type,F_useDept,F_useFlag,F_useStatus,"
                      "F_buildDate,F_memo2) values(:code,:name,:type,:dept,:flag,:status,:built,"
                      ":memo)"_s,
                      p);
}


std::unique_ptr<reg::TFrmMain> TstMainWindow::showWindow()
{
    auto window = std::make_unique<reg::TFrmMain>();
    window->show();
    return window;
}

namespace {

QStringList codesOf(db::Dataset& query)
{
    QStringList codes;
    if (!query.isOpen())
        return codes;
    for (int i = 0; i < query.recordCount(); ++i)
        codes.append(query.cell(i, query.fieldIndex(u"F_code"_s)).asString());
    return codes;
}

} // namespace

void TstMainWindow::showSequence()
{
    ScriptedMessages messages;
    auto w = showWindow();
    QCOMPARE(w->windowTitle(), u"澄朔设备管理软件 v2.05(网络版) "_s);
    QCOMPARE(w->StatusPanel(0)->text(), u" 当前用户"_s);
    QCOMPARE(w->StatusPanel(1)->text(), u" admin"_s);
    QVERIFY(QRegularExpression(u"^ \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"_s)
                .match(w->StatusPanel(3)->text())
                .hasMatch());
    // Trees loaded with their roots expanded; the department root reads 部门类型 at start.
    QCOMPARE(w->tvTree->topLevelItem(0)->text(0), u"设备类型"_s);
    QVERIFY(w->tvTree->topLevelItem(0)->isExpanded());
    QCOMPARE(w->tvTree1->topLevelItem(0)->text(0), u"部门类型"_s);
    QCOMPARE(w->cbbListType->currentIndex(), 0);
    QCOMPARE(w->vleList->value(0), u"全部"_s);
    QCOMPARE(codesOf(w->QryMain), (QStringList{u"A-001"_s, u"A-002"_s, u"AB-9"_s, u"C\\1"_s}));
    QCOMPARE(w->lblSETnum->text(), u"设备总数： 4 件 "_s);
    QCOMPARE(w->ListSql, u"select * from Sets where (1=1) and isNull(F_useFlag,0) = 0 "_s);
    QCOMPARE(w->DetailPage, 1);
    QCOMPARE(w->rpcList->currentIndex(), 0);
    // The remarks page shows the current equipment's remarks; the accessories follow it.
    QCOMPARE(w->DBMemo1->toPlainText(), u"备注一"_s);
    QVERIFY(w->QryDetail1.isOpen());
    QVERIFY(messages.log().isEmpty());
}

void TstMainWindow::quickSearch_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("withDisabled");
    QTest::addColumn<QStringList>("codes");

    QTest::newRow("code from its start") << 0 << u"A"_s << false
                                         << QStringList{u"A-001"_s, u"A-002"_s, u"AB-9"_s};
    QTest::newRow("code: _ stands for one character")
        << 0 << u"A_0"_s << false << QStringList{u"A-001"_s, u"A-002"_s};
    QTest::newRow("code: % stands for any text") << 0 << u"%1"_s << false
                                                 << QStringList{u"A-001"_s, u"C\\1"_s};
    QTest::newRow("disabled hidden") << 0 << u"B"_s << false << QStringList{};
    QTest::newRow("disabled shown when asked") << 0 << u"B"_s << true << QStringList{u"B_01"_s};
    QTest::newRow("name anywhere, with a quote")
        << 1 << u"'Brien"_s << true << QStringList{u"B_01"_s};
    QTest::newRow("name with a percent sign") << 1 << u"50%"_s << false << QStringList{u"A-002"_s};
    QTest::newRow("backslash matches itself") << 1 << u"k\\s"_s << false
                                              << QStringList{u"C\\1"_s};
    QTest::newRow("empty text lists rows with an empty column")
        << 2 << QString() << false << QStringList{u"A-001"_s, u"A-002"_s, u"AB-9"_s, u"C\\1"_s};
    QTest::newRow("quote alone stays one statement") << 1 << u"'"_s << true
                                                     << QStringList{u"B_01"_s};
}

void TstMainWindow::quickSearch()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(bool, withDisabled);
    QFETCH(QStringList, codes);

    ScriptedMessages messages;
    auto w = showWindow();
    w->ComboBox1->setCurrentIndex(field);
    if (withDisabled)
        w->CheckBox1->click();
    // Every keystroke re-runs the list; the last one's text is the one shown.
    QTest::keyClicks(w->Edit1, text);
    if (text.isEmpty())
        w->BitBtn1->click();
    QCOMPARE(codesOf(w->QryMain), codes);
    QCOMPARE(w->lblSETnum->text(), reg::equipmentCountText(int(codes.size())));
    QVERIFY(messages.log().isEmpty());
}

void TstMainWindow::treeFilter()
{
    ScriptedMessages messages;
    auto w = showWindow();
    QTreeWidgetItem* machines = findNode(w->tvTree, u"机械"_s);
    QVERIFY(machines);
    // Selecting alone does not refresh; a double-click does.
    w->tvTree->setCurrentItem(machines);
    QCOMPARE(w->QryMain.recordCount(), 4);
    doubleClick(w->tvTree, machines);
    QCOMPARE(codesOf(w->QryMain), (QStringList{u"A-001"_s, u"A-002"_s}));
    doubleClick(w->tvTree, findNode(w->tvTree, u"泵类"_s));
    QCOMPARE(codesOf(w->QryMain), (QStringList{u"A-001"_s, u"A-002"_s}));

    // A first-level node named 机 also lists 机械 and 机床: the path is a text prefix.
    doubleClick(w->tvTree, findNode(w->tvTree, u"机"_s));
    QCOMPARE(codesOf(w->QryMain), (QStringList{u"A-001"_s, u"A-002"_s, u"AB-9"_s, u"C\\1"_s}));

    // The filter stays while the other navigation page is shown; the root filters nothing.
    doubleClick(w->tvTree, findNode(w->tvTree, u"机床"_s));
    w->rpcSET->setCurrentWidget(w->RzTabSheet1);
    w->BitBtn1->click();
    QCOMPARE(codesOf(w->QryMain), QStringList{u"AB-9"_s});
    doubleClick(w->tvTree, w->tvTree->topLevelItem(0));
    QCOMPARE(w->QryMain.recordCount(), 4);
    QVERIFY(messages.log().isEmpty());
}

void TstMainWindow::listPage()
{
    ScriptedMessages messages;
    auto w = showWindow();
    QCOMPARE(w->vleList->rowCount(), 3);
    int repairs = -1;
    for (int row = 0; row < w->vleList->rowCount(); ++row) {
        if (w->vleList->value(row) == u"维修"_s)
            repairs = row;
    }
    QVERIFY(repairs > 0);
    QCOMPARE(w->vleList->key(repairs), QString::number(repairs));
    w->vleList->setCurrentRow(repairs);
    Q_EMIT w->vleList->rowClicked(repairs);
    QCOMPARE(codesOf(w->QryMain), QStringList{u"A-002"_s});

    // Another list type goes back to 全部 and lists everything the other filters allow.
    w->cbbListType->setCurrentIndex(1);
    QCOMPARE(w->vleList->currentRow(), 0);
    QCOMPARE(w->vleList->value(0), u"全部"_s);
    QCOMPARE(w->vleList->rowCount(), 1); // no users in the code lists
    QCOMPARE(w->QryMain.recordCount(), 4);
    QVERIFY(messages.log().isEmpty());
}

void TstMainWindow::emptyDates()
{
    ScriptedMessages messages;
    auto w = showWindow();
    const int built = columnOf(w->DBGridEh1, u"F_buildDate"_s);
    QVERIFY(built >= 0);
    QCOMPARE(w->DBGridEh1->cellText(0, built), QString());            // stored 1900-08-14
    QCOMPARE(w->DBGridEh1->cellText(1, built), u"1901-08-14"_s);
    QCOMPARE(w->DBGridEh1->cellText(2, built), QString());            // no date at all
}

void TstMainWindow::advancedSearch()
{
    QString answer = u"select * from Sets where F_code = 'B_01'"_s;
    reg::TFrmMain::setAdvancedSearch([&answer](QWidget*) { return answer; });
    ScriptedMessages messages;
    auto w = showWindow();
    QVERIFY(w->SpeedButton2->isEnabled());
    const QString listSql = w->ListSql;

    w->SpeedButton2->click();
    QVERIFY(w->SpeedButton2->isChecked());
    QCOMPARE(w->SpeedButton2->palette().color(QPalette::ButtonText), QColor(Qt::red));
    QCOMPARE(codesOf(w->QryMain), QStringList{u"B_01"_s});
    QCOMPARE(w->lblSETnum->text(), u"设备总数： 1 件 "_s);
    QCOMPARE(w->ListSql, listSql);

    // Typing replaces the advanced result while the button stays down.
    w->ComboBox1->setCurrentIndex(0);
    QTest::keyClicks(w->Edit1, u"A-"_s);
    QVERIFY(w->SpeedButton2->isChecked());
    QCOMPARE(codesOf(w->QryMain), (QStringList{u"A-001"_s, u"A-002"_s}));

    w->SpeedButton2->click(); // up again: the normal list
    QVERIFY(!w->SpeedButton2->isChecked());
    QCOMPARE(codesOf(w->QryMain), (QStringList{u"A-001"_s, u"A-002"_s}));

    answer.clear(); // cancelled: the button comes up, the list stays
    w->SpeedButton2->click();
    QVERIFY(!w->SpeedButton2->isChecked());
    QCOMPARE(codesOf(w->QryMain), (QStringList{u"A-001"_s, u"A-002"_s}));
    QVERIFY(messages.log().isEmpty());
}

void TstMainWindow::detailPages()
{
    ScriptedMessages messages;
    auto w = showWindow();
    auto visible = [&w](const QString& name) { return w->action(name)->isVisible(); };
    QVERIFY(visible(u"Action904"_s) && visible(u"Action31"_s) && !visible(u"Action907"_s));

    w->ListView1->setCurrentRow(1);
    QCOMPARE(w->DetailPage, 2);
    QCOMPARE(w->rpcList->currentWidget(), w->ListView2);
    QVERIFY(!visible(u"Action904"_s) && !visible(u"Action905"_s) && !visible(u"Action906"_s));
    QVERIFY(!visible(u"Action31"_s) && visible(u"Action907"_s));

    w->ListView1->setCurrentRow(3);
    QCOMPARE(w->DetailPage, 4);
    QVERIFY(w->CBdetail->isHidden());
    QVERIFY(visible(u"Action907"_s)); // the remarks page leaves the actions as they were

    w->ListView1->setCurrentRow(2);
    QCOMPARE(w->DetailPage, 3);
    QVERIFY(!w->CBdetail->isHidden());
    QVERIFY(visible(u"Action905"_s));

    // An operator without the grid rights does not get them back from the page switch.
    app::CurrentOperator = u"nobody"_s;
    operators::SetLimits(*w, u"nobody"_s);
    w->ListView1->setCurrentRow(0);
    QVERIFY(!visible(u"Action904"_s) && !visible(u"Action905"_s) && !visible(u"Action906"_s));
    QVERIFY(visible(u"Action31"_s));
    QVERIFY(messages.log().isEmpty());
}

void TstMainWindow::failingList()
{
    ScriptedMessages messages;
    auto w = showWindow();
    m_dm->ADOcnn.exec(u"alter table SETs rename to SETs_away"_s);
    w->BitBtn1->click();
    QCOMPARE(messages.log(), (QList<ShownMessage>{{OpenFailed, corva::Error}}));
    QVERIFY(!w->QryMain.isOpen());
    QCOMPARE(w->DBGridEh1->view()->model()->rowCount(), 0);
    QVERIFY(!w->QryDetail1.isOpen());
    QVERIFY(!w->lblSETnum->text().contains(u"4"_s));
    QVERIFY(w->DBMemo1->toPlainText().isEmpty());

    m_dm->ADOcnn.exec(u"alter table SETs_away rename to SETs"_s);
    messages.clear();
    w->BitBtn1->click();
    QCOMPARE(w->QryMain.recordCount(), 4);
    QCOMPARE(w->lblSETnum->text(), u"设备总数： 4 件 "_s);
    QVERIFY(messages.log().isEmpty());
}

void TstMainWindow::titleClick()
{
    ScriptedMessages messages;
    auto w = showWindow();
    const int name = columnOf(w->DBGridEh1, u"F_name"_s);
    const int remarks = columnOf(w->DBGridEh1, u"F_memo2"_s);
    Q_EMIT w->DBGridEh1->titleClicked(name);
    QCOMPARE(w->QryMain.sort(), u"F_name ASC"_s);
    const QStringList ascending = codesOf(w->QryMain);
    QCOMPARE(ascending.first(), u"A-002"_s); // "50%..." sorts before any letter or character
    Q_EMIT w->DBGridEh1->titleClicked(name);
    QCOMPARE(w->QryMain.sort(), u"F_name DESC"_s);
    QStringList descending = codesOf(w->QryMain);
    std::reverse(descending.begin(), descending.end());
    QCOMPARE(descending, ascending);
    QCOMPARE(w->DBGridEh1->sortMarker(name), grid::SortMarker::Descending);
    const QStringList sorted = codesOf(w->QryMain);

    // The remarks column flips its marker but keeps the order.
    Q_EMIT w->DBGridEh1->titleClicked(remarks);
    QCOMPARE(w->DBGridEh1->sortMarker(remarks), grid::SortMarker::Ascending);
    QCOMPARE(codesOf(w->QryMain), sorted);

    // The sort dialog cancelled removes any sort.
    widgets::ScopedModalHandler cancel([](QDialog&) { return int(QDialog::Rejected); });
    w->action(u"Action204"_s)->trigger();
    QCOMPARE(codesOf(w->QryMain), (QStringList{u"A-001"_s, u"A-002"_s, u"AB-9"_s, u"C\\1"_s}));
    QCOMPARE(w->DBGridEh1->sortMarker(name), grid::SortMarker::None);

    // A refresh re-runs the statement: its own order, no markers.
    Q_EMIT w->DBGridEh1->titleClicked(name);
    w->BitBtn1->click();
    QCOMPARE(codesOf(w->QryMain), (QStringList{u"A-001"_s, u"A-002"_s, u"AB-9"_s, u"C\\1"_s}));
    QCOMPARE(w->DBGridEh1->sortMarker(name), grid::SortMarker::None);
    QVERIFY(messages.log().isEmpty());
}

void TstMainWindow::exitQuestion()
{
    const ShownMessage question{u"真的要退出“澄朔设备管理软件 ”软件吗？"_s, corva::Question};
    ScriptedMessages messages;
    auto w = showWindow();
    messages.pushAnswer(corva::No);
    QTest::keyClick(w->Edit1, Qt::Key_Escape);
    QCOMPARE(messages.log(), QList<ShownMessage>{question});
    QVERIFY(w->isVisible());

    messages.clear();
    messages.pushAnswer(corva::Yes);
    w->action(u"N5"_s)->trigger();
    QCOMPARE(messages.log(), QList<ShownMessage>{question});
    QVERIFY(!w->isVisible());
}

void TstMainWindow::frameCommands()
{
    ScriptedMessages messages; // "连接网络数据库" asks nothing
    app::RecordingLauncher launcher;
    auto w = showWindow();

    // Re-login cancelled: the operator stays, and the tool button refreshes the list anyway.
    widgets::ScopedModalHandler cancel([](QDialog&) { return int(QDialog::Rejected); });
    addEquipment(u"D-1"_s, u"新设备"_s, Lathes, Workshop1, 0, u"在用"_s, QString(), QString());
    w->action(u"N43"_s)->trigger();
    QCOMPARE(w->QryMain.recordCount(), 4);
    w->action(u"ToolButton1"_s)->trigger();
    QCOMPARE(app::CurrentOperator, u"admin"_s);
    QCOMPARE(w->QryMain.recordCount(), 5);

    // The view menu hides and shows the areas; the search bar's button toggles the trees too.
    w->action(u"nshitu2"_s)->trigger();
    QVERIFY(w->rpcSET->isHidden());
    w->SpeedButton1->click();
    QVERIFY(!w->rpcSET->isHidden());
    QVERIFY(w->action(u"nshitu2"_s)->isChecked());

    w->action(u"N8"_s)->trigger();
    QCOMPARE(launcher.opened().size(), 1);
    QVERIFY(launcher.opened().first().endsWith(u"help.html"_s));

    w->action(u"Action505"_s)->trigger();
    QCOMPARE(launcher.started(), QStringList{u"dblink"_s});
    QVERIFY(app::EndRequested());
    QVERIFY(messages.log().isEmpty());
}
