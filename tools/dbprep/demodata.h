#pragma once
// A sample register in Chinese for trying the program out and for the benchmarks: the two trees,
// the code lists, equipment with accessories, documents and pictures, and event records.

#include <QString>
#include <QStringList>

#include <cstdint>

namespace db {
class Connection;
}

namespace dbprep {

/// How many rows of each kind a fill wrote.
struct DemoSummary
{
    int categories = 0;
    int departments = 0;
    int codes = 0;
    int equipment = 0;
    int accessories = 0;
    int documents = 0;
    int pictures = 0;
    int repairs = 0;
    int transfers = 0;
    int acceptances = 0;
};

/// The path of a tree node under the parent with path `parentPath` (two backslashes for the
/// root): one backslash and the name appended, every run of three backslashes cut to two.
QString childPath(const QString& parentPath, const QString& name);

/// Generates a sample register of a given size. The same size and seed always give the same
/// rows, so benchmark databases of 1k, 10k and 100k pieces of equipment are repeatable.
class DemoData
{
public:
    static constexpr std::uint32_t DefaultSeed = 20190801;

    explicit DemoData(int equipmentCount = 300, std::uint32_t seed = DefaultSeed);

    int equipmentCount() const { return m_count; }
    /// Pictures are the slow rows (a JPEG each); by default one for every 15 pieces of
    /// equipment, at most 20.
    void setPictureCount(int count) { m_pictures = count; }
    int pictureCount() const { return m_pictures; }

    /// Writes the sample register into a database that holds the register's empty tables, in
    /// one transaction. Throws db::DbError after rolling back.
    DemoSummary fill(db::Connection& connection);

private:
    int m_count;
    int m_pictures;
    std::uint32_t m_seed;
};

} // namespace dbprep
