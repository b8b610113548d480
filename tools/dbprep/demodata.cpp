#include "demodata.h"

#include "connection.h"
#include "dataset.h"

#include <QBuffer>
#include <QColor>
#include <QDate>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <random>

namespace dbprep {

using namespace Qt::StringLiterals;

namespace {

// The sample register is as of this day: every date lies before it, whatever day it is built.
const QDate AsOf(2024, 6, 30);
const QDate EmptyDate(1900, 8, 14);
const QChar Zero(u'0');

struct OutlineEntry
{
    int depth;
    QString name;
};

// Pre-order outlines of the two trees; codes and paths are derived from the position.
const QList<OutlineEntry>& categoryOutline()
{
    static const QList<OutlineEntry> outline{
        {1, u"生产设备"_s},     {2, u"数控机床"_s},     {3, u"立式加工中心"_s},
        {3, u"数控车床"_s},     {3, u"数控磨床"_s},     {2, u"通用机床"_s},
        {3, u"普通车床"_s},     {3, u"摇臂钻床"_s},     {2, u"起重设备"_s},
        {3, u"桥式起重机"_s},   {3, u"电动葫芦"_s},     {1, u"动力设备"_s},
        {2, u"空压机"_s},       {2, u"变压器"_s},       {2, u"锅炉"_s},
        {1, u"检测仪器"_s},     {2, u"理化分析"_s},     {3, u"光谱仪"_s},
        {3, u"硬度计"_s},       {2, u"计量器具"_s},     {3, u"三坐标测量机"_s},
        {1, u"办公设备"_s},     {2, u"计算机"_s},       {3, u"台式电脑"_s},
        {3, u"笔记本电脑"_s},   {2, u"打印复印"_s},     {1, u"运输车辆"_s},
        {2, u"叉车"_s},         {2, u"货车"_s},
    };
    return outline;
}

const QList<OutlineEntry>& departmentOutline()
{
    static const QList<OutlineEntry> outline{
        {1, u"总经理办公室"_s}, {1, u"生产部"_s},       {2, u"机加工车间"_s},
        {3, u"数控班组"_s},     {3, u"普通机加班组"_s}, {2, u"装配车间"_s},
        {2, u"热处理车间"_s},   {1, u"设备动力部"_s},   {2, u"维修班"_s},
        {2, u"动力站"_s},       {1, u"质量部"_s},       {2, u"理化实验室"_s},
        {2, u"计量室"_s},       {1, u"技术中心"_s},     {1, u"财务部"_s},
        {1, u"仓储物流部"_s},
    };
    return outline;
}

/// What a leaf category holds: names, models, makers, unit, price range, and the first-level
/// department whose units use it (empty: any department).
struct EquipmentKind
{
    QString category;
    QStringList names;
    QStringList specs;
    QStringList makers;
    QString unit;
    int minPrice;
    int maxPrice;
    QString department;
    double weight;
};

const QList<EquipmentKind>& equipmentKinds()
{
    static const QList<EquipmentKind> kinds{
        {u"立式加工中心"_s, {u"立式加工中心"_s}, {u"VMC850"_s, u"VMC1060"_s, u"VMC1270"_s},
         {u"沈阳机床股份有限公司"_s, u"大连机床集团有限责任公司"_s}, u"台"_s, 280000, 650000,
         u"生产部"_s, 6},
        {u"数控车床"_s, {u"数控车床"_s, u"数控卧式车床"_s}, {u"CK6140"_s, u"CK6150"_s, u"CAK6163"_s},
         {u"沈阳机床股份有限公司"_s, u"宝鸡机床集团有限公司"_s}, u"台"_s, 90000, 260000,
         u"生产部"_s, 8},
        {u"数控磨床"_s, {u"数控外圆磨床"_s, u"数控平面磨床"_s}, {u"MK1320"_s, u"MK7150"_s},
         {u"上海机床厂有限公司"_s, u"杭州机床集团有限公司"_s}, u"台"_s, 150000, 420000,
         u"生产部"_s, 4},
        {u"普通车床"_s, {u"普通车床"_s}, {u"CA6140"_s, u"C6132"_s, u"CW6163"_s},
         {u"大连机床集团有限责任公司"_s, u"沈阳机床股份有限公司"_s}, u"台"_s, 35000, 80000,
         u"生产部"_s, 7},
        {u"摇臂钻床"_s, {u"摇臂钻床"_s}, {u"Z3040"_s, u"Z3050"_s}, {u"中捷机床有限公司"_s},
         u"台"_s, 25000, 60000, u"生产部"_s, 4},
        {u"桥式起重机"_s, {u"桥式起重机"_s, u"电动单梁起重机"_s}, {u"QD10t-22.5m"_s, u"LD5t-16.5m"_s},
         {u"河南卫华重型机械股份有限公司"_s, u"太原重工股份有限公司"_s}, u"台"_s, 120000, 300000,
         u"生产部"_s, 3},
        {u"电动葫芦"_s, {u"电动葫芦"_s}, {u"CD1 2t"_s, u"MD1 5t"_s},
         {u"河南卫华重型机械股份有限公司"_s}, u"台"_s, 5000, 15000, u"生产部"_s, 4},
        {u"空压机"_s, {u"螺杆式空压机"_s}, {u"GA37"_s, u"GA75"_s, u"LU55"_s},
         {u"阿特拉斯·科普柯(无锡)压缩机有限公司"_s, u"上海复盛实业有限公司"_s}, u"台"_s, 60000,
         180000, u"设备动力部"_s, 3},
        {u"变压器"_s, {u"干式变压器"_s}, {u"SCB11-800kVA"_s, u"SCB11-1250kVA"_s},
         {u"特变电工股份有限公司"_s, u"中国西电电气股份有限公司"_s}, u"台"_s, 150000, 300000,
         u"设备动力部"_s, 2},
        {u"锅炉"_s, {u"燃气蒸汽锅炉"_s}, {u"WNS2-1.25-Q"_s, u"WNS4-1.25-Q"_s},
         {u"江苏双良锅炉有限公司"_s}, u"台"_s, 200000, 500000, u"设备动力部"_s, 1},
        {u"光谱仪"_s, {u"直读光谱仪"_s}, {u"PDA-7000"_s, u"OES-8000"_s},
         {u"岛津企业管理(中国)有限公司"_s, u"钢研纳克检测技术股份有限公司"_s}, u"台"_s, 400000,
         900000, u"质量部"_s, 1},
        {u"硬度计"_s, {u"洛氏硬度计"_s, u"布氏硬度计"_s}, {u"HR-150A"_s, u"HB-3000"_s},
         {u"莱州华银试验仪器有限公司"_s}, u"台"_s, 5000, 30000, u"质量部"_s, 3},
        {u"三坐标测量机"_s, {u"三坐标测量机"_s}, {u"Global 07.10.07"_s, u"Micro-Hite 3D"_s},
         {u"海克斯康测量技术(青岛)有限公司"_s}, u"台"_s, 500000, 1200000, u"质量部"_s, 1},
        {u"台式电脑"_s, {u"台式电脑"_s}, {u"启天M428"_s, u"ThinkCentre M720"_s, u"OptiPlex 3080"_s},
         {u"联想(北京)有限公司"_s, u"戴尔(中国)有限公司"_s}, u"台"_s, 4000, 8000, QString(), 12},
        {u"笔记本电脑"_s, {u"笔记本电脑"_s}, {u"ThinkPad E14"_s, u"ProBook 440"_s},
         {u"联想(北京)有限公司"_s, u"惠普贸易(上海)有限公司"_s}, u"台"_s, 5000, 9000, QString(), 8},
        {u"打印复印"_s, {u"激光打印机"_s, u"数码复印机"_s}, {u"LaserJet M403d"_s, u"MX-M3158N"_s},
         {u"惠普贸易(上海)有限公司"_s, u"夏普商贸(中国)有限公司"_s}, u"台"_s, 2000, 30000,
         QString(), 6},
        {u"叉车"_s, {u"电动叉车"_s, u"内燃叉车"_s}, {u"CPD20"_s, u"CPCD30"_s},
         {u"杭叉集团股份有限公司"_s, u"安徽合力股份有限公司"_s}, u"辆"_s, 80000, 150000,
         u"仓储物流部"_s, 3},
        {u"货车"_s, {u"轻型厢式货车"_s, u"重型载货汽车"_s}, {u"HOWO T5G"_s, u"解放J6F"_s},
         {u"中国重型汽车集团有限公司"_s, u"一汽解放汽车有限公司"_s}, u"辆"_s, 120000, 400000,
         u"仓储物流部"_s, 2},
    };
    return kinds;
}

struct AccessoryKind
{
    QString name;
    QString spec;
    QString unit;
    int minPrice;
    int maxPrice;
};

// Accessories by first-level category.
const QHash<QString, QList<AccessoryKind>>& accessoryKinds()
{
    static const QHash<QString, QList<AccessoryKind>> kinds{
        {u"生产设备"_s,
         {{u"刀库"_s, u"BT40 24把"_s, u"套"_s, 20000, 60000},
          {u"刀柄"_s, u"BT40-ER32"_s, u"个"_s, 300, 1200},
          {u"专用夹具"_s, u"液压虎钳"_s, u"套"_s, 2000, 9000},
          {u"冷却水泵"_s, u"AB-25 90W"_s, u"台"_s, 300, 900},
          {u"排屑机"_s, u"链板式"_s, u"台"_s, 5000, 15000}}},
        {u"动力设备"_s,
         {{u"精密过滤器"_s, u"C-025"_s, u"个"_s, 800, 3000},
          {u"压力表"_s, u"Y-100 0-1.6MPa"_s, u"只"_s, 80, 300},
          {u"安全阀"_s, u"A28H-16"_s, u"只"_s, 500, 1500}}},
        {u"检测仪器"_s,
         {{u"标准硬度块"_s, u"HRC 60"_s, u"块"_s, 300, 900},
          {u"测头"_s, u"TP20"_s, u"个"_s, 8000, 20000},
          {u"校准砝码"_s, u"F1级 1kg"_s, u"套"_s, 500, 2500}}},
        {u"办公设备"_s,
         {{u"显示器"_s, u"23.8英寸"_s, u"台"_s, 700, 1500},
          {u"键盘鼠标"_s, u"有线套装"_s, u"套"_s, 60, 200},
          {u"硒鼓"_s, u"CF228A"_s, u"个"_s, 300, 700}}},
        {u"运输车辆"_s,
         {{u"备用轮胎"_s, u"6.50-10"_s, u"条"_s, 600, 2500},
          {u"蓄电池"_s, u"48V 400Ah"_s, u"组"_s, 8000, 20000},
          {u"随车工具"_s, u"标准套装"_s, u"套"_s, 200, 600}}},
    };
    return kinds;
}

const QList<std::pair<QString, QStringList>>& codeLists()
{
    static const QList<std::pair<QString, QStringList>> lists{
        {u"usedept"_s,
         {u"总经理办公室"_s, u"生产部"_s, u"设备动力部"_s, u"质量部"_s, u"技术中心"_s,
          u"财务部"_s, u"仓储物流部"_s}},
        {u"usestatus"_s, {u"在用"_s, u"闲置"_s, u"维修中"_s, u"报废"_s, u"借出"_s}},
        {u"useemp"_s,
         {u"张伟"_s, u"王芳"_s, u"李娜"_s, u"刘洋"_s, u"陈静"_s, u"杨磊"_s, u"赵强"_s, u"黄敏"_s,
          u"周杰"_s, u"吴霞"_s, u"徐刚"_s, u"孙丽"_s}},
        {u"operemp"_s, {u"马晓东"_s, u"朱红梅"_s, u"胡建国"_s}},
        {u"unit"_s, {u"台"_s, u"套"_s, u"件"_s, u"个"_s, u"只"_s, u"辆"_s, u"块"_s, u"条"_s, u"组"_s}},
        {u"filetype"_s,
         {u"使用说明书"_s, u"合格证"_s, u"保修卡"_s, u"验收报告"_s, u"图纸"_s, u"采购合同"_s}},
        {u"wxtype"_s, {u"日常保养"_s, u"故障维修"_s, u"定期检修"_s, u"大修"_s, u"更换配件"_s}},
        {u"wxfactory"_s,
         {u"本厂维修班"_s, u"沈阳机床售后服务部"_s, u"上海电气维修中心"_s,
          u"北京精仪校准有限公司"_s, u"广州特种设备检修有限公司"_s}},
        {u"stemp"_s, {u"张伟"_s, u"刘洋"_s, u"赵强"_s, u"周杰"_s}},
        {u"pzemp"_s, {u"李建华"_s, u"王志刚"_s, u"陈国平"_s}},
        {u"ysstatus"_s, {u"待验收"_s, u"验收合格"_s, u"验收不合格"_s, u"限期整改"_s}},
        {u"empname"_s, {u"马晓东"_s, u"朱红梅"_s, u"胡建国"_s, u"李建华"_s}},
    };
    return lists;
}

const QStringList& codeList(const QString& type)
{
    for (const auto& [listType, names] : codeLists()) {
        if (listType == type)
            return names;
    }
    static const QStringList none;
    return none;
}

// Installation places by first-level department.
QStringList placesOf(const QString& department)
{
    static const QHash<QString, QStringList> places{
        {u"生产部"_s, {u"一号厂房A区"_s, u"一号厂房B区"_s, u"二号厂房"_s, u"热处理车间东跨"_s}},
        {u"设备动力部"_s, {u"动力站"_s, u"配电房"_s, u"锅炉房"_s, u"维修间"_s}},
        {u"质量部"_s, {u"质检楼一层"_s, u"理化实验室"_s, u"计量室"_s}},
        {u"仓储物流部"_s, {u"成品仓库"_s, u"原料仓库"_s, u"物流站台"_s}},
    };
    return places.value(department, {u"综合楼201室"_s, u"综合楼305室"_s, u"综合楼412室"_s,
                                     u"研发楼三层"_s});
}

struct TreeNode
{
    QString code;
    QString name;
    QString path;
    QString top; // name of its first-level ancestor (itself on level 1)
    bool leaf = true;
};

QList<TreeNode> buildTree(const QList<OutlineEntry>& outline)
{
    QList<TreeNode> nodes;
    QList<qsizetype> parents; // positions of the ancestors of the next node, by level
    QList<int> childCount{0}; // children numbered so far under each open level
    for (qsizetype i = 0; i < outline.size(); ++i) {
        const OutlineEntry& e = outline[i];
        parents.resize(e.depth - 1);
        childCount.resize(e.depth);
        const int number = ++childCount[e.depth - 1];
        childCount.append(0);
        TreeNode node;
        const TreeNode* parent = parents.isEmpty() ? nullptr : &nodes[parents.last()];
        node.code = (parent ? parent->code : QString()) + u"%1"_s.arg(number, 3, 10, Zero);
        node.name = e.name;
        node.path = childPath(parent ? parent->path : u"\\\\"_s, e.name);
        node.top = parent ? parent->top : e.name;
        node.leaf = i + 1 == outline.size() || outline[i + 1].depth <= e.depth;
        parents.append(nodes.size());
        nodes.append(node);
    }
    return nodes;
}

/// The sample's random choices, all from one seeded generator.
class Chooser
{
public:
    explicit Chooser(std::uint32_t seed) : m_gen(seed) {}

    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_gen); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_gen) < p; }
    template <typename T>
    const T& pick(const QList<T>& list)
    {
        return list[between(0, int(list.size()) - 1)];
    }
    QDate dateBetween(QDate from, QDate to)
    {
        return from.addDays(between(0, int(std::max<qint64>(0, from.daysTo(to)))));
    }
    int weighted(const std::vector<double>& weights)
    {
        return std::discrete_distribution<int>(weights.begin(), weights.end())(m_gen);
    }
    double roundedPrice(int low, int high, int step)
    {
        return double(between(low / step, high / step) * step);
    }

private:
    std::mt19937 m_gen;
};

/// What the later rows need to know about a piece of equipment.
struct Equipment
{
    QString code;
    QString name;
    QString department;
    QString address;
    QString user;
    QString status;
    QString top; // first-level category
    QDate begin;
    QDate bought;
    int id = 0;
};

QByteArray pictureBytes(const Equipment& e, const QColor& colour)
{
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.fillRect(QRect(16, 16, 288, 208), colour);
        painter.setPen(QPen(colour.darker(160), 4));
        painter.drawRect(QRect(16, 16, 288, 208));
        // Text needs the font database, which only a GUI application has.
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            QFont font = painter.font();
            font.setPixelSize(28);
            font.setBold(true);
            painter.setFont(font);
            painter.setPen(Qt::white);
            painter.drawText(QRect(16, 40, 288, 80), Qt::AlignCenter, e.code);
            font.setPixelSize(22);
            font.setBold(false);
            painter.setFont(font);
            painter.drawText(QRect(16, 120, 288, 80), Qt::AlignCenter, e.name);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 85);
    return bytes;
}

QColor colourOf(const QString& top)
{
    static const QHash<QString, QColor> colours{
        {u"生产设备"_s, QColor(0x2e, 0x6d, 0xb4)}, {u"动力设备"_s, QColor(0xc0, 0x57, 0x2b)},
        {u"检测仪器"_s, QColor(0x3a, 0x8f, 0x5c)}, {u"办公设备"_s, QColor(0x6b, 0x5b, 0x95)},
        {u"运输车辆"_s, QColor(0x9a, 0x7b, 0x1e)},
    };
    return colours.value(top, QColor(0x55, 0x55, 0x55));
}

/// One sample fill: the chooser, the connection and the rows written so far.
class Filler
{
public:
    Filler(db::Connection& connection, std::uint32_t seed) : m_conn(connection), m_rnd(seed) {}

    void trees();
    void codes();
    void equipment(int count);
    void accessoriesAndDocuments();
    void pictures(int count);
    void repairs(int count);
    void transfers(int count);
    void acceptances(int count);

    DemoSummary summary;

private:
    void exec(const QString& sql, const db::Params& params) { m_conn.exec(sql, params); }
    const TreeNode& departmentFor(const QString& top);
    void readKeys();

    db::Connection& m_conn;
    Chooser m_rnd;
    QList<TreeNode> m_categories;
    QList<TreeNode> m_departments;
    QList<Equipment> m_equipment;
};

void Filler::trees()
{
    const QString insert = u"insert into t_treecode(F_code,F_name,F_likecode,F_flag) "
                           "values(:code,:name,:path,:flag)"_s;
    m_categories = buildTree(categoryOutline());
    m_departments = buildTree(departmentOutline());
    db::Params p;
    for (const auto& [flag, nodes] : {std::pair{u"type"_s, &m_categories},
                                      std::pair{u"depttype"_s, &m_departments}}) {
        p.set(u"flag"_s, flag);
        for (const TreeNode& node : *nodes) {
            p.set(u"code"_s, node.code);
            p.set(u"name"_s, node.name);
            p.set(u"path"_s, node.path);
            exec(insert, p);
        }
    }
    summary.categories = int(m_categories.size());
    summary.departments = int(m_departments.size());
}

void Filler::codes()
{
    db::Params p;
    for (const auto& [type, names] : codeLists()) {
        p.set(u"type"_s, type);
        for (const QString& name : names) {
            p.set(u"name"_s, name);
            exec(u"insert into t_code(F_type,F_name) values(:type,:name)"_s, p);
            ++summary.codes;
        }
    }
}

const TreeNode& Filler::departmentFor(const QString& top)
{
    QList<const TreeNode*> fitting;
    for (const TreeNode& d : m_departments) {
        if (d.leaf && (top.isEmpty() || d.top == top))
            fitting.append(&d);
    }
    return *m_rnd.pick(fitting);
}

void Filler::equipment(int count)
{
    const QString insert =
        u"insert into SETs(F_code,F_name,F_type,F_spec,F_jscode,F_factory,F_buildDate,"
        "F_buildCode,F_buyDate,F_OriginValue,F_beginDate,F_Address,F_useDept,F_useStatus,"
        "F_amount,F_unit,F_price,F_totalprice,F_memo1,F_useEmp,F_memo2,F_useFlag,F_OperEmp,"
        "F_editDate,F_SZ1) values(:code,:name,:type,:spec,:jscode,:factory,:buildDate,"
        ":buildCode,:buyDate,:originValue,:beginDate,:address,:dept,:status,:amount,:unit,"
        ":price,:total,:memo1,:user,:memo2,:useFlag,:operEmp,:editDate,:sz1)"_s;
    static const QStringList acceptance{
        u"安装调试完毕，各项性能指标符合合同要求，验收合格，投入使用。"_s,
        u"随机资料齐全，试运行正常，验收合格。"_s,
        u"到货开箱检查无损坏，附件齐全，已交付使用部门。"_s,
        u"经试运行72小时，运行平稳，同意验收。"_s,
    };
    static const QStringList remarks{
        u"纳入重点设备管理"_s, u"每季度保养一次"_s, u"保修期三年"_s, u"特种设备，需定期年检"_s,
        u"操作人员须持证上岗"_s,
    };
    static const QStringList statuses = codeList(u"usestatus"_s);
    const std::vector<double> statusWeights{72, 10, 6, 5, 7};
    std::vector<double> kindWeights;
    for (const EquipmentKind& k : equipmentKinds())
        kindWeights.push_back(k.weight);
    QHash<QString, const TreeNode*> categoryByName;
    for (const TreeNode& c : m_categories)
        categoryByName.insert(c.name, &c);

    const int digits = std::max(4, int(QString::number(count).size()));
    QHash<int, int> perYear;
    db::Params p;
    m_equipment.reserve(count);
    for (int i = 0; i < count; ++i) {
        const EquipmentKind& kind = equipmentKinds()[m_rnd.weighted(kindWeights)];
        const TreeNode& category = *categoryByName.value(kind.category);
        const TreeNode& dept = departmentFor(kind.department);
        Equipment e;
        e.bought = m_rnd.dateBetween(QDate(2008, 1, 1), AsOf.addDays(-90));
        e.begin = e.bought.addDays(m_rnd.between(3, 60));
        e.code = u"SB-%1-%2"_s.arg(e.bought.year())
                     .arg(++perYear[e.bought.year()], digits, 10, Zero);
        e.name = m_rnd.pick(kind.names);
        e.department = dept.path;
        e.address = m_rnd.pick(placesOf(dept.top));
        e.user = m_rnd.pick(codeList(u"useemp"_s));
        e.status = statuses[m_rnd.weighted(statusWeights)];
        e.top = category.top;
        const QDate built = e.bought.addDays(-m_rnd.between(20, 200));
        const int amount = kind.maxPrice < 20000 && m_rnd.chance(0.3) ? m_rnd.between(2, 5) : 1;
        const double price = m_rnd.roundedPrice(kind.minPrice, kind.maxPrice, 100);

        p.set(u"code"_s, e.code);
        p.set(u"name"_s, e.name);
        p.set(u"type"_s, category.path);
        p.set(u"spec"_s, m_rnd.pick(kind.specs));
        p.set(u"jscode"_s, m_rnd.chance(0.7)
                               ? u"ZJ%1"_s.arg(m_rnd.between(10000000, 99999999))
                               : QString());
        p.set(u"factory"_s, m_rnd.pick(kind.makers));
        p.set(u"buildDate"_s, m_rnd.chance(0.1) ? EmptyDate : built);
        p.set(u"buildCode"_s, m_rnd.chance(0.85)
                                  ? u"%1%2"_s.arg(built.year())
                                        .arg(m_rnd.between(1, 99999), 5, 10, Zero)
                                  : QString());
        p.set(u"buyDate"_s, m_rnd.chance(0.05) ? EmptyDate : e.bought);
        p.set(u"originValue"_s, price * amount);
        p.set(u"beginDate"_s, e.begin);
        p.set(u"address"_s, e.address);
        p.set(u"dept"_s, e.department);
        p.set(u"status"_s, e.status);
        p.set(u"amount"_s, double(amount));
        p.set(u"unit"_s, kind.unit);
        p.set(u"price"_s, price);
        p.set(u"total"_s, price * amount);
        p.set(u"memo1"_s, m_rnd.pick(acceptance));
        p.set(u"user"_s, e.user);
        p.set(u"memo2"_s, m_rnd.chance(0.4) ? m_rnd.pick(remarks) : QString());
        p.set(u"useFlag"_s, e.status == u"报废" || m_rnd.chance(0.03) ? 1 : 0);
        p.set(u"operEmp"_s, m_rnd.pick(codeList(u"operemp"_s)));
        p.set(u"editDate"_s, e.begin.addDays(m_rnd.between(0, 30)));
        p.set(u"sz1"_s, m_rnd.chance(0.6) ? 0.0 : m_rnd.roundedPrice(200, 8000, 50));
        exec(insert, p);
        m_equipment.append(e);
    }
    // Accessories and documents are filed under F_cltID, which a new record takes from F_ID.
    m_conn.exec(u"update SETs set F_cltID = F_ID where F_cltID = 0"_s);
    readKeys();
    summary.equipment = count;
}

void Filler::readKeys()
{
    db::Dataset keys(&m_conn);
    keys.setSql(u"select F_ID, F_code from SETs"_s);
    keys.open();
    QHash<QString, int> idByCode;
    idByCode.reserve(keys.recordCount());
    for (int i = 0; i < keys.recordCount(); ++i)
        idByCode.insert(keys.cell(i, 1).asString(), int(keys.cell(i, 0).asInteger()));
    for (Equipment& e : m_equipment)
        e.id = idByCode.value(e.code);
}

void Filler::accessoriesAndDocuments()
{
    const QString accessory =
        u"insert into t_setREC(F_mainID,F_code,F_name,F_spec,F_address,F_unit,F_amount,F_price,"
        "F_totalprice,F_memo1) values(:main,:code,:name,:spec,:origin,:unit,:amount,:price,"
        ":total,:memo)"_s;
    const QString document =
        u"insert into t_fileREC(F_mainID,F_FileDate,F_FileType,F_FileName,F_empName,F_address,"
        "F_memo1,F_memo2) values(:main,:date,:type,:name,:emp,:place,:memo1,:memo2)"_s;
    static const QStringList origins{u"沈阳"_s, u"大连"_s, u"上海"_s, u"北京"_s, u"无锡"_s,
                                     u"青岛"_s, u"杭州"_s, u"德国"_s, u"日本"_s};
    static const QStringList contents{
        u"设备主要技术参数及操作规程"_s, u"出厂检验记录及合格证明"_s, u"安装验收记录"_s,
        u"保修条款及售后联系方式"_s, u"电气原理图及备件清单"_s,
    };
    db::Params p;
    for (const Equipment& e : m_equipment) {
        if (m_rnd.chance(1.0 / 3)) {
            const QList<AccessoryKind>& kinds = accessoryKinds()[e.top];
            const int n = m_rnd.between(1, 3);
            for (int k = 1; k <= n; ++k) {
                const AccessoryKind& a = m_rnd.pick(kinds);
                const int amount = m_rnd.between(1, 4);
                const double price = m_rnd.roundedPrice(a.minPrice, a.maxPrice, 10);
                p.set(u"main"_s, e.id);
                p.set(u"code"_s, e.code + u"-%1"_s.arg(k, 2, 10, Zero));
                p.set(u"name"_s, a.name);
                p.set(u"spec"_s, a.spec);
                p.set(u"origin"_s, m_rnd.pick(origins));
                p.set(u"unit"_s, a.unit);
                p.set(u"amount"_s, double(amount));
                p.set(u"price"_s, price);
                p.set(u"total"_s, price * amount);
                p.set(u"memo"_s, k == 1 ? u"随机附件"_s : QString());
                exec(accessory, p);
                ++summary.accessories;
            }
        }
        if (m_rnd.chance(0.25)) {
            const int n = m_rnd.between(1, 2);
            for (int k = 0; k < n; ++k) {
                const QString type = m_rnd.pick(codeList(u"filetype"_s));
                p.set(u"main"_s, e.id);
                p.set(u"date"_s, e.bought);
                p.set(u"type"_s, type);
                p.set(u"name"_s, e.name + type);
                p.set(u"emp"_s, m_rnd.pick(codeList(u"useemp"_s)));
                p.set(u"place"_s,
                      u"档案室%1号柜第%2层"_s.arg(m_rnd.between(1, 8)).arg(m_rnd.between(1, 5)));
                p.set(u"memo1"_s, m_rnd.pick(contents));
                p.set(u"memo2"_s, m_rnd.chance(0.3) ? u"原件存档，复印件随机"_s : QString());
                exec(document, p);
                ++summary.documents;
            }
        }
    }
}

void Filler::pictures(int count)
{
    const QString insert = u"insert into t_imageREC(F_mainID,F_FileName,F_FileExt,F_SETimage) "
                           "values(:main,:name,'.jpg',:image)"_s;
    static const QStringList views{u"正面"_s, u"铭牌"_s, u"侧面"_s};
    count = std::min(count, int(m_equipment.size()));
    const int stride = count > 0 ? int(m_equipment.size()) / count : 1;
    db::Params p;
    for (int i = 0; i < count; ++i) {
        const Equipment& e = m_equipment[i * stride];
        p.set(u"main"_s, e.id); // pictures are filed under the record's F_ID
        p.set(u"name"_s, e.name + m_rnd.pick(views));
        p.set(u"image"_s, pictureBytes(e, colourOf(e.top)));
        exec(insert, p);
        ++summary.pictures;
    }
}

void Filler::repairs(int count)
{
    const QString insert =
        u"insert into t_wxREC(F_SETcode,F_SETname,F_WXdate,F_WXtype,F_WXfactory,F_memo1,"
        "F_XFdate,F_memo2,F_WXprice,F_STemp,F_PZemp,F_memo3,F_WXstatus) values(:code,:name,"
        ":date,:type,:factory,:fault,:fixed,:repair,:price,:applicant,:approver,:memo,"
        ":status)"_s;
    static const QStringList faults{
        u"主轴异响，加工精度下降"_s, u"液压系统漏油"_s, u"开机报警，伺服驱动故障"_s,
        u"润滑不良，导轨磨损"_s, u"电气柜跳闸"_s, u"按计划进行定期保养"_s, u"显示屏无显示"_s,
    };
    static const QStringList repairsDone{
        u"更换主轴轴承，重新调整精度"_s, u"更换密封圈，补充液压油"_s, u"更换驱动模块，恢复正常"_s,
        u"清洗润滑系统，修复导轨"_s, u"更换空气开关，检查线路"_s, u"完成保养，运行正常"_s,
    };
    db::Params p;
    for (int i = 0; i < count; ++i) {
        const Equipment& e = m_rnd.pick(m_equipment);
        const QDate date = m_rnd.dateBetween(e.begin, AsOf);
        const bool open = m_rnd.chance(0.1);
        p.set(u"code"_s, e.code);
        p.set(u"name"_s, e.name);
        p.set(u"date"_s, date);
        p.set(u"type"_s, m_rnd.pick(codeList(u"wxtype"_s)));
        p.set(u"factory"_s, m_rnd.pick(codeList(u"wxfactory"_s)));
        p.set(u"fault"_s, m_rnd.pick(faults));
        p.set(u"fixed"_s, open ? EmptyDate : date.addDays(m_rnd.between(0, 14)));
        p.set(u"repair"_s, open ? QString() : m_rnd.pick(repairsDone));
        p.set(u"price"_s, m_rnd.roundedPrice(100, 20000, 50));
        p.set(u"applicant"_s, m_rnd.pick(codeList(u"stemp"_s)));
        p.set(u"approver"_s, m_rnd.pick(codeList(u"pzemp"_s)));
        p.set(u"memo"_s, m_rnd.chance(0.3) ? u"已通知使用部门"_s : QString());
        p.set(u"status"_s, open ? u"维修中"_s : u"在用"_s);
        exec(insert, p);
        ++summary.repairs;
    }
}

void Filler::transfers(int count)
{
    const QString insert =
        u"insert into t_dbREC(F_SETcode,F_SETname,F_DBdate,F_memo1,F_OldDept,F_OldAddress,"
        "F_OldEmp,F_NewDept,F_NewAddress,F_NewEmp,F_PZemp,F_memo2) values(:code,:name,:date,"
        ":reason,:oldDept,:oldAddress,:oldEmp,:newDept,:newAddress,:newEmp,:approver,:memo)"_s;
    static const QStringList reasons{u"生产任务调整"_s, u"部门合并"_s, u"闲置设备调剂使用"_s,
                                     u"新产线投产"_s, u"车间布局调整"_s};
    db::Params p;
    for (int i = 0; i < count; ++i) {
        // A transfer moved the equipment to where it is now; it came from another unit.
        const Equipment& e = m_rnd.pick(m_equipment);
        const TreeNode* from = &departmentFor(QString());
        for (int tries = 0; from->path == e.department && tries < 5; ++tries)
            from = &departmentFor(QString());
        p.set(u"code"_s, e.code);
        p.set(u"name"_s, e.name);
        p.set(u"date"_s, m_rnd.dateBetween(e.begin, AsOf));
        p.set(u"reason"_s, m_rnd.pick(reasons));
        p.set(u"oldDept"_s, from->path);
        p.set(u"oldAddress"_s, m_rnd.pick(placesOf(from->top)));
        p.set(u"oldEmp"_s, m_rnd.pick(codeList(u"useemp"_s)));
        p.set(u"newDept"_s, e.department);
        p.set(u"newAddress"_s, e.address);
        p.set(u"newEmp"_s, e.user);
        p.set(u"approver"_s, m_rnd.pick(codeList(u"pzemp"_s)));
        p.set(u"memo"_s, m_rnd.chance(0.3) ? u"随机附件一并移交"_s : QString());
        exec(insert, p);
        ++summary.transfers;
    }
}

void Filler::acceptances(int count)
{
    const QString insert =
        u"insert into t_ysREC(F_SETcode,F_SETname,F_YSdate,F_OldStatus,F_NewStatus,F_YSemp,"
        "F_memo1) values(:code,:name,:date,:old,:new,:emp,:memo)"_s;
    static const QStringList outcomes{u"验收合格"_s, u"验收合格"_s, u"验收合格"_s,
                                      u"验收合格"_s, u"限期整改"_s, u"验收不合格"_s};
    static const QStringList notes{u"外观完好，资料齐全"_s, u"试运行正常"_s,
                                   u"缺少随机工具，供应商限期补齐"_s, u"精度检测符合要求"_s};
    count = std::min(count, int(m_equipment.size()));
    db::Params p;
    for (int i = 0; i < count; ++i) {
        // Spread over the register, each piece accepted once, shortly before it was put to use.
        const Equipment& e = m_equipment[qsizetype(i) * m_equipment.size() / count];
        p.set(u"code"_s, e.code);
        p.set(u"name"_s, e.name);
        p.set(u"date"_s, e.begin.addDays(-m_rnd.between(0, 3)));
        p.set(u"old"_s, u"待验收"_s);
        p.set(u"new"_s, m_rnd.pick(outcomes));
        p.set(u"emp"_s, m_rnd.pick(codeList(u"useemp"_s)));
        p.set(u"memo"_s, m_rnd.pick(notes));
        exec(insert, p);
        ++summary.acceptances;
    }
}

} // namespace

QString childPath(const QString& parentPath, const QString& name)
{
    QString path = parentPath + u'\\' + name;
    path.replace(u"\\\\\\"_s, u"\\\\"_s);
    return path;
}

DemoData::DemoData(int equipmentCount, std::uint32_t seed)
    : m_count(std::max(0, equipmentCount)),
      m_pictures(std::min(20, (m_count + 14) / 15)),
      m_seed(seed)
{
}

DemoSummary DemoData::fill(db::Connection& connection)
{
    Filler filler(connection, m_seed);
    connection.begin();
    try {
        filler.trees();
        filler.codes();
        filler.equipment(m_count);
        if (m_count > 0) {
            filler.accessoriesAndDocuments();
            filler.pictures(m_pictures);
            filler.repairs(m_count * 2 / 5 + 1);
            filler.transfers(m_count * 3 / 20 + 1);
            filler.acceptances(m_count * 3 / 10 + 1);
        }
        connection.commit();
    } catch (...) {
        connection.rollback();
        throw;
    }
    return filler.summary;
}

} // namespace dbprep
