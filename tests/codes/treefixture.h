#pragma once
// A fresh database with the schema, installed as the program's data module, and tree rows.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QTreeWidget;
class QTreeWidgetItem;

namespace data {
class TdmData;
}

namespace eqtest {

class TreeDatabase
{
public:
    TreeDatabase();
    ~TreeDatabase();
    TreeDatabase(const TreeDatabase&) = delete;
    TreeDatabase& operator=(const TreeDatabase&) = delete;

    /// False (after a test failure) when the database could not be made.
    bool open();
    void close();

    data::TdmData* dm() const { return m_dm.get(); }

    /// Stores rows "code name" of one tree; each path is built from the names of the codes'
    /// prefixes among the same rows ("\\A\B").
    void seed(const QString& flag, const QStringList& rows);
    void insert(const QString& flag, const QString& code, const QString& name,
                const QString& path);

    /// The stored rows of the flag in code order, "code|name|path" each.
    QStringList rows(const QString& flag);

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<data::TdmData> m_dm;
};

/// The view in pre-order, "level:code:name" per node, joined by " ".
QString dumpTree(const QTreeWidget* tree);

/// The node with the code, nullptr when there is none.
QTreeWidgetItem* findCode(const QTreeWidget* tree, const QString& code);

} // namespace eqtest
