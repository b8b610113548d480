#include "listsql.h"

#include "sqlquote.h"

namespace reg {

namespace {

struct SearchField
{
    QString caption;
    QString piece; // ends where the typed text goes
};

const QList<SearchField>& searchFields()
{
    // Codes, model designations and places are matched from their start, the rest anywhere.
    static const QList<SearchField> fields{
        {QStringLiteral("设备编号"), QStringLiteral("and isNull(f_code,'') like '")},
        {QStringLiteral("设备名称"), QStringLiteral("and isNull(f_name,'') like '%")},
        {QStringLiteral("设备规格"), QStringLiteral("and isNull(F_spec,'') like '")},
        {QStringLiteral("主机编号"), QStringLiteral("and isNull(F_JScode,'') like '%")},
        {QStringLiteral("制造厂家"), QStringLiteral("and isNull(F_factory,'') like '%")},
        {QStringLiteral("安装地点"), QStringLiteral("and isNull(F_address,'') like '")},
        {QStringLiteral("验收使用情况"), QStringLiteral("and isNull(F_memo1,'') like '%")},
        {QStringLiteral("备注信息"), QStringLiteral("and isNull(F_memo2,'') like '%")},
    };
    return fields;
}

QString listTypePiece(int listType)
{
    switch (listType) {
    case 0: return QStringLiteral("and isNull(F_useStatus,'') = '");
    case 1: return QStringLiteral("and isNull(F_useEmp,'') = '");
    // The three blanks are the statement's own; kept so the text stays what it always was.
    case 2: return QStringLiteral("and isNull(F_operEmp,'')   = '");
    default: return QString();
    }
}

} // namespace

const QStringList& searchFieldCaptions()
{
    static const QStringList captions = [] {
        QStringList list;
        for (const SearchField& field : searchFields())
            list.append(field.caption);
        return list;
    }();
    return captions;
}

QString buildListSql(const EquipmentFilter& filter)
{
    QString sql = QStringLiteral("select * from Sets where (1=1) ");
    if (filter.searchField >= 0 && filter.searchField < searchFields().size()) {
        sql += searchFields().at(filter.searchField).piece + db::sqlValue(filter.searchText.trimmed())
               + QStringLiteral("%' ");
    }
    if (!filter.categoryPath.isEmpty()) {
        sql += QStringLiteral("and isNull(f_type,'') like '") + db::sqlValue(filter.categoryPath)
               + QStringLiteral("%' ");
    }
    if (!filter.departmentPath.isEmpty()) {
        sql += QStringLiteral("and isNull(f_useDept,'') like '")
               + db::sqlValue(filter.departmentPath) + QStringLiteral("%' ");
    }
    if (!filter.includeDisabled)
        sql += QStringLiteral("and isNull(F_useFlag,0) = 0 ");
    const QString piece = listTypePiece(filter.listType);
    if (!filter.listAll && !piece.isEmpty())
        sql += piece + db::sqlValue(filter.listValue) + QStringLiteral("' ");
    return sql;
}

QString listPageSql(int kind)
{
    static const QStringList types{QStringLiteral("usestatus"), QStringLiteral("useemp"),
                                   QStringLiteral("operemp")};
    if (kind < 1 || kind > 3)
        return QString();
    return QStringLiteral("select distinct F_name from t_code where (F_name <> '') and F_type = '")
           + types.at(kind - 1) + QStringLiteral("' ");
}

QString listPageTitle(int kind)
{
    switch (kind) {
    case 1: return QStringLiteral("设备状态");
    case 2: return QStringLiteral("使用人员");
    case 3: return QStringLiteral("制单人员");
    default: return QString();
    }
}

QString equipmentCountText(int count)
{
    return QStringLiteral("设备总数： ") + QString::number(count) + QStringLiteral(" 件 ");
}

} // namespace reg
