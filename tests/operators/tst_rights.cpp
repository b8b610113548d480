#include "tst_rights.h"

#include "appvalues.h"
#include "fixture.h"
#include "rights.h"
#include "scriptedmessages.h"

#include <QAction>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using eqtest::FakeHost;

namespace {

QStringList without(QStringList names, const QStringList& removed)
{
    names.removeIf([&](const QString& name) { return removed.contains(name); });
    return names;
}

} // namespace

TstRights::TstRights() = default;
TstRights::~TstRights() = default;

void TstRights::init()
{
    m_db = std::make_unique<eqtest::OperatorsDb>();
    QVERIFY(m_db->isValid());
    m_db->addOperator(u"zhang"_s, QString());
    m_db->addOperator(u"nobody"_s, QString());
    for (const QString& right : {u"用户权限"_s, u"修改"_s, u"保存当前网格"_s, u"设备入库单"_s})
        m_db->grant(u"zhang"_s, right);
    // A right whose catalogue row was renamed or removed grants nothing; one given to another
    // operator neither.
    m_db->grant(u"zhang"_s, u"旧权限"_s);
    m_db->grant(u"nobody2"_s, u"新增"_s);
}

void TstRights::cleanup()
{
    m_db.reset();
}

void TstRights::setLimits_data()
{
    QTest::addColumn<QString>("typed");        // the text of the name box
    QTest::addColumn<bool>("startVisible");    // the host's actions and menus before
    QTest::addColumn<QStringList>("missing");  // names the host does not have
    QTest::addColumn<QStringList>("visible");  // every visible name after, governed or not

    const QStringList ungoverned{u"Action31"_s, u"Action907"_s};
    const QStringList all =
        eqtest::governedActions() + eqtest::mirroredActions() + eqtest::menuNames();
    const QStringList zhang{u"Action103"_s, u"Action202"_s, u"Action206"_s, u"Action311"_s,
                            u"Action902"_s, u"Action906"_s, u"mi100"_s,     u"mi200"_s,
                            u"mi300"_s};

    QTest::newRow("admin shows everything") << u"admin"_s << false << QStringList{} << all;
    QTest::newRow("admin in capitals with blanks")
        << u"  ADMIN "_s << false << QStringList{} << all;
    QTest::newRow("some rights") << u"zhang"_s << true << QStringList{} << (zhang + ungoverned);
    QTest::newRow("some rights, typed with blanks")
        << u" zhang  "_s << false << QStringList{} << zhang;
    QTest::newRow("no rights hides every governed name")
        << u"nobody"_s << true << QStringList{} << ungoverned;
    const QStringList gaps{u"Action201"_s, u"Action504"_s, u"Action906"_s, u"mi500"_s};
    QTest::newRow("admin on a host without some actions and menus")
        << u"admin"_s << false
        << gaps << without(all, gaps);
    QTest::newRow("mirror follows its right while the counterpart is missing")
        << u"zhang"_s << false << QStringList{u"Action202"_s, u"mi300"_s}
        << QStringList{u"Action103"_s, u"Action206"_s, u"Action311"_s, u"Action902"_s,
                       u"Action906"_s, u"mi100"_s, u"mi200"_s};
}

void TstRights::setLimits()
{
    QFETCH(QString, typed);
    QFETCH(bool, startVisible);
    QFETCH(QStringList, missing);
    QFETCH(QStringList, visible);

    app::CurrentOperator = typed.trimmed();
    FakeHost host(startVisible, missing);
    corva::ScriptedMessages scripted;
    operators::SetLimits(host, typed);

    std::sort(visible.begin(), visible.end());
    QCOMPARE(host.visibleNames(), visible);
    QVERIFY(scripted.log().isEmpty());
}
