#include "codetreeview.h"

#include "resources.h"

#include <QPalette>

namespace codes {

CodeNode::CodeNode(QTreeWidget* view, const tNodeData& nodeData)
    : QTreeWidgetItem(view, NodeType)
{
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    SetData(nodeData);
}

CodeNode::CodeNode(QTreeWidgetItem* parent, const tNodeData& nodeData)
    : QTreeWidgetItem(parent, NodeType)
{
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    SetData(nodeData);
}

void CodeNode::SetData(const tNodeData& nodeData)
{
    m_data = nodeData;
    setText(0, m_data.Name);
}

QVariant CodeNode::data(int column, int role) const
{
    if (role == Qt::DecorationRole && column == 0) {
        // Asked for at every paint, so the picture never lags behind the tree's changes.
        const int index = isSelected() ? CodeTreeView::SelectedIndex(this)
                                       : CodeTreeView::ImageIndex(this);
        return CodeTreeView::ImageTree().value(index);
    }
    return QTreeWidgetItem::data(column, role);
}

CodeTreeView::CodeTreeView(QWidget* parent)
    : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setAcceptDrops(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setExpandsOnDoubleClick(true);

    // The chosen node stays marked while the user works with the buttons beside the tree.
    QPalette pal = palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    setPalette(pal);
}

CodeNode* CodeTreeView::selectedNode() const
{
    const QList<QTreeWidgetItem*> items = selectedItems();
    if (items.isEmpty() || items.first()->type() != CodeNode::NodeType)
        return nullptr;
    return static_cast<CodeNode*>(items.first());
}

int CodeTreeView::ImageIndex(const QTreeWidgetItem* item)
{
    const int level = nodeLevel(item);
    if (level == 0)
        return 0;
    if (level == 1 && item->childCount() > 0)
        return 1;
    return 2;
}

int CodeTreeView::SelectedIndex(const QTreeWidgetItem* item)
{
    const int index = ImageIndex(item);
    return index == 2 ? 3 : index;
}

const QList<QIcon>& CodeTreeView::ImageTree()
{
    static const QList<QIcon> icons = [] {
        resources::init();
        return QList<QIcon>{QIcon(QStringLiteral(":/icons/tree-root.svg")),
                            QIcon(QStringLiteral(":/icons/tree-branch.svg")),
                            QIcon(QStringLiteral(":/icons/tree-leaf.svg")),
                            QIcon(QStringLiteral(":/icons/tree-leaf-open.svg"))};
    }();
    return icons;
}

const tNodeData* nodeData(const QTreeWidgetItem* item)
{
    if (!item || item->type() != CodeNode::NodeType)
        return nullptr;
    return &static_cast<const CodeNode*>(item)->Data();
}

bool isRootNode(const QTreeWidgetItem* item)
{
    return item && item->treeWidget() && item->treeWidget()->topLevelItem(0) == item;
}

int nodeLevel(const QTreeWidgetItem* item)
{
    int level = 0;
    for (const QTreeWidgetItem* p = item ? item->parent() : nullptr; p; p = p->parent())
        ++level;
    return level;
}

} // namespace codes
