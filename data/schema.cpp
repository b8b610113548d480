#include "schema.h"

#include "connection.h"
#include "corva.h"
#include "dataset.h"
#include "dberror.h"
#include "gridseed.h"

namespace data {

using namespace Qt::StringLiterals;
using db::ColumnDef;
using db::ColumnType;
using db::IndexDef;
using db::TableDef;

namespace {

ColumnDef column(const QString& name, ColumnType type, int width = 0)
{
    return {name, type, width, false, QString()};
}

ColumnDef key()
{
    return column(u"F_ID"_s, ColumnType::Identity);
}

ColumnDef text(const QString& name, int width)
{
    return column(name, ColumnType::Text, width);
}

ColumnDef memo(const QString& name)
{
    return column(name, ColumnType::LongText);
}

ColumnDef integer(const QString& name)
{
    return column(name, ColumnType::Integer);
}

ColumnDef number(const QString& name)
{
    return column(name, ColumnType::Float);
}

ColumnDef flag(const QString& name)
{
    return column(name, ColumnType::Bit);
}

ColumnDef date(const QString& name)
{
    return column(name, ColumnType::DateTime);
}

IndexDef index(const QString& table, const QStringList& columns)
{
    // Index names are global to a database on SQLite and PostgreSQL, so they carry the table's.
    return {u"ix_"_s + table + u'_' + columns.join(u'_'), columns};
}

TableDef equipmentTable()
{
    TableDef t{u"SETs"_s,
               {key(),
                text(u"F_code"_s, 50),
                text(u"F_name"_s, 100),
                text(u"F_type"_s, 255),
                text(u"F_spec"_s, 50),
                text(u"F_jscode"_s, 50),
                text(u"F_factory"_s, 255),
                date(u"F_buildDate"_s),
                text(u"F_buildCode"_s, 50),
                date(u"F_buyDate"_s),
                number(u"F_OriginValue"_s),
                date(u"F_beginDate"_s),
                text(u"F_Address"_s, 255),
                text(u"F_useDept"_s, 50),
                text(u"F_useStatus"_s, 50),
                number(u"F_amount"_s),
                text(u"F_unit"_s, 50),
                number(u"F_price"_s),
                number(u"F_totalprice"_s),
                memo(u"F_memo1"_s),
                text(u"F_useEmp"_s, 50),
                memo(u"F_memo2"_s),
                flag(u"F_useFlag"_s),
                text(u"F_OperEmp"_s, 50),
                date(u"F_editDate"_s),
                {u"F_cltID"_s, ColumnType::Integer, 0, true, u"0"_s}},
               {}};
    for (int i = 1; i <= 5; ++i)
        t.columns.append(text(u"F_ZF%1"_s.arg(i), 50));
    for (int i = 1; i <= 5; ++i)
        t.columns.append(number(u"F_SZ%1"_s.arg(i)));
    // The list filters by category and department path prefixes and finds records by code.
    t.indexes = {index(t.name, {u"F_code"_s}), index(t.name, {u"F_type"_s}),
                 index(t.name, {u"F_useDept"_s}), index(t.name, {u"F_cltID"_s})};
    return t;
}

QList<TableDef> buildTables()
{
    QList<TableDef> tables{equipmentTable()};

    tables.append({u"t_setREC"_s,
                   {key(), integer(u"F_mainID"_s), text(u"F_code"_s, 50), text(u"F_name"_s, 255),
                    text(u"F_spec"_s, 255), text(u"F_address"_s, 255), text(u"F_unit"_s, 50),
                    number(u"F_amount"_s), number(u"F_price"_s), number(u"F_totalprice"_s),
                    memo(u"F_memo1"_s)},
                   {index(u"t_setREC"_s, {u"F_mainID"_s})}});

    tables.append({u"t_imageREC"_s,
                   {key(), integer(u"F_mainID"_s), text(u"F_FileName"_s, 50),
                    text(u"F_imagePath"_s, 255), text(u"F_FileExt"_s, 50),
                    column(u"F_SETimage"_s, ColumnType::Blob)},
                   {index(u"t_imageREC"_s, {u"F_mainID"_s})}});

    tables.append({u"t_fileREC"_s,
                   {key(), integer(u"F_mainID"_s), date(u"F_FileDate"_s),
                    text(u"F_FileType"_s, 50), text(u"F_FileName"_s, 255),
                    text(u"F_empName"_s, 50), text(u"F_address"_s, 255), memo(u"F_memo1"_s),
                    memo(u"F_memo2"_s)},
                   {index(u"t_fileREC"_s, {u"F_mainID"_s})}});

    tables.append({u"t_wxREC"_s,
                   {key(), integer(u"F_mainID"_s), text(u"F_SETcode"_s, 50),
                    text(u"F_SETname"_s, 50), date(u"F_WXdate"_s), text(u"F_WXtype"_s, 50),
                    text(u"F_WXfactory"_s, 255), memo(u"F_memo1"_s), date(u"F_XFdate"_s),
                    memo(u"F_memo2"_s), number(u"F_WXprice"_s), text(u"F_STemp"_s, 50),
                    text(u"F_PZemp"_s, 50), memo(u"F_memo3"_s), text(u"F_WXstatus"_s, 50)},
                   {index(u"t_wxREC"_s, {u"F_SETcode"_s})}});

    tables.append({u"t_dbREC"_s,
                   {key(), integer(u"F_mainID"_s), text(u"F_SETcode"_s, 50),
                    text(u"F_SETname"_s, 255), date(u"F_DBdate"_s), text(u"F_DBreason"_s, 255),
                    memo(u"F_memo1"_s), text(u"F_OldDept"_s, 50), text(u"F_OldAddress"_s, 255),
                    text(u"F_OldEmp"_s, 50), text(u"F_NewDept"_s, 50),
                    text(u"F_NewAddress"_s, 255), text(u"F_NewEmp"_s, 50),
                    text(u"F_PZemp"_s, 50), memo(u"F_memo2"_s)},
                   {index(u"t_dbREC"_s, {u"F_SETcode"_s})}});

    tables.append({u"t_ysREC"_s,
                   {key(), integer(u"F_mainID"_s), text(u"F_SETcode"_s, 50),
                    text(u"F_SETname"_s, 255), date(u"F_YSdate"_s), text(u"F_OldStatus"_s, 50),
                    text(u"F_NewStatus"_s, 50), text(u"F_YSemp"_s, 50), memo(u"F_memo1"_s)},
                   {index(u"t_ysREC"_s, {u"F_SETcode"_s})}});

    // Code-list entries and tree names end up in nvarchar(50) columns of the other tables;
    // 20 levels of three digits make the longest tree code.
    tables.append({u"t_code"_s,
                   {key(), text(u"F_type"_s, 50), text(u"F_name"_s, 50)},
                   {index(u"t_code"_s, {u"F_type"_s})}});

    tables.append({u"t_treecode"_s,
                   {key(), text(u"F_code"_s, 60), text(u"F_name"_s, 50),
                    text(u"F_likecode"_s, 255), text(u"F_flag"_s, 20)},
                   {index(u"t_treecode"_s, {u"F_flag"_s, u"F_code"_s})}});

    tables.append({u"cfg_Grid"_s,
                   {key(), text(u"F_name"_s, 50), text(u"F_fieldname"_s, 50),
                    text(u"F_caption"_s, 100), integer(u"F_width"_s), flag(u"F_visible"_s),
                    flag(u"F_readonly"_s), integer(u"F_order"_s), integer(u"F_Alignment"_s),
                    text(u"F_displayFormat"_s, 50), text(u"F_footerValue"_s, 100),
                    integer(u"F_footerType"_s)},
                   {index(u"cfg_Grid"_s, {u"F_name"_s})}});

    tables.append({u"cfg_import"_s,
                   {key(), text(u"F_tablename"_s, 50), flag(u"F_iFlag"_s),
                    text(u"S_Field"_s, 50), text(u"F_FieldName"_s, 100),
                    text(u"F_Field"_s, 100)},
                   {}});

    tables.append({u"OperList"_s,
                   {key(), text(u"F_Name"_s, 50), text(u"F_PassWord"_s, 255), memo(u"F_Mem"_s),
                    flag(u"F_Flag"_s), flag(u"F_xtFlag"_s)},
                   {}});

    tables.append({u"OperLimit"_s,
                   {key(), text(u"F_OperName"_s, 50), text(u"F_lmtName"_s, 100)},
                   {index(u"OperLimit"_s, {u"F_OperName"_s})}});

    tables.append({u"Limits"_s,
                   {key(), text(u"F_code"_s, 10), text(u"F_name"_s, 100), flag(u"F_flag"_s)},
                   {}});

    tables.append({u"LogRec"_s,
                   {key(), text(u"F_EmpName"_s, 50), text(u"F_OperType"_s, 100),
                    text(u"F_OperDate"_s, 10), text(u"F_OperTime"_s, 8)},
                   {}});

    tables.append({u"SysInfo"_s,
                   {key(), text(u"F_Code"_s, 50), text(u"F_Name"_s, 10), text(u"F_BakPath"_s, 255),
                    text(u"F_Manager"_s, 50), text(u"F_Phone"_s, 50), text(u"F_HandPhone"_s, 50),
                    text(u"F_Email"_s, 255), text(u"F_Homepage"_s, 255),
                    text(u"F_Enroler"_s, 50), text(u"F_Mem"_s, 255)},
                   {}});
    return tables;
}

/// Runs `work` in a transaction of its own, rolled back when it throws.
template <typename Work>
void inTransaction(db::Connection& connection, Work work)
{
    connection.begin();
    try {
        work();
        connection.commit();
    } catch (...) {
        connection.rollback();
        throw;
    }
}

qint64 countOf(db::Connection& connection, const QString& sql)
{
    db::Dataset query(&connection);
    query.setSql(sql);
    query.open();
    return query.isEmpty() ? 0 : query.field(0).asInteger();
}

} // namespace

const QList<TableDef>& registerTables()
{
    static const QList<TableDef> tables = buildTables();
    return tables;
}

const TableDef* findTable(const QString& name)
{
    for (const TableDef& t : registerTables()) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

const QList<ImportColumn>& importColumns()
{
    static const QList<ImportColumn> columns{
        {u"F_code"_s, u"设备编号"_s},      {u"F_name"_s, u"设备名称"_s},
        {u"F_type"_s, u"设备类型"_s},      {u"F_spec"_s, u"规格"_s},
        {u"F_jscode"_s, u"主机编号"_s},    {u"F_factory"_s, u"制造厂家"_s},
        {u"F_buildDate"_s, u"出厂日期"_s}, {u"F_buildCode"_s, u"出厂编号"_s},
        {u"F_buyDate"_s, u"购置日期"_s},   {u"F_OriginValue"_s, u"设备原值"_s},
        {u"F_beginDate"_s, u"启用日期"_s}, {u"F_Address"_s, u"安装地点"_s},
        {u"F_useDept"_s, u"使用部门"_s},   {u"F_useStatus"_s, u"设备状态"_s},
        {u"F_amount"_s, u"数量"_s},        {u"F_unit"_s, u"单位"_s},
        {u"F_price"_s, u"单价"_s},         {u"F_totalprice"_s, u"金额"_s},
        {u"F_memo1"_s, u"验收使用情况"_s}, {u"F_useEmp"_s, u"使用人"_s},
        {u"F_memo2"_s, u"备注信息"_s},     {u"F_OperEmp"_s, u"制单人员"_s},
        {u"F_SZ1"_s, u"其他费用"_s},
    };
    return columns;
}

const QList<RightEntry>& rightCatalogue()
{
    static const QList<RightEntry> rights{
        {u"101"_s, u"公司信息"_s},         {u"102"_s, u"更改密码"_s},
        {u"103"_s, u"用户权限"_s},         {u"104"_s, u"选项..."_s},
        {u"105"_s, u"设备类型"_s},         {u"106"_s, u"部门机构"_s},
        {u"201"_s, u"新增"_s},             {u"202"_s, u"修改"_s},
        {u"203"_s, u"删除"_s},             {u"204"_s, u"排序..."_s},
        {u"205"_s, u"显示字段选择"_s},     {u"206"_s, u"保存当前网格"_s},
        {u"207"_s, u"复制"_s},             {u"208"_s, u"设备维修"_s},
        {u"209"_s, u"设备调拨"_s},         {u"210"_s, u"设备验收"_s},
        {u"301"_s, u"导出"_s},             {u"302"_s, u"报表设计"_s},
        {u"303"_s, u"设备档案列表"_s},     {u"304"_s, u"设备标签"_s},
        {u"305"_s, u"设备部门统计表"_s},   {u"306"_s, u"设备分类统计表"_s},
        {u"307"_s, u"资产设备档案卡"_s},   {u"308"_s, u"设备维修单"_s},
        {u"309"_s, u"设备调拨单"_s},       {u"310"_s, u"设备验收单"_s},
        {u"311"_s, u"设备入库单"_s},       {u"401"_s, u"统计"_s},
        {u"402"_s, u"设备维修记录统计"_s}, {u"403"_s, u"设备调拨记录统计"_s},
        {u"404"_s, u"设备验收记录统计"_s}, {u"501"_s, u"导入合同资料"_s},
        {u"502"_s, u"系统数据清理"_s},     {u"503"_s, u"数据备份恢复"_s},
        {u"504"_s, u"压缩修复数据库"_s},   {u"505"_s, u"连接网络数据库"_s},
    };
    return rights;
}

void createSchema(db::Connection& connection)
{
    if (connection.backend() == db::Backend::Postgres)
        connection.exec(u"create extension if not exists citext"_s);
    inTransaction(connection, [&] {
        for (const TableDef& table : registerTables()) {
            for (const QString& statement : connection.dialect().createTableSql(table))
                connection.exec(statement);
        }
    });
}

void seedSchema(db::Connection& connection)
{
    inTransaction(connection, [&] {
        db::Params p;
        p.set(u"name"_s, u"admin"_s);
        p.set(u"password"_s, corva::SavePass(QString()));
        p.set(u"mem"_s, u"系统管理员"_s);
        connection.exec(u"insert into OperList(F_Name,F_PassWord,F_Mem,F_Flag,F_xtFlag) "
                        "values(:name,:password,:mem,0,0)"_s,
                        p);

        // The one organisation row; every update of it has no condition, so there must be one.
        connection.exec(u"insert into SysInfo(F_Code,F_Name,F_BakPath,F_Manager,F_Phone,"
                        "F_HandPhone,F_Email,F_Homepage,F_Enroler,F_Mem) "
                        "values('','','','','','','','','','')"_s);

        for (const RightEntry& right : rightCatalogue()) {
            p.clear();
            p.set(u"code"_s, right.code);
            p.set(u"name"_s, right.name);
            connection.exec(
                u"insert into Limits(F_code,F_name,F_flag) values(:code,:name,1)"_s, p);
        }

        for (const ImportColumn& column : importColumns()) {
            p.clear();
            p.set(u"field"_s, column.field);
            p.set(u"title"_s, column.title);
            connection.exec(u"insert into cfg_import(F_tablename,F_iFlag,S_Field,F_FieldName,"
                            "F_Field) values('sets',1,:field,:title,:title)"_s,
                            p);
        }

        seedGridLayouts(connection);
    });
}

bool hasRegisterTables(db::Connection& connection)
{
    QStringList quoted;
    for (const TableDef& table : registerTables()) {
        // PostgreSQL folds unquoted names to lower case, so that is how it lists them.
        const QString name = connection.backend() == db::Backend::Postgres ? table.name.toLower()
                                                                            : table.name;
        quoted.append(connection.backend() == db::Backend::SqlServer
                          ? u"object_id('"_s + name + u"')"_s
                          : u"'"_s + name + u"'"_s);
    }
    const QString list = quoted.join(u',');
    switch (connection.backend()) {
    case db::Backend::Sqlite:
        return countOf(connection, u"select count(*) from sqlite_master where type = 'table' "
                                   "and name collate nocase in ("_s + list + u')') > 0;
    case db::Backend::Postgres:
        return countOf(connection, u"select count(*) from information_schema.tables "
                                   "where table_schema = current_schema() and table_name in ("_s
                                       + list + u')') > 0;
    case db::Backend::SqlServer:
        return countOf(connection,
                       u"select count(*) from sys.objects where object_id in ("_s + list + u')')
               > 0;
    }
    return false;
}

void dropSchema(db::Connection& connection)
{
    inTransaction(connection, [&] {
        for (const TableDef& table : registerTables())
            connection.exec(connection.dialect().dropTableSql(table.name));
    });
}

} // namespace data
