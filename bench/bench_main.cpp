// Measures the hot paths of the register against their floors: the same statement stepped
// through the bare SQLite C API, reading every column as text without copying it.

#include "benchdata.h"
#include "connection.h"
#include "dataset.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int kRepeats = 7;

/// Median wall time in milliseconds of `repeats` runs, after one warm-up run.
double medianMs(const std::function<void()>& work, int repeats = kRepeats)
{
    work();
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct FloorResult
{
    int rows = 0;
    std::size_t textBytes = 0;
};

FloorResult stepWithCApi(sqlite3* handle, const QByteArray& sql)
{
    FloorResult result;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(handle, sql.constData(), int(sql.size()), &st, nullptr);
    const int columns = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++result.rows;
        for (int c = 0; c < columns; ++c) {
            sqlite3_column_text(st, c);
            result.textBytes += std::size_t(sqlite3_column_bytes(st, c));
        }
    }
    sqlite3_finalize(st);
    return result;
}

QString countLabel(int count)
{
    return count >= 1000 ? QString::number(count / 1000) + u'k' : QString::number(count);
}

void printLine(const QString& name, double value, const char* unit, double floor)
{
    std::printf("%s: %.2f %s (floor %.2f %s, ratio %.2f)\n", qPrintable(name), value, unit, floor,
                unit, value / floor);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
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
        FloorResult floorRows;
        const double floor = medianMs([&] { floorRows = stepWithCApi(handle, translated); });
        sqlite3_close(handle);
        db::Dataset QryMain(&connection);
        QryMain.setSql(mainList);
        const double ours = medianMs([&] { QryMain.open(); });
        if (QryMain.recordCount() != floorRows.rows) {
            std::fprintf(stderr, "row counts differ: %d against %d\n", QryMain.recordCount(),
                         floorRows.rows);
            return 1;
        }
        const QString label = countLabel(count);
        printLine(QStringLiteral("main list open %1 (%2 rows)").arg(label).arg(floorRows.rows),
                  ours, "ms", floor);
        if (count == sizes.last()) {
            printLine(QStringLiteral("main list memory %1").arg(label),
                      double(QryMain.memoryBytes()) / (1 << 20), "MiB",
                      double(floorRows.textBytes) / (1 << 20));
        }
    }
    return 0;
}
