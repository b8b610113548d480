#include "tst_codetree.h"

#include "codetree.h"
#include "dberror.h"
#include "dmdata.h"
#include "corva.h"
#include "scriptedmessages.h"

#include <QTest>

using namespace Qt::StringLiterals;
using codes::CodeNode;
using codes::tNodeData;

void TstCodeTree::init()
{
    QVERIFY(m_db.open());
}

void TstCodeTree::cleanup()
{
    m_db.close();
}

void TstCodeTree::nextTreeCode_data()
{
    QTest::addColumn<QStringList>("typeCodes");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");

    const QStringList none;
    QTest::newRow("empty tree, first child of the root") << none << QString() << 2 << u"001"_s;
    QTest::newRow("next first-level node") << QStringList{u"001"_s} << QString() << 2 << u"002"_s;
    QTest::newRow("sibling of 002 up to 007")
        << QStringList{u"001"_s, u"002"_s, u"002001"_s, u"003"_s, u"007"_s, u"007001"_s}
        << u"002"_s << 1 << u"008"_s;
    QTest::newRow("first child of a leaf")
        << QStringList{u"001"_s, u"002"_s, u"003"_s} << u"003"_s << 2 << u"003001"_s;
    QTest::newRow("child where the last child has children")
        << QStringList{u"001"_s, u"001001"_s, u"001002"_s, u"001002001"_s, u"002"_s}
        << u"001"_s << 2 << u"001003"_s;
    QTest::newRow("sibling after a gap")
        << QStringList{u"001"_s, u"003"_s} << u"001"_s << 1 << u"004"_s;
    QTest::newRow("sibling of a node whose last sibling has children")
        << QStringList{u"001"_s, u"001001"_s, u"001002"_s, u"001002001"_s}
        << u"001001"_s << 1 << u"001003"_s;
    QTest::newRow("third level") << QStringList{u"001"_s, u"001001"_s, u"001001001"_s}
                                 << u"001001001"_s << 1 << u"001001002"_s;
    QTest::newRow("carry 009") << QStringList{u"009"_s} << u"009"_s << 1 << u"010"_s;
    QTest::newRow("carry 099") << QStringList{u"001"_s, u"001099"_s} << u"001"_s << 2
                               << u"001100"_s;
    QTest::newRow("last free code") << QStringList{u"998"_s} << u"998"_s << 1 << u"999"_s;
    QTest::newRow("first level full") << QStringList{u"999"_s} << u"999"_s << 1 << QString();
    QTest::newRow("first level full, child of root") << QStringList{u"999"_s} << QString() << 2
                                                     << QString();
    QTest::newRow("child level full")
        << QStringList{u"001"_s, u"001999"_s} << u"001"_s << 2 << QString();
    // Rows of the other tree never count.
    QTest::newRow("other flag ignored") << none << QString() << 2 << u"001"_s;
    QTest::newRow("parent gone, child") << none << u"003"_s << 2 << u"003001"_s;
    QTest::newRow("parent gone, sibling") << none << u"003005"_s << 1 << u"003001"_s;
}

void TstCodeTree::nextTreeCode()
{
    QFETCH(QStringList, typeCodes);
    QFETCH(QString, code);
    QFETCH(int, kind);
    QFETCH(QString, expected);

    for (const QString& c : typeCodes)
        m_db.insert(codes::TypeFlag, c, u"n"_s + c, u"\\\\n"_s + c);
    for (const QString& c : {u"001"_s, u"003"_s, u"003009"_s, u"005"_s})
        m_db.insert(codes::DeptFlag, c, u"d"_s + c, u"\\\\d"_s + c);

    corva::ScriptedMessages messages;
    QCOMPARE(codes::NextTreeCode(code, codes::TypeFlag, kind), expected);
    QVERIFY(messages.log().isEmpty());
}

void TstCodeTree::nextTreeCodeFailure()
{
    m_db.dm()->ADOcnn.close();
    QVERIFY_THROWS_EXCEPTION(db::DbError, codes::NextTreeCode(u"001"_s, codes::TypeFlag, 1));
}

void TstCodeTree::loadCodeTree_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty tree: the root only") << QStringList{} << u"0:000:设备类型"_s;
    QTest::newRow("pre-order")
        << QStringList{u"002 B"_s, u"001 A"_s, u"001002 A2"_s, u"001001 A1"_s,
                       u"001001001 A11"_s}
        << u"0:000:设备类型 1:001:A 2:001001:A1 3:001001001:A11 2:001002:A2 1:002:B"_s;
    // Only the lengths of consecutive codes give the shape, not their digits.
    QTest::newRow("longer code becomes a child")
        << QStringList{u"001 A"_s, u"002001 X"_s, u"003 C"_s}
        << u"0:000:设备类型 1:001:A 2:002001:X 1:003:C"_s;
    QTest::newRow("missing first-level parent")
        << QStringList{u"001001 X"_s, u"002 B"_s, u"002001 B1"_s}
        << u"0:000:设备类型 1:001001:X 1:002:B 2:002001:B1"_s;
    QTest::newRow("missing middle parent")
        << QStringList{u"001 A"_s, u"001001001 Z"_s, u"001002 Y"_s, u"002 B"_s}
        << u"0:000:设备类型 1:001:A 2:001001001:Z 2:001002:Y 1:002:B"_s;
}

void TstCodeTree::loadCodeTree()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, expected);
    m_db.seed(codes::TypeFlag, rows);
    m_db.seed(codes::DeptFlag, {u"001 D"_s, u"004 E"_s});

    codes::CodeTreeView tree;
    corva::ScriptedMessages messages;
    QVERIFY(codes::LoadCodeTree(&tree, u"设备类型"_s, codes::TypeFlag));
    QCOMPARE(eqtest::dumpTree(&tree), expected);
    QCOMPARE(tree.topLevelItemCount(), 1);
    QVERIFY(messages.log().isEmpty());

    // Loading again replaces the nodes rather than adding to them.
    QVERIFY(codes::LoadCodeTree(&tree, u"设备类型"_s, codes::TypeFlag));
    QCOMPARE(eqtest::dumpTree(&tree), expected);
}

void TstCodeTree::loadCodeTreeNodeData()
{
    const QString odd = u"O'Brien \\ 5%_"_s;
    m_db.insert(codes::DeptFlag, u"001"_s, odd, u"\\\\"_s + odd);
    m_db.insert(codes::DeptFlag, u"001001"_s, u" 车间 "_s, u"\\\\"_s + odd + u"\\ 车间 "_s);
    m_db.insert(codes::DeptFlag, u"002"_s, u"B"_s, u"\\\\B"_s);

    codes::CodeTreeView tree;
    QVERIFY(codes::LoadCodeTree(&tree, u"部门机构"_s, codes::DeptFlag));

    const tNodeData* root = codes::nodeData(tree.topLevelItem(0));
    QVERIFY(root);
    QCOMPARE(root->CodeLength, 0);
    QCOMPARE(root->Code, u"000"_s);
    QCOMPARE(root->Name, u"部门机构"_s);
    QCOMPARE(root->LikeCode, u"\\\\"_s);
    QVERIFY(codes::isRootNode(tree.topLevelItem(0)));

    QTreeWidgetItem* first = eqtest::findCode(&tree, u"001"_s);
    QTreeWidgetItem* child = eqtest::findCode(&tree, u"001001"_s);
    QVERIFY(first && child);
    QCOMPARE(first->text(0), odd);
    QCOMPARE(codes::nodeData(first)->LikeCode, u"\\\\"_s + odd);
    QCOMPARE(codes::nodeData(child)->CodeLength, 6);
    QCOMPARE(child->text(0), u" 车间 "_s);
    QCOMPARE(codes::nodeData(child)->LikeCode, u"\\\\"_s + odd + u"\\ 车间 "_s);
    QVERIFY(!codes::isRootNode(first));

    // First-level nodes are loaded expanded, so their children show once the root opens.
    QVERIFY(first->isExpanded());
    QVERIFY(eqtest::findCode(&tree, u"002"_s)->isExpanded());
    QVERIFY(!child->isExpanded());
}

void TstCodeTree::loadCodeTreeFailure()
{
    codes::CodeTreeView tree;
    m_db.seed(codes::TypeFlag, {u"001 A"_s});
    QVERIFY(codes::LoadCodeTree(&tree, u"设备类型"_s, codes::TypeFlag));
    m_db.dm()->ADOcnn.close();

    corva::ScriptedMessages messages;
    QVERIFY(!codes::LoadCodeTree(&tree, u"设备类型"_s, codes::TypeFlag));
    QCOMPARE(eqtest::dumpTree(&tree), u"0:000:设备类型"_s);
    QCOMPARE(messages.log(),
             (QList<corva::ShownMessage>{{u"打开操作失败，请检查数据连接... "_s, corva::Error}}));
}

void TstCodeTree::nodePath_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");

    QTest::newRow("level 1") << u"A"_s << 1 << u"\\\\A"_s;
    QTest::newRow("level 2") << u"B"_s << 1 << u"\\\\A\\B"_s;
    QTest::newRow("level 3") << u"C"_s << 1 << u"\\\\A\\B\\C"_s;
    QTest::newRow("parent of level 3") << u"C"_s << 2 << u"\\\\A\\B"_s;
    QTest::newRow("parent of level 2") << u"B"_s << 0 << u"\\\\A"_s;
    QTest::newRow("parent of level 1 is the root") << u"A"_s << 2 << u"\\\\"_s;
    QTest::newRow("root") << u"root"_s << 1 << u"\\\\"_s;
    // A first-level name that starts with a backslash would give three in a row.
    QTest::newRow("three backslashes repaired") << u"\\X"_s << 1 << u"\\\\X"_s;
    QTest::newRow("repaired below") << u"Y"_s << 1 << u"\\\\X\\Y"_s;
}

void TstCodeTree::nodePath()
{
    QFETCH(QString, node);
    QFETCH(int, kind);
    QFETCH(QString, expected);

    codes::CodeTreeView tree;
    auto* root = new CodeNode(&tree, tNodeData{0, u"000"_s, u"root"_s, u"\\\\"_s});
    auto* a = new CodeNode(root, tNodeData{3, u"001"_s, u"A"_s, u"stale"_s});
    auto* b = new CodeNode(a, tNodeData{6, u"001001"_s, u"B"_s, u"stale"_s});
    new CodeNode(b, tNodeData{9, u"001001001"_s, u"C"_s, u"stale"_s});
    auto* x = new CodeNode(root, tNodeData{3, u"002"_s, u"\\X"_s, u"stale"_s});
    new CodeNode(x, tNodeData{6, u"002001"_s, u"Y"_s, u"stale"_s});

    QTreeWidgetItem* item = nullptr;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        if ((*it)->text(0) == node)
            item = *it;
    QVERIFY(item);
    QCOMPARE(codes::NodePath(item, kind), expected);
}

void TstCodeTree::collapsePath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("normal path unchanged") << u"\\\\A\\B"_s << u"\\\\A\\B"_s;
    QTest::newRow("root and separator") << u"\\\\\\A"_s << u"\\\\A"_s;
    QTest::newRow("two runs") << u"\\\\\\A\\\\\\B"_s << u"\\\\A\\\\B"_s;
    QTest::newRow("four in a row, one pass") << u"\\\\\\\\A"_s << u"\\\\\\A"_s;
    QTest::newRow("six in a row") << u"\\\\\\\\\\\\"_s << u"\\\\\\\\"_s;
}

void TstCodeTree::collapsePath()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(codes::CollapsePath(path), expected);
}

void TstCodeTree::pictures()
{
    codes::CodeTreeView tree;
    auto* root = new CodeNode(&tree, tNodeData{0, u"000"_s, u"r"_s, u"\\\\"_s});
    auto* branch = new CodeNode(root, tNodeData{3, u"001"_s, u"A"_s, u"\\\\A"_s});
    auto* deepBranch = new CodeNode(branch, tNodeData{6, u"001001"_s, u"B"_s, u"\\\\A\\B"_s});
    auto* deepLeaf = new CodeNode(deepBranch, tNodeData{9, u"001001001"_s, u"C"_s, u""_s});
    auto* leaf = new CodeNode(root, tNodeData{3, u"002"_s, u"D"_s, u"\\\\D"_s});

    using V = codes::CodeTreeView;
    const QList<std::pair<QTreeWidgetItem*, std::pair<int, int>>> expected{
        {root, {0, 0}},     {branch, {1, 1}},   {deepBranch, {2, 3}},
        {deepLeaf, {2, 3}}, {leaf, {2, 3}}};
    for (const auto& [item, indexes] : expected) {
        QCOMPARE(V::ImageIndex(item), indexes.first);
        QCOMPARE(V::SelectedIndex(item), indexes.second);
    }

    // The picture follows the tree: a first-level leaf that gains a child becomes a branch.
    auto* added = new CodeNode(leaf, tNodeData{6, u"002001"_s, u"E"_s, u""_s});
    QCOMPARE(V::ImageIndex(leaf), 1);
    delete added;
    QCOMPARE(V::ImageIndex(leaf), 2);

    // And the node shows the selected picture only while it is selected.
    QCOMPARE(V::ImageTree().size(), 4);
    auto iconKey = [](QTreeWidgetItem* item) {
        return item->data(0, Qt::DecorationRole).value<QIcon>().cacheKey();
    };
    QCOMPARE(iconKey(leaf), V::ImageTree().at(2).cacheKey());
    tree.setCurrentItem(leaf);
    QCOMPARE(iconKey(leaf), V::ImageTree().at(3).cacheKey());
    QCOMPARE(tree.selectedNode(), leaf);
    tree.setCurrentItem(branch);
    QCOMPARE(iconKey(leaf), V::ImageTree().at(2).cacheKey());
    QCOMPARE(iconKey(branch), V::ImageTree().at(1).cacheKey());
    tree.clearSelection();
    QCOMPARE(tree.selectedNode(), nullptr);
}

void TstCodeTree::viewSettings()
{
    codes::CodeTreeView tree;
    auto* root = new CodeNode(&tree, tNodeData{0, u"000"_s, u"r"_s, u"\\\\"_s});
    QCOMPARE(tree.columnCount(), 1);
    QVERIFY(tree.isHeaderHidden());
    QCOMPARE(tree.editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(!(root->flags() & Qt::ItemIsEditable));
    QVERIFY(!(root->flags() & (Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled)));
    QCOMPARE(tree.dragDropMode(), QAbstractItemView::NoDragDrop);
    QCOMPARE(tree.palette().color(QPalette::Inactive, QPalette::Highlight),
             tree.palette().color(QPalette::Active, QPalette::Highlight));
}
