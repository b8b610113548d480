#pragma once
// The services of the category and department trees: loading a tree view, the path of a node and
// the code of a new node.

#include "codetreeview.h"

#include <QString>

namespace codes {

/// The flags of t_treecode.
inline const QString TypeFlag = QStringLiteral("type");
inline const QString DeptFlag = QStringLiteral("depttype");

/// Clears the view and fills it with the root (caption, code "000", path "\\") and every row of
/// the flag, in code order, shaped by the lengths of consecutive codes. A row whose parent is not
/// stored is attached where the climb towards it ends (at worst under the root). Runs on
/// dmData->QryTemp; a failing statement shows its message, leaves only the root and gives false.
bool LoadCodeTree(CodeTreeView* tree, const QString& rootCaption, const QString& flag);

/// The path of the node (kind 1) or of its parent (any other kind): "\\A\B". The root's path is
/// two backslashes; nullptr gives empty text.
QString NodePath(const QTreeWidgetItem* item, int kind);

/// The code for a new sibling (kind 1) or a new child (kind 2; an empty code stands for the root)
/// of the node with the code. Empty text when that level already holds 999 nodes. Runs on
/// dmData->QryTemp; throws db::DbError when the database fails.
QString NextTreeCode(const QString& code, const QString& flag, int kind);

/// Replaces every run of three backslashes by two: a root path followed by a separator.
QString CollapsePath(QString path);

} // namespace codes
