#include "tst_resources.h"

#include "resources.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QStringDecoder>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool hasOpaquePixel(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 200)
                return true;
    return false;
}

bool cornersTransparent(const QImage& image)
{
    const int r = image.width() - 1, b = image.height() - 1;
    return qAlpha(image.pixel(0, 0)) == 0 && qAlpha(image.pixel(r, 0)) == 0
        && qAlpha(image.pixel(0, b)) == 0 && qAlpha(image.pixel(r, b)) == 0;
}

// Pictures whose size the windows lay out around; every icon is drawn on a 32 x 32 canvas.
QSize expectedSize(const QString& path)
{
    if (path == ":/images/banner-login.svg"_L1)
        return {338, 60};
    if (path == ":/images/banner-tree.svg"_L1)
        return {500, 48};
    if (path == ":/images/searchbar.svg"_L1)
        return {200, 35};
    if (path.startsWith(":/icons/"_L1))
        return {32, 32};
    return {};
}

} // namespace

void TstResources::initTestCase()
{
    // Registering twice must be harmless: every window that uses an icon may call it.
    resources::init();
    resources::init();
}

void TstResources::namedIconRenders_data()
{
    QTest::addColumn<QString>("name");
    const char* names[] = {
        "relogin", "add", "copy", "edit", "delete", "maintenance", "transfer", "acceptance",
        "sort", "print", "close", "rename", "export", "find", "advanced-find", "columns",
        "save-grid", "refresh", "company", "password", "users", "options", "category",
        "department", "report-design", "statistics", "import", "clear-data", "backup", "compact",
        "connect", "calculator", "notepad", "help", "nav-toggle", "detail-accessories",
        "detail-pictures", "detail-documents", "detail-remarks", "tree-root", "tree-branch",
        "tree-leaf", "tree-leaf-open", "app"};
    for (const char* name : names)
        QTest::newRow(name) << QString::fromLatin1(name);
}

// Tool bar buttons draw 30 x 30 pictures, detail pages and trees 16 x 16.
void TstResources::namedIconRenders()
{
    QFETCH(QString, name);
    const QIcon icon = resources::icon(name);
    QVERIFY(!icon.isNull());
    for (int side : {30, 16}) {
        const QPixmap pixmap = icon.pixmap(QSize(side, side));
        QCOMPARE(pixmap.size(), QSize(side, side));
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(hasOpaquePixel(image), qPrintable(u"nothing drawn at %1"_s.arg(side)));
        QVERIFY2(cornersTransparent(image), qPrintable(u"background at %1"_s.arg(side)));
    }
}

void TstResources::everyCompiledFileLoads_data()
{
    QTest::addColumn<QString>("path");
    for (const QString& root : {u":/icons"_s, u":/images"_s}) {
        QDirIterator it(root, QDir::Files);
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(path)) << path;
        }
    }
}

void TstResources::everyCompiledFileLoads()
{
    QFETCH(QString, path);
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("svg"));
    const QSize expected = expectedSize(path);
    QVERIFY2(expected.isValid(), "a picture without a known size");
    QCOMPARE(reader.size(), expected);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), expected);
    QVERIFY(hasOpaquePixel(image.convertToFormat(QImage::Format_ARGB32)));
}

void TstResources::unknownIconIsNull()
{
    QVERIFY(resources::icon(u"no-such-icon"_s).isNull());
    QVERIFY(resources::icon(QString()).isNull());
}

void TstResources::loginBannerNamesTheProduct()
{
    QFile file(u":/images/banner-login.svg"_s);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(file.readAll()).contains(u"澄朔设备管理软件"_s));
}

void TstResources::helpFileBesideExecutable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("mustContain");
    QTest::newRow("help") << u"help.html"_s << u"<meta charset=\"utf-8\">"_s;
    QTest::newRow("readme") << u"readme.txt"_s << u"澄朔设备管理软件"_s;
    QTest::newRow("whatisnew") << u"whatisnew.txt"_s << u"澄朔设备管理软件"_s;
}

// The help menu opens these by name from the program's folder; a browser or editor shows the
// Chinese text only if the bytes are UTF-8 (and the page says so).
void TstResources::helpFileBesideExecutable()
{
    QFETCH(QString, name);
    QFETCH(QString, mustContain);
    QFile file(QCoreApplication::applicationDirPath() + u'/' + name);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QByteArray bytes = file.readAll();
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(bytes);
    QVERIFY(!decode.hasError());
    QVERIFY(text.contains(mustContain));
}
