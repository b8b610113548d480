#include "treefixture.h"

#include "codetreeview.h"
#include "dataset.h"
#include "dberror.h"
#include "dmdata.h"
#include "schema.h"
#include "testdb.h"

#include <QHash>
#include <QTest>
#include <QTreeWidgetItemIterator>

using namespace Qt::StringLiterals;

namespace eqtest {

TreeDatabase::TreeDatabase() = default;
TreeDatabase::~TreeDatabase() = default;

bool TreeDatabase::open()
{
    m_dir = std::make_unique<QTemporaryDir>();
    if (!m_dir->isValid()) {
        QTest::qFail("no temporary folder", __FILE__, __LINE__);
        return false;
    }
    m_dm = std::make_unique<data::TdmData>();
    try {
        m_dm->ADOcnn.open(freshDatabase(*m_dir));
        data::createSchema(m_dm->ADOcnn);
    } catch (const db::DbError& e) {
        QTest::qFail(qPrintable(e.message()), __FILE__, __LINE__);
        return false;
    }
    m_dm->IsConnected = true;
    data::dmData = m_dm.get();
    return true;
}

void TreeDatabase::close()
{
    m_dm.reset(); // clears data::dmData
    m_dir.reset();
}

void TreeDatabase::insert(const QString& flag, const QString& code, const QString& name,
                          const QString& path)
{
    db::Params p;
    p.set(u"code"_s, code);
    p.set(u"name"_s, name);
    p.set(u"path"_s, path);
    p.set(u"flag"_s, flag);
    m_dm->ADOcnn.exec(u"insert into t_treecode(F_code,F_name,F_likecode,F_flag) "
                      "values(:code,:name,:path,:flag)"_s,
                      p);
}

void TreeDatabase::seed(const QString& flag, const QStringList& rows)
{
    QHash<QString, QString> names;
    for (const QString& row : rows)
        names.insert(row.section(u' ', 0, 0), row.section(u' ', 1));
    for (const QString& row : rows) {
        const QString code = row.section(u' ', 0, 0);
        QString path = u"\\"_s;
        for (qsizetype n = 3; n <= code.length(); n += 3)
            path += u'\\' + names.value(code.left(n), u"?"_s);
        insert(flag, code, names.value(code), path.replace(u"\\\\\\"_s, u"\\\\"_s));
    }
}

QStringList TreeDatabase::rows(const QString& flag)
{
    QStringList out;
    db::Dataset q(&m_dm->ADOcnn);
    q.setSql(u"select F_code,F_name,F_likecode from t_treecode where F_flag = :flag "
             "order by F_code"_s);
    q.setParam(u"flag"_s, flag);
    q.open();
    for (q.first(); !q.eof(); q.next())
        out.append(q.field(0).asString() + u'|' + q.field(1).asString() + u'|'
                   + q.field(2).asString());
    return out;
}

QString dumpTree(const QTreeWidget* tree)
{
    QStringList out;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it) {
        const codes::tNodeData* d = codes::nodeData(*it);
        out.append(QString::number(codes::nodeLevel(*it)) + u':' + (d ? d->Code : u"-"_s)
                   + u':' + (*it)->text(0));
    }
    return out.join(u' ');
}

QTreeWidgetItem* findCode(const QTreeWidget* tree, const QString& code)
{
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it) {
        const codes::tNodeData* d = codes::nodeData(*it);
        if (d && d->Code == code)
            return *it;
    }
    return nullptr;
}

} // namespace eqtest
