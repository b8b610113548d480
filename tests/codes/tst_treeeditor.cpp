#include "tst_treeeditor.h"

#include "codetree.h"
#include "corva.h"
#include "dlgentercaption.h"
#include "dmdata.h"
#include "frmtreecodeman.h"
#include "modalrunner.h"
#include "scriptedmessages.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

using namespace Qt::StringLiterals;
using codes::TFrmTreeCodeMan;
using corva::ScriptedMessages;

namespace {

const QString ConnectFailed = u"数据连接失败，请与作者联系... "_s;
const QString BlankName = u"部门名称不能为空！"_s;
const QString NoRootPick = u"不能选择根节点！"_s;
const QStringList BaseRows{u"001 A"_s, u"001001 A1"_s, u"001002 A2"_s, u"002 B"_s};

// The name dialogs a command opened: their captions and the names they started with.
struct NameDialogs
{
    QStringList captions;
    QStringList startNames;
};

// Answers every name dialog by typing `name` and pressing OK; a null name presses Cancel.
widgets::ModalHandler typeName(const QString& name, NameDialogs& seen)
{
    return [name, &seen](QDialog& dialog) {
        auto* dlg = qobject_cast<codes::TDLGenterCaption*>(&dialog);
        if (!dlg) {
            QTest::qFail("an unexpected dialog opened", __FILE__, __LINE__);
            return int(QDialog::Rejected);
        }
        seen.captions.append(dlg->windowTitle());
        seen.startNames.append(dlg->edtCurValue->text());
        if (name.isNull())
            return int(QDialog::Rejected);
        dlg->edtCurValue->setText(name);
        dlg->btnOKClick();
        return dlg->result();
    };
}

// "kind:text" of every message shown.
QStringList shown(const ScriptedMessages& messages)
{
    QStringList out;
    for (const corva::ShownMessage& m : messages.log())
        out.append(QString::number(m.kind) + u':' + m.text);
    return out;
}

void select(TFrmTreeCodeMan& frm, const QString& code)
{
    if (code.isEmpty())
        frm.tvTree->clearSelection();
    else
        frm.tvTree->setCurrentItem(eqtest::findCode(frm.tvTree, code));
}

} // namespace

void TstTreeEditor::init()
{
    QVERIFY(m_db.open());
}

void TstTreeEditor::cleanup()
{
    m_db.close();
}

void TstTreeEditor::askNodeName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("name") << u"车床"_s << true << u"车床"_s << QStringList{};
    QTest::newRow("blanks kept") << u"  车床 "_s << true << u"  车床 "_s << QStringList{};
    QTest::newRow("blank refused") << u"   "_s << true << QString()
                                   << QStringList{u"0:"_s + BlankName};
    QTest::newRow("empty refused") << QString(u""_s) << true << QString()
                                   << QStringList{u"0:"_s + BlankName};
    QTest::newRow("cancel") << u"车床"_s << false << QString() << QStringList{};
}

void TstTreeEditor::askNodeName()
{
    QFETCH(QString, typed);
    QFETCH(bool, ok);
    QFETCH(QString, expected);
    QFETCH(QStringList, messages);

    NameDialogs seen;
    widgets::ScopedModalHandler handler(typeName(ok ? typed : QString(), seen));
    ScriptedMessages log;
    codes::TDLGenterCaption dlg;
    QCOMPARE(dlg.Label1->text(), u"节点名称"_s);
    QVERIFY(dlg.btnOK->isDefault());
    QCOMPARE(dlg.btnCancel->text(), u"取消"_s);
    QCOMPARE(dlg.AskNodeName(u"添加 000 设备类型 子类"_s), expected);
    QCOMPARE(seen.captions, QStringList{u"添加 000 设备类型 子类"_s});
    QCOMPARE(shown(log), messages);
}

void TstTreeEditor::setMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("flag");
    QTest::addColumn<QString>("tree");

    const QString types = u"0:000:设备类型 1:001:A 2:001001:A1 2:001002:A2 1:002:B"_s;
    const QString depts = u"0:000:部门机构 1:001:D"_s;
    QTest::newRow("1 manage categories") << 1 << u"设备类型"_s << u"type"_s << types;
    QTest::newRow("2 pick a category") << 2 << u"设备类型"_s << u"type"_s << types;
    QTest::newRow("3 manage departments") << 3 << u"部门机构"_s << u"depttype"_s << depts;
    QTest::newRow("4 pick a department") << 4 << u"部门机构"_s << u"depttype"_s << depts;
    QTest::newRow("0 changes only the mode") << 0 << QString() << QString() << QString();
    QTest::newRow("5 changes only the mode") << 5 << QString() << QString() << QString();
}

void TstTreeEditor::setMode()
{
    QFETCH(int, mode);
    QFETCH(QString, caption);
    QFETCH(QString, flag);
    QFETCH(QString, tree);

    m_db.seed(codes::TypeFlag, BaseRows);
    m_db.seed(codes::DeptFlag, {u"001 D"_s});
    TFrmTreeCodeMan frm;
    frm.SetMode(mode);
    QCOMPARE(frm.FMode, mode);
    QCOMPARE(frm.windowTitle(), caption);
    QCOMPARE(frm.FFlag, flag);
    QCOMPARE(eqtest::dumpTree(frm.tvTree), tree);
    if (frm.tvTree->topLevelItemCount() > 0)
        QVERIFY(frm.tvTree->topLevelItem(0)->isExpanded());
}

void TstTreeEditor::form()
{
    TFrmTreeCodeMan frm;
    QCOMPARE(frm.Label6->text(),
             u"    增加节点，需先选中左边框里的节点成灰色，然后才能选择增加同级节点或子节点"_s);
    QVERIFY(frm.Label6->font().bold());
    QCOMPARE(frm.btnAdd->text(), u"添加同类(&A)"_s);
    QCOMPARE(frm.btnAddChild->text(), u"添加子类(&C)"_s);
    QCOMPARE(frm.Button1->text(), u"修    改"_s);
    QCOMPARE(frm.btnDelete->text(), u"删除(包含子类)"_s);
    QCOMPARE(frm.BitBtn1->text(), u"确定"_s);
    QCOMPARE(frm.BitBtn2->text(), u"取消"_s);
    QVERIFY(!frm.Panel4->isVisibleTo(&frm));
    QVERIFY(frm.gbBianJI->isVisibleTo(&frm));

    const QList<QLabel*> panels = frm.StatusBar1->findChildren<QLabel*>();
    QCOMPARE(panels.size(), 4);
    for (const QLabel* panel : panels)
        QVERIFY(panel->text().isEmpty());

    const QList<QAction*> menu = frm.PopupMenu1->actions();
    QCOMPARE(menu.size(), 5);
    QCOMPARE(menu.at(0), frm.acAdd);
    QCOMPARE(menu.at(1), frm.acAddChild);
    QCOMPARE(menu.at(2), frm.acEdit);
    QVERIFY(menu.at(3)->isSeparator());
    QCOMPARE(menu.at(4), frm.acDelete);

    for (const char* name : {"tvTree", "gbBianJI", "btnAdd", "btnAddChild", "Button1",
                             "btnDelete", "Panel4", "BitBtn1", "BitBtn2", "Label6"})
        QVERIFY2(frm.findChild<QWidget*>(QString::fromLatin1(name)), name);
}

void TstTreeEditor::addSibling_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("row");

    QTest::newRow("first level") << u"001"_s << u"C"_s << u"添加 001 A 同类"_s
                                 << u"003|C|\\\\C"_s;
    QTest::newRow("second level") << u"001001"_s << u"A3"_s << u"添加 001001 A1 同类"_s
                                  << u"001003|A3|\\\\A\\A3"_s;
    QTest::newRow("quote, backslash, percent")
        << u"002"_s << u"O'Brien \\ 5%_"_s << u"添加 002 B 同类"_s
        << u"003|O'Brien \\ 5%_|\\\\O'Brien \\ 5%_"_s;
    QTest::newRow("blanks kept, colon kept")
        << u"001002"_s << u" a:b "_s << u"添加 001002 A2 同类"_s << u"001003| a:b |\\\\A\\ a:b "_s;
    QTest::newRow("statement text in the name")
        << u"002"_s << u"x'); delete from t_treecode; --"_s << u"添加 002 B 同类"_s
        << u"003|x'); delete from t_treecode; --|\\\\x'); delete from t_treecode; --"_s;
}

void TstTreeEditor::addSibling()
{
    QFETCH(QString, selected);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, row);

    m_db.seed(codes::TypeFlag, BaseRows);
    TFrmTreeCodeMan frm;
    frm.SetMode(1);
    select(frm, selected);
    NameDialogs seen;
    widgets::ScopedModalHandler handler(typeName(name, seen));
    ScriptedMessages messages;
    frm.acAddExecute();

    QCOMPARE(shown(messages), QStringList{});
    QCOMPARE(seen.captions, QStringList{caption});
    QStringList expectedRows = m_db.rows(codes::TypeFlag);
    QVERIFY(expectedRows.contains(row));
    QCOMPARE(expectedRows.size(), BaseRows.size() + 1);

    // The view gains the node as the last sibling, with the stored record, without reloading.
    QTreeWidgetItem* sel = eqtest::findCode(frm.tvTree, selected);
    QTreeWidgetItem* parent = sel->parent();
    const codes::tNodeData* added = codes::nodeData(parent->child(parent->childCount() - 1));
    const QStringList parts = row.split(u'|');
    QCOMPARE(added->Code, parts.at(0));
    QCOMPARE(added->CodeLength, int(parts.at(0).length()));
    QCOMPARE(added->Name, name);
    QCOMPARE(parent->child(parent->childCount() - 1)->text(0), name);
    QCOMPARE(added->LikeCode, parts.at(2));
}

void TstTreeEditor::addChild_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("row");

    QTest::newRow("root of an empty tree") << QStringList{} << u"000"_s
                                           << u"添加 000 设备类型 子类"_s << u"001|N|\\\\N"_s;
    QTest::newRow("root") << BaseRows << u"000"_s << u"添加 000 设备类型 子类"_s
                          << u"003|N|\\\\N"_s;
    QTest::newRow("first-level leaf") << BaseRows << u"002"_s << u"添加 002 B 子类"_s
                                      << u"002001|N|\\\\B\\N"_s;
    QTest::newRow("last child has children")
        << QStringList{u"001 A"_s, u"001001 A1"_s, u"001002 A2"_s, u"001002001 X"_s}
        << u"001"_s << u"添加 001 A 子类"_s << u"001003|N|\\\\A\\N"_s;
    QTest::newRow("third level") << BaseRows << u"001002"_s << u"添加 001002 A2 子类"_s
                                 << u"001002001|N|\\\\A\\A2\\N"_s;
}

void TstTreeEditor::addChild()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, selected);
    QFETCH(QString, caption);
    QFETCH(QString, row);

    m_db.seed(codes::TypeFlag, rows);
    TFrmTreeCodeMan frm;
    frm.SetMode(1);
    select(frm, selected);
    QTreeWidgetItem* parent = eqtest::findCode(frm.tvTree, selected);
    const int childrenBefore = parent->childCount();
    NameDialogs seen;
    widgets::ScopedModalHandler handler(typeName(u"N"_s, seen));
    ScriptedMessages messages;
    frm.acAddChildExecute();

    QCOMPARE(shown(messages), QStringList{});
    QCOMPARE(seen.captions, QStringList{caption});
    const QStringList stored = m_db.rows(codes::TypeFlag);
    QVERIFY2(stored.contains(row), qPrintable(stored.join(u' ')));
    QCOMPARE(stored.size(), rows.size() + 1);

    QCOMPARE(parent->childCount(), childrenBefore + 1);
    QTreeWidgetItem* child = parent->child(childrenBefore);
    QCOMPARE(codes::nodeData(child)->Code, row.section(u'|', 0, 0));
    QCOMPARE(codes::nodeData(child)->LikeCode, row.section(u'|', 2));
    QVERIFY(parent->isExpanded());
    // A first-level leaf that gains a child shows the branch picture at once.
    if (codes::nodeLevel(parent) == 1)
        QCOMPARE(codes::CodeTreeView::ImageIndex(parent), 1);
}

void TstTreeEditor::rename_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("first level, children keep their paths")
        << u"001"_s << u"Z"_s << u"修改类别 001 A 子类"_s
        << QStringList{u"001|Z|\\\\Z"_s, u"001001|A1|\\\\A\\A1"_s, u"001002|A2|\\\\A\\A2"_s,
                       u"002|B|\\\\B"_s};
    QTest::newRow("second level, quote and backslash")
        << u"001002"_s << u" it's \\ x"_s << u"修改类别 001002 A2 子类"_s
        << QStringList{u"001|A|\\\\A"_s, u"001001|A1|\\\\A\\A1"_s,
                       u"001002| it's \\ x|\\\\A\\ it's \\ x"_s, u"002|B|\\\\B"_s};
}

void TstTreeEditor::rename()
{
    QFETCH(QString, selected);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QStringList, rows);

    m_db.seed(codes::TypeFlag, BaseRows);
    m_db.seed(codes::DeptFlag, BaseRows);
    TFrmTreeCodeMan frm;
    frm.SetMode(1);
    select(frm, selected);
    QTreeWidgetItem* node = eqtest::findCode(frm.tvTree, selected);
    const QString oldName = node->text(0);
    NameDialogs seen;
    widgets::ScopedModalHandler handler(typeName(name, seen));
    ScriptedMessages messages;
    frm.acEditExecute();

    QCOMPARE(shown(messages), QStringList{});
    QCOMPARE(seen.captions, QStringList{caption});
    QCOMPARE(seen.startNames, QStringList{oldName});
    QCOMPARE(m_db.rows(codes::TypeFlag), rows);
    QCOMPARE(m_db.rows(codes::DeptFlag).size(), BaseRows.size());
    QVERIFY(m_db.rows(codes::DeptFlag).contains(u"001|A|\\\\A"_s));

    QCOMPARE(node->text(0), name);
    const QString stored = rows.filter(selected + u'|').first();
    QCOMPARE(codes::nodeData(node)->Name, name);
    QCOMPARE(codes::nodeData(node)->LikeCode, stored.section(u'|', 2));
    QCOMPARE(codes::nodeData(node)->Code, selected);
}

void TstTreeEditor::remove_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QStringList>("codes");

    QTest::newRow("leaf") << u"002"_s << int(corva::Yes) << u"真的要删除当前节点 “002B” 吗？"_s
                          << u"0:000:设备类型 1:001:A 2:001001:A1 2:001002:A2"_s
                          << QStringList{u"001"_s, u"001001"_s, u"001002"_s};
    QTest::newRow("second-level leaf")
        << u"001001"_s << int(corva::Yes) << u"真的要删除当前节点 “001001A1” 吗？"_s
        << u"0:000:设备类型 1:001:A 2:001002:A2 1:002:B"_s
        << QStringList{u"001"_s, u"001002"_s, u"002"_s};
    QTest::newRow("with children")
        << u"001"_s << int(corva::Yes) << u"此节点包含有子节点，真的要删除所有的子节点吗？"_s
        << u"0:000:设备类型 1:002:B"_s << QStringList{u"002"_s};
    QTest::newRow("answered no")
        << u"001"_s << int(corva::No) << u"此节点包含有子节点，真的要删除所有的子节点吗？"_s
        << u"0:000:设备类型 1:001:A 2:001001:A1 2:001002:A2 1:002:B"_s
        << QStringList{u"001"_s, u"001001"_s, u"001002"_s, u"002"_s};
}

void TstTreeEditor::remove()
{
    QFETCH(QString, selected);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(QString, tree);
    QFETCH(QStringList, codes);

    m_db.seed(codes::TypeFlag, BaseRows);
    m_db.seed(codes::DeptFlag, BaseRows);
    TFrmTreeCodeMan frm;
    frm.SetMode(1);
    select(frm, selected);
    ScriptedMessages messages;
    messages.pushAnswer(answer);
    frm.acDeleteExecute();

    QCOMPARE(shown(messages), QStringList{u"1:"_s + question});
    QCOMPARE(eqtest::dumpTree(frm.tvTree), tree);
    QStringList stored;
    for (const QString& row : m_db.rows(codes::TypeFlag))
        stored.append(row.section(u'|', 0, 0));
    QCOMPARE(stored, codes);
    QCOMPARE(m_db.rows(codes::DeptFlag).size(), BaseRows.size()); // the other tree is untouched
    if (selected == u"001001"_s && answer == corva::Yes)
        QCOMPARE(codes::CodeTreeView::ImageIndex(eqtest::findCode(frm.tvTree, u"001"_s)), 1);
}

void TstTreeEditor::refusals_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("extraRows");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("dialog");

    const QStringList none;
    const QString full = u"0:该级节点已满（999个），不能再增加！"_s;
    QTest::newRow("sibling of the root")
        << u"add"_s << none << u"000"_s << u"N"_s
        << QStringList{u"0:不能增加根节点的同类节点，该节点只能增加子节点！"_s} << false;
    QTest::newRow("delete the root") << u"delete"_s << none << u"000"_s << u"N"_s
                                     << QStringList{u"0:不能删除根节点，只能删除它下面的节点！"_s}
                                     << false;
    QTest::newRow("rename the root") << u"edit"_s << none << u"000"_s << u"N"_s << none << false;
    for (const QString& command : {u"add"_s, u"child"_s, u"edit"_s, u"delete"_s})
        QTest::addRow("%s without a selection", qPrintable(command))
            << command << none << QString() << u"N"_s << none << false;
    for (const QString& command : {u"add"_s, u"child"_s, u"edit"_s})
        QTest::addRow("%s with a blank name", qPrintable(command))
            << command << none << u"001"_s << u"  "_s << QStringList{u"0:"_s + BlankName}
            << true;
    for (const QString& command : {u"add"_s, u"child"_s, u"edit"_s})
        QTest::addRow("%s cancelled", qPrintable(command))
            << command << none << u"001"_s << QString() << none << true;
    QTest::newRow("sibling on a full level")
        << u"add"_s << QStringList{u"999 Z"_s} << u"999"_s << u"N"_s << QStringList{full}
        << false;
    QTest::newRow("child on a full level")
        << u"child"_s << QStringList{u"001999 Z"_s} << u"001"_s << u"N"_s << QStringList{full}
        << false;
}

void TstTreeEditor::refusals()
{
    QFETCH(QString, command);
    QFETCH(QStringList, extraRows);
    QFETCH(QString, selected);
    QFETCH(QString, name);
    QFETCH(QStringList, messages);
    QFETCH(bool, dialog);

    m_db.seed(codes::TypeFlag, BaseRows + extraRows);
    TFrmTreeCodeMan frm;
    frm.SetMode(1);
    select(frm, selected);
    const QString treeBefore = eqtest::dumpTree(frm.tvTree);
    const QStringList rowsBefore = m_db.rows(codes::TypeFlag);

    NameDialogs seen;
    widgets::ScopedModalHandler handler(typeName(name, seen));
    ScriptedMessages log;
    if (command == u"add")
        frm.acAddExecute();
    else if (command == u"child")
        frm.acAddChildExecute();
    else if (command == u"edit")
        frm.acEditExecute();
    else
        frm.acDeleteExecute();

    QCOMPARE(shown(log), messages);
    QCOMPARE(!seen.captions.isEmpty(), dialog);
    QCOMPARE(m_db.rows(codes::TypeFlag), rowsBefore);
    QCOMPARE(eqtest::dumpTree(frm.tvTree), treeBefore);
}

void TstTreeEditor::failures_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("disconnect");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("message");

    // The long path makes the stored path too long for its column.
    QTest::newRow("new code cannot be read") << u"add"_s << true << u"001"_s << ConnectFailed;
    QTest::newRow("insert fails") << u"child"_s << false << u"003"_s << ConnectFailed;
    QTest::newRow("update fails") << u"edit"_s << false << u"003001"_s << ConnectFailed;
    QTest::newRow("delete fails") << u"delete"_s << true << u"001001"_s
                                  << u"操作失败，请检查数据连接... "_s;
}

void TstTreeEditor::failures()
{
    QFETCH(QString, command);
    QFETCH(bool, disconnect);
    QFETCH(QString, selected);
    QFETCH(QString, message);

    m_db.seed(codes::TypeFlag, BaseRows);
    const QString longPath = u"\\\\"_s + QString(250, u'x');
    m_db.insert(codes::TypeFlag, u"003"_s, u"L"_s, longPath);
    m_db.insert(codes::TypeFlag, u"003001"_s, u"M"_s, longPath + u"\\M"_s);
    TFrmTreeCodeMan frm;
    frm.SetMode(1);
    select(frm, selected);
    const QString treeBefore = eqtest::dumpTree(frm.tvTree);
    const QStringList rowsBefore = m_db.rows(codes::TypeFlag);
    if (disconnect)
        m_db.dm()->ADOcnn.close();

    NameDialogs seen;
    widgets::ScopedModalHandler handler(typeName(u"abcdefgh"_s, seen));
    ScriptedMessages log;
    if (command == u"delete")
        log.pushAnswer(corva::Yes);
    if (command == u"add")
        frm.acAddExecute();
    else if (command == u"child")
        frm.acAddChildExecute();
    else if (command == u"edit")
        frm.acEditExecute();
    else
        frm.acDeleteExecute();

    QCOMPARE(log.log().last(), (corva::ShownMessage{message, corva::Error}));
    QCOMPARE(eqtest::dumpTree(frm.tvTree), treeBefore);
    QCOMPARE(codes::nodeData(eqtest::findCode(frm.tvTree, selected))->Name,
             eqtest::findCode(frm.tvTree, selected)->text(0));
    if (!disconnect)
        QCOMPARE(m_db.rows(codes::TypeFlag), rowsBefore);
}

void TstTreeEditor::keys_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("key"); // 0: a double-click on the node
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("closed"); // "", "ok" or "cancel"
    QTest::addColumn<QString>("tree");

    const int none = Qt::NoModifier;
    const QString all = u"0:000:设备类型 1:001:A 2:001001:A1 2:001002:A2 1:002:B"_s;
    QTest::newRow("Delete deletes") << 1 << int(Qt::Key_Delete) << none << u"002"_s
                                    << QStringList{u"1:真的要删除当前节点 “002B” 吗？"_s}
                                    << QString() << u"0:000:设备类型 1:001:A 2:001001:A1 2:001002:A2"_s;
    QTest::newRow("Ctrl+S renames") << 1 << int(Qt::Key_S) << int(Qt::ControlModifier)
                                    << u"002"_s << QStringList{} << QString()
                                    << u"0:000:设备类型 1:001:A 2:001001:A1 2:001002:A2 1:002:R"_s;
    QTest::newRow("Escape cancels") << 1 << int(Qt::Key_Escape) << none << u"002"_s
                                    << QStringList{} << u"cancel"_s << all;
    QTest::newRow("Enter does nothing when managing")
        << 1 << int(Qt::Key_Return) << none << u"002"_s << QStringList{} << QString() << all;
    QTest::newRow("Enter picks") << 2 << int(Qt::Key_Return) << none << u"002"_s
                                 << QStringList{} << u"ok"_s << all;
    QTest::newRow("keypad Enter picks") << 2 << int(Qt::Key_Enter) << int(Qt::KeypadModifier)
                                        << u"001001"_s << QStringList{} << u"ok"_s << all;
    QTest::newRow("Enter on the root")
        << 2 << int(Qt::Key_Return) << none << u"000"_s << QStringList{u"0:"_s + NoRootPick}
        << QString() << all;
    QTest::newRow("double-click picks") << 2 << 0 << none << u"002"_s << QStringList{}
                                        << u"ok"_s << all;
    QTest::newRow("double-click does nothing when managing")
        << 1 << 0 << none << u"002"_s << QStringList{} << QString() << all;
    QTest::newRow("double-click on the root")
        << 1 << 0 << none << u"000"_s << QStringList{u"0:"_s + NoRootPick} << QString() << all;
}

void TstTreeEditor::keys()
{
    QFETCH(int, mode);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, selected);
    QFETCH(QStringList, messages);
    QFETCH(QString, closed);
    QFETCH(QString, tree);

    m_db.seed(codes::TypeFlag, BaseRows);
    TFrmTreeCodeMan frm;
    frm.SetMode(mode);
    select(frm, selected);
    QSignalSpy accepted(&frm, &QDialog::accepted);
    QSignalSpy rejected(&frm, &QDialog::rejected);
    NameDialogs seen;
    widgets::ScopedModalHandler handler(typeName(u"R"_s, seen));
    ScriptedMessages log;
    if (!messages.filter(QRegularExpression(u"^1:"_s)).isEmpty())
        log.pushAnswer(corva::Yes);
    if (key == 0)
        frm.tvTreeDblClick(eqtest::findCode(frm.tvTree, selected));
    else
        QTest::keyClick(frm.tvTree, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(shown(log), messages);
    QCOMPARE(accepted.size(), closed == u"ok" ? 1 : 0);
    QCOMPARE(rejected.size(), closed == u"cancel" ? 1 : 0);
    QCOMPARE(eqtest::dumpTree(frm.tvTree), tree);
}

void TstTreeEditor::pick_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("messages");

    const QString start = u"\\\\old"_s;
    QTest::newRow("category") << 2 << u"ok"_s << u"001002"_s << u"\\\\A\\A2"_s << QStringList{};
    QTest::newRow("department") << 4 << u"ok"_s << u"002"_s << u"\\\\E"_s << QStringList{};
    QTest::newRow("double-click") << 2 << u"dbl"_s << u"002"_s << u"\\\\B"_s << QStringList{};
    QTest::newRow("cancel keeps the start path")
        << 2 << u"cancel"_s << u"001"_s << start << QStringList{};
    QTest::newRow("root refused") << 2 << u"ok"_s << u"000"_s << start
                                  << QStringList{u"0:"_s + NoRootPick};
    QTest::newRow("nothing selected")
        << 4 << u"ok"_s << QString() << start << QStringList{u"0:请先选择一个节点！"_s};
}

void TstTreeEditor::pick()
{
    QFETCH(int, mode);
    QFETCH(QString, action);
    QFETCH(QString, code);
    QFETCH(QString, expected);
    QFETCH(QStringList, messages);

    m_db.seed(codes::TypeFlag, BaseRows);
    m_db.seed(codes::DeptFlag, {u"001 D"_s, u"002 E"_s});
    QString caption;
    bool panelShown = false;
    widgets::ScopedModalHandler handler([&](QDialog& dialog) {
        auto* frm = qobject_cast<TFrmTreeCodeMan*>(&dialog);
        if (!frm)
            return int(QDialog::Rejected);
        caption = frm->windowTitle();
        panelShown = frm->Panel4->isVisibleTo(frm);
        select(*frm, code);
        if (action == u"ok")
            frm->BitBtn1Click();
        else if (action == u"dbl")
            frm->tvTreeDblClick(eqtest::findCode(frm->tvTree, code));
        else
            frm->BitBtn2Click();
        return frm->result();
    });
    ScriptedMessages log;
    QCOMPARE(codes::PickTreePath(mode, u"\\\\old"_s, nullptr), expected);
    QCOMPARE(caption, mode == 2 ? u"设备类型"_s : u"部门机构"_s);
    QVERIFY2(panelShown, "the OK and Cancel panel shows");
    QCOMPARE(shown(log), messages);
}

void TstTreeEditor::pickPreselection_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QStringList>("expanded");

    QTest::newRow("deep node") << u"\\\\A\\A2\\X"_s << u"001002001"_s
                               << QStringList{u"001"_s, u"001002"_s, u"001002001"_s};
    QTest::newRow("last of two equal paths") << u"\\\\B"_s << u"003"_s
                                             << QStringList{u"002"_s, u"003"_s};
    QTest::newRow("no match") << u"\\\\nowhere"_s << QString() << QStringList{};
    QTest::newRow("empty start path") << QString() << QString() << QStringList{};
}

void TstTreeEditor::pickPreselection()
{
    QFETCH(QString, start);
    QFETCH(QString, selected);
    QFETCH(QStringList, expanded);

    m_db.seed(codes::TypeFlag, BaseRows + QStringList{u"001002001 X"_s, u"002001 B1"_s});
    m_db.insert(codes::TypeFlag, u"003"_s, u"B"_s, u"\\\\B"_s);
    m_db.insert(codes::TypeFlag, u"003001"_s, u"B2"_s, u"\\\\B\\B2"_s);
    QString picked = u"not asked"_s;
    QStringList open;
    widgets::ScopedModalHandler handler([&](QDialog& dialog) {
        auto* frm = qobject_cast<TFrmTreeCodeMan*>(&dialog);
        const codes::CodeNode* node = frm->tvTree->selectedNode();
        picked = node ? node->Data().Code : QString();
        for (const QString& code : expanded)
            if (eqtest::findCode(frm->tvTree, code)->isExpanded())
                open.append(code);
        return int(QDialog::Rejected);
    });
    QCOMPARE(codes::PickTreePath(2, start, nullptr), start);
    QCOMPARE(picked, selected);
    QCOMPARE(open, expanded);
}

void TstTreeEditor::pickWithoutEditing()
{
    m_db.seed(codes::TypeFlag, BaseRows);
    const QStringList rowsBefore = m_db.rows(codes::TypeFlag);
    int dialogs = 0;
    bool editingShown = true;
    widgets::ScopedModalHandler handler([&](QDialog& dialog) {
        ++dialogs;
        auto* frm = qobject_cast<TFrmTreeCodeMan*>(&dialog);
        if (!frm)
            return int(QDialog::Rejected);
        editingShown = frm->gbBianJI->isVisibleTo(frm);
        select(*frm, u"002"_s);
        // Without the editing group neither the keys nor the commands change the tree.
        QTest::keyClick(frm->tvTree, Qt::Key_Delete);
        QTest::keyClick(frm->tvTree, Qt::Key_S, Qt::ControlModifier);
        frm->acDeleteExecute();
        frm->acAddChildExecute();
        QTest::keyClick(frm->tvTree, Qt::Key_Return);
        return frm->result();
    });
    ScriptedMessages log; // an unexpected question would end the run
    QCOMPARE(codes::PickTreePath(2, QString(), nullptr, false), u"\\\\B"_s);
    QCOMPARE(dialogs, 1);
    QVERIFY(!editingShown);
    QVERIFY(log.log().isEmpty());
    QCOMPARE(m_db.rows(codes::TypeFlag), rowsBefore);
}
