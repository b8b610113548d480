#include "tst_listsql.h"

#include "listsql.h"

#include <QTest>

using namespace Qt::StringLiterals;
using reg::EquipmentFilter;

Q_DECLARE_METATYPE(EquipmentFilter)

namespace {

EquipmentFilter filter(int field, const QString& text)
{
    EquipmentFilter f;
    f.searchField = field;
    f.searchText = text;
    return f;
}

} // namespace

void TstListSql::statement_data()
{
    QTest::addColumn<EquipmentFilter>("filter");
    QTest::addColumn<QString>("sql");

    const QString start = u"select * from Sets where (1=1) "_s;
    const QString enabledOnly = u"and isNull(F_useFlag,0) = 0 "_s;

    QTest::newRow("nothing chosen") << EquipmentFilter{} << start + enabledOnly;
    QTest::newRow("text without a field filters nothing") << filter(-1, u"abc"_s)
                                                          << start + enabledOnly;

    const QStringList pieces{
        u"and isNull(f_code,'') like '"_s,      u"and isNull(f_name,'') like '%"_s,
        u"and isNull(F_spec,'') like '"_s,      u"and isNull(F_JScode,'') like '%"_s,
        u"and isNull(F_factory,'') like '%"_s,  u"and isNull(F_address,'') like '"_s,
        u"and isNull(F_memo1,'') like '%"_s,    u"and isNull(F_memo2,'') like '%"_s};
    for (int i = 0; i < pieces.size(); ++i) {
        QTest::addRow("field %d, text trimmed", i)
            << filter(i, u"  泵 A "_s) << start + pieces[i] + u"泵 A%' "_s + enabledOnly;
    }
    QTest::newRow("field with empty text still narrows by pattern")
        << filter(1, QString()) << start + u"and isNull(f_name,'') like '%%' "_s + enabledOnly;
    QTest::newRow("quote doubled, % and _ kept")
        << filter(0, u"O'B%_1"_s) << start + u"and isNull(f_code,'') like 'O''B%_1%' "_s + enabledOnly;

    EquipmentFilter all = filter(1, u"泵"_s);
    all.categoryPath = u"\\\\机械\\泵类"_s;
    all.departmentPath = u"\\\\一车间"_s;
    all.includeDisabled = true;
    all.listType = 2;
    all.listAll = false;
    all.listValue = u"李四"_s;
    QTest::newRow("every filter, in order")
        << all
        << start + u"and isNull(f_name,'') like '%泵%' "_s
               + u"and isNull(f_type,'') like '\\\\机械\\泵类%' "_s
               + u"and isNull(f_useDept,'') like '\\\\一车间%' "_s
               + u"and isNull(F_operEmp,'')   = '李四' "_s;

    EquipmentFilter dept = filter(1, u"x"_s);
    dept.departmentPath = u"\\\\O'Neil"_s;
    QTest::newRow("example: name, root category, department node, on 全部")
        << dept
        << start + u"and isNull(f_name,'') like '%x%' "_s
               + u"and isNull(f_useDept,'') like '\\\\O''Neil%' "_s + enabledOnly;

    const QStringList listPieces{u"and isNull(F_useStatus,'') = '"_s,
                                 u"and isNull(F_useEmp,'') = '"_s,
                                 u"and isNull(F_operEmp,'')   = '"_s};
    for (int type = 0; type < 3; ++type) {
        EquipmentFilter list;
        list.listType = type;
        list.listAll = false;
        list.listValue = u"在用"_s;
        QTest::addRow("list type %d", type) << list << start + enabledOnly + listPieces[type]
                                                           + u"在用' "_s;
        list.listAll = true;
        QTest::addRow("list type %d on 全部", type) << list << start + enabledOnly;
    }
    EquipmentFilter noType;
    noType.listAll = false;
    noType.listValue = u"在用"_s;
    QTest::newRow("list row without a list type") << noType << start + enabledOnly;
}

void TstListSql::statement()
{
    QFETCH(EquipmentFilter, filter);
    QFETCH(QString, sql);
    QCOMPARE(reg::buildListSql(filter), sql);
    // The ordering clause follows after two blanks.
    QVERIFY((reg::buildListSql(filter) + reg::listOrderClause()).endsWith(u"  order by F_code"_s));
}

void TstListSql::listPage()
{
    QCOMPARE(reg::listPageSql(1),
             u"select distinct F_name from t_code where (F_name <> '') and F_type = 'usestatus' "_s);
    QCOMPARE(reg::listPageSql(2),
             u"select distinct F_name from t_code where (F_name <> '') and F_type = 'useemp' "_s);
    QCOMPARE(reg::listPageSql(3),
             u"select distinct F_name from t_code where (F_name <> '') and F_type = 'operemp' "_s);
    QVERIFY(reg::listPageSql(0).isEmpty());
    QCOMPARE(reg::equipmentCountText(92134), u"设备总数： 92134 件 "_s);
}
