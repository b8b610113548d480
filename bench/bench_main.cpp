// Measures the hot paths of the register against their floors: the same statement stepped
// through the bare SQLite C API, reading every column as text without copying it.

#include "benchdata.h"
#include "benchrefresh.h"
#include "benchtiming.h"
#include "connection.h"
#include "dataset.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace {

QString countLabel(int count)
{
    return count >= 1000 ? QString::number(count / 1000) + u'k' : QString::number(count);
}

} // namespace

int main(int argc, char** argv)
{
    // The main window is measured off screen: no display is needed and nothing flashes up.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder = QDir(QCoreApplication::applicationDirPath())
                               .filePath(QStringLiteral("../bench-data"));
    const QString mainList = QStringLiteral(
        "select * from Sets where (1=1) and isNull(F_useFlag,0) = 0  order by F_code");

    QList<int> sizes{1000, 10000, 100000};
    if (argc > 1)
        sizes = {QString::fromLocal8Bit(argv[1]).toInt()};
    for (int count : sizes) {
        const QString path = bench::registerDatabase(folder, count);
        db::Connection connection;
        db::ConnectionSettings settings;
        settings.database = path;
        connection.open(settings);
        const QByteArray translated = connection.dialect().translate(mainList).toUtf8();

        sqlite3* handle = nullptr;
        sqlite3_open_v2(path.toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr);
        bench::FloorResult floorRows;
        const double floor =
            bench::medianMs([&] { floorRows = bench::stepWithCApi(handle, translated); });
        sqlite3_close(handle);
        db::Dataset QryMain(&connection);
        QryMain.setSql(mainList);
        const double ours = bench::medianMs([&] { QryMain.open(); });
        if (QryMain.recordCount() != floorRows.rows) {
            std::fprintf(stderr, "row counts differ: %d against %d\n", QryMain.recordCount(),
                         floorRows.rows);
            return 1;
        }
        const QString label = countLabel(count);
        bench::printLine(QStringLiteral("main list open %1 (%2 rows)").arg(label).arg(floorRows.rows),
                  ours, "ms", floor);
        if (count == sizes.last()) {
            bench::printLine(QStringLiteral("main list memory %1").arg(label),
                      double(QryMain.memoryBytes()) / (1 << 20), "MiB",
                      double(floorRows.textBytes) / (1 << 20));
        }
        connection.close();
        if (!bench::benchRefresh(path, label, count == 10000))
            return 1;
    }
    return 0;
}
