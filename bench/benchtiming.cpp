#include "benchtiming.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>
#include <vector>

namespace bench {

double medianMs(const std::function<void()>& work, int repeats)
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

void printLine(const QString& name, double value, const char* unit, double floor)
{
    std::printf("%s: %.2f %s (floor %.2f %s, ratio %.2f)\n", qPrintable(name), value, unit, floor,
                unit, value / floor);
    std::fflush(stdout);
}

} // namespace bench
