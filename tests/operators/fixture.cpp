#include "fixture.h"

#include "appvalues.h"
#include "corva.h"
#include "dberror.h"
#include "dmdata.h"
#include "endrequest.h"
#include "schema.h"
#include "testdb.h"

#include <QAction>
#include <QMenu>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace eqtest {

QStringList governedActions()
{
    QStringList names;
    for (const data::RightEntry& right : data::rightCatalogue())
        names.append(u"Action"_s + right.code);
    return names;
}

QStringList mirroredActions()
{
    return {u"Action901"_s, u"Action902"_s, u"Action903"_s,
            u"Action904"_s, u"Action905"_s, u"Action906"_s};
}

QStringList menuNames()
{
    return {u"mi100"_s, u"mi200"_s, u"mi300"_s, u"mi400"_s, u"mi500"_s};
}

FakeHost::FakeHost(bool visible, const QStringList& missing)
{
    const QStringList actions = governedActions() + mirroredActions()
                                + QStringList{u"Action907"_s, u"Action31"_s};
    for (const QString& name : actions) {
        if (missing.contains(name))
            continue;
        auto* action = new QAction(name, this);
        action->setObjectName(name);
        action->setVisible(visible);
        m_actions.insert(name, action);
    }
    for (const QString& name : menuNames()) {
        if (missing.contains(name))
            continue;
        auto* menu = new QMenu(name, this);
        menu->setObjectName(name);
        menu->menuAction()->setVisible(visible);
        m_menus.insert(name, menu);
    }
}

QStringList FakeHost::visibleNames() const
{
    QStringList names;
    for (QAction* action : m_actions) {
        if (action->isVisible())
            names.append(action->objectName());
    }
    for (QMenu* menu : m_menus) {
        if (menu->menuAction()->isVisible())
            names.append(menu->objectName());
    }
    std::sort(names.begin(), names.end());
    return names;
}

OperatorsDb::OperatorsDb()
    : m_dm(std::make_unique<data::TdmData>())
{
    app::SetConfigPath(m_dir.filePath(u"Config.ini"_s));
    app::CurrentOperator.clear();
    app::ClearEndRequest();
    try {
        m_dm->ADOcnn.open(eqtest::freshDatabase(m_dir));
        data::createSchema(m_dm->ADOcnn);
        data::seedSchema(m_dm->ADOcnn);
        m_valid = true;
    } catch (const db::DbError& e) {
        qWarning("cannot prepare the test database: %s", qPrintable(e.message()));
    }
    m_dm->IsConnected = m_valid;
    data::dmData = m_dm.get();
}

OperatorsDb::~OperatorsDb()
{
    data::dmData = nullptr;
    m_dm.reset();
    app::SetConfigPath(QString());
    app::CurrentOperator.clear();
    app::ClearEndRequest();
}

QString OperatorsDb::configPath() const
{
    return m_dir.filePath(u"Config.ini"_s);
}

void OperatorsDb::addOperator(const QString& name, const QString& password)
{
    db::Params p;
    p.set(u"name"_s, name);
    p.set(u"password"_s, corva::SavePass(password));
    m_dm->ADOcnn.exec(u"insert into OperList(F_Name,F_PassWord,F_Mem,F_Flag,F_xtFlag) "
                      "values(:name,:password,'',0,0)"_s,
                      p);
}

void OperatorsDb::grant(const QString& operatorName, const QString& rightName)
{
    db::Params p;
    p.set(u"oper"_s, operatorName);
    p.set(u"right"_s, rightName);
    m_dm->ADOcnn.exec(u"insert into OperLimit(F_OperName,F_lmtName) values(:oper,:right)"_s, p);
}

QStringList OperatorsDb::logRows()
{
    db::Dataset q(&m_dm->ADOcnn);
    q.setSql(u"select F_EmpName, F_OperType from LogRec order by F_ID"_s);
    q.open();
    QStringList rows;
    for (q.first(); !q.eof(); q.next())
        rows.append(q.field(0).asString() + u'|' + q.field(1).asString());
    return rows;
}

} // namespace eqtest
