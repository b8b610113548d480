#pragma once
// Runs several Qt Test classes from one executable: each folder's tests are one program.
// Usage in main.cpp:  EQ_TEST_MAIN(TstIniFile, TstStartup)
#include <QApplication>
#include <QTest>

namespace eqtest {

template <typename... Tests>
int runAll(int argc, char** argv)
{
    int failures = 0;
    auto runOne = [&](QObject&& test) { failures += QTest::qExec(&test, argc, argv); };
    (runOne(Tests{}), ...);
    return failures == 0 ? 0 : 1;
}

} // namespace eqtest

#define EQ_TEST_MAIN(...)                                                                      \
    int main(int argc, char** argv)                                                            \
    {                                                                                          \
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty()                        \
                                       ? QByteArray("offscreen")                                \
                                       : qgetenv("QT_QPA_PLATFORM"));                           \
        QApplication app(argc, argv);                                                          \
        return eqtest::runAll<__VA_ARGS__>(argc, argv);                                        \
    }
