#pragma once
// The timing harness and the floor every benchmark line compares against.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <functional>

struct sqlite3;

namespace bench {

/// Median wall time in milliseconds of `repeats` runs, after one warm-up run.
double medianMs(const std::function<void()>& work, int repeats = 7);

struct FloorResult
{
    int rows = 0;
    std::size_t textBytes = 0;
};

/// The statement stepped through the bare SQLite C API, every column read as text.
FloorResult stepWithCApi(sqlite3* handle, const QByteArray& sql);

/// "<name>: <value> <unit> (floor <value> <unit>, ratio <r>)"
void printLine(const QString& name, double value, const char* unit, double floor);

} // namespace bench
