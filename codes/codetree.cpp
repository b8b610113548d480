#include "codetree.h"

#include "dataset.h"
#include "dmdata.h"
#include "sqlquote.h"

namespace codes {

using namespace Qt::StringLiterals;

namespace {

const QString RootCode = u"000"_s;
const QString RootPath = u"\\\\"_s;

} // namespace

QString CollapsePath(QString path)
{
    return path.replace(u"\\\\\\"_s, RootPath);
}

bool LoadCodeTree(CodeTreeView* tree, const QString& rootCaption, const QString& flag)
{
    if (!tree)
        return false;
    tree->setUpdatesEnabled(false);
    tree->clear();
    auto* root = new CodeNode(tree, tNodeData{0, RootCode, rootCaption, RootPath});
    bool loaded = false;
    if (data::dmData) {
        db::Dataset& q = data::dmData->QryTemp;
        loaded = data::dmData->OpenQuery(u"select F_code,F_name,F_likecode from t_treecode "
                                         "where F_flag = '"_s
                                             + db::sqlValue(flag) + u"' order by F_code"_s,
                                         q);
        if (loaded) {
            const int codeCol = q.fieldIndex(u"F_code"_s);
            const int nameCol = q.fieldIndex(u"F_name"_s);
            const int pathCol = q.fieldIndex(u"F_likecode"_s);
            QTreeWidgetItem* current = root;
            int previous = 0;
            for (q.first(); !q.eof(); q.next()) {
                const tNodeData row{0, q.field(codeCol).asString(), q.field(nameCol).asString(),
                                    q.field(pathCol).asString()};
                const int length = int(row.Code.length());
                QTreeWidgetItem* parent = nullptr;
                if (length > previous) {
                    parent = current;
                } else if (length == previous) {
                    parent = current->parent();
                } else {
                    // Climb to the node of the same length. Without one (its parent is not
                    // stored) the row goes below the node where the climb stops, never past
                    // the root.
                    while (current != root && nodeData(current)->CodeLength > length)
                        current = current->parent();
                    parent = nodeData(current)->CodeLength == length ? current->parent()
                                                                     : current;
                }
                if (!parent)
                    parent = root;
                auto* node = new CodeNode(parent, tNodeData{length, row.Code, row.Name,
                                                            row.LikeCode});
                if (nodeLevel(node) == 1)
                    node->setExpanded(true);
                current = node;
                previous = length;
            }
        }
    }
    tree->setUpdatesEnabled(true);
    return loaded;
}

QString NodePath(const QTreeWidgetItem* item, int kind)
{
    if (!item)
        return QString();
    const QTreeWidgetItem* node = kind == 1 ? item : item->parent();
    if (!node || nodeLevel(node) == 0)
        return RootPath;
    auto nameOf = [](const QTreeWidgetItem* n) {
        const tNodeData* d = nodeData(n);
        return d ? d->Name : n->text(0);
    };
    QString path = u'\\' + nameOf(node);
    while (nodeLevel(node) > 1) {
        node = node->parent();
        path.prepend(u'\\' + nameOf(node));
    }
    return CollapsePath(u'\\' + path);
}

QString NextTreeCode(const QString& code, const QString& flag, int kind)
{
    const QString base = kind == 1 ? code.chopped(qMin<qsizetype>(3, code.length())) : code;
    QString sql;
    if (base.isEmpty())
        sql = u"select Max(F_code) from t_treecode where len(F_code) = 3 and f_flag = '"_s
              + db::sqlValue(flag) + u"' "_s;
    else
        sql = u"select Max(F_code) from t_treecode where F_code like '"_s + db::sqlValue(base)
              + u"%' and f_flag = '"_s + db::sqlValue(flag) + u"' "_s;

    db::Dataset& q = data::dmData->QryTemp;
    q.close();
    q.clearParams();
    q.setSql(sql);
    q.open();
    QString max = q.isEmpty() || q.fieldCount() == 0 ? QString() : q.field(0).asString();

    const qsizetype len = code.length();
    if (kind == 1) {
        if (max.length() != len)
            max = max.left(len);
    } else {
        if (max.length() == len)
            max += u"000"_s;
        else if (max.length() > len + 3)
            max = max.left(len + 3);
    }

    // Nothing found under a parent that is still named (another client deleted it meanwhile):
    // the new node still belongs on its own level, not on the first.
    if (max.isEmpty())
        return (kind == 1 ? base : code) + u"001"_s;

    if (max.length() < 3)
        return u"001"_s;
    const QString prefix = max.chopped(3);
    bool ok = false;
    const int last = max.right(3).toInt(&ok);
    // 999 is the last code of a level; a code that is not a number cannot be counted on.
    if (!ok || last < 0 || last >= 999)
        return QString();
    return prefix + QString::number(1000 + last + 1).mid(1);
}

} // namespace codes
