#pragma once
// The tree view of a category or department tree and the record behind each of its nodes.

#include <QIcon>
#include <QString>
#include <QTreeWidget>
#include <QTreeWidgetItem>

namespace codes {

/// The record behind every tree node; the root has (0, "000", caption, two backslashes).
struct tNodeData
{
    int CodeLength = 0;
    QString Code;
    QString Name;
    QString LikeCode;
};

/// A tree node that owns its record. Its picture follows the node's place in the tree and its
/// selection, so it is always right after nodes are added, removed or selected.
class CodeNode : public QTreeWidgetItem
{
public:
    static constexpr int NodeType = QTreeWidgetItem::UserType + 61;

    CodeNode(QTreeWidget* view, const tNodeData& nodeData);
    CodeNode(QTreeWidgetItem* parent, const tNodeData& nodeData);

    const tNodeData& Data() const { return m_data; }
    /// Replaces the record and the node's text (its name).
    void SetData(const tNodeData& nodeData);

    QVariant data(int column, int role) const override;

private:
    tNodeData m_data;
};

/// The one-column tree every window uses for a code tree: no header, selection visible without
/// focus, no in-place editing, no drag and drop, pictures by level and selection.
class CodeTreeView : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CodeTreeView(QWidget* parent = nullptr);

    /// The selected node, nullptr when none is selected.
    CodeNode* selectedNode() const;

    /// Picture of a node (image index): root 0; level 1 with children 1; any other node 2.
    static int ImageIndex(const QTreeWidgetItem* item);
    /// Picture of a selected node: as ImageIndex, but 3 for the nodes that show 2.
    static int SelectedIndex(const QTreeWidgetItem* item);
    /// The pictures by image index (tree-root, tree-branch, tree-leaf, tree-leaf-open).
    static const QList<QIcon>& ImageTree();
};

/// The node's record; nullptr for nullptr or an item that is not a CodeNode.
const tNodeData* nodeData(const QTreeWidgetItem* item);
/// Whether the item is its tree's root (the node with absolute index 0).
bool isRootNode(const QTreeWidgetItem* item);
/// Depth below the top level: 0 for the root, 1 for a first-level node.
int nodeLevel(const QTreeWidgetItem* item);

} // namespace codes
