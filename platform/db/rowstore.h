#pragma once
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace db {

/// The declared kind of a result column, which decides how its cells turn into text and numbers.
enum class FieldKind : std::uint8_t { Text, Integer, Float, DateTime, Blob };

/// How one cell is held: numbers in binary, text as UTF-8, pictures as bytes.
enum class CellType : std::uint8_t { Null, Integer, Float, Text, Blob };

struct FieldInfo
{
    QString name;
    FieldKind kind = FieldKind::Text;
};

/// The rows of a result, held compactly: each row is one run of bytes in a large chunk (a header
/// of one 32-bit word per cell, then the cells' bytes), so a row costs its text plus four bytes a
/// cell, and nothing is converted until a cell is asked for. Cells changed after loading are kept
/// beside the chunks.
class RowStore
{
public:
    RowStore();
    ~RowStore();
    RowStore(RowStore&&) noexcept;
    RowStore& operator=(RowStore&&) noexcept;

    void reset(QList<FieldInfo> fields);
    void clear();

    const QList<FieldInfo>& fields() const { return m_fields; }
    QList<FieldInfo>& fields() { return m_fields; }
    int columnCount() const { return int(m_fields.size()); }
    int rowCount() const { return int(m_rows.size()); }

    // Filling, one row at a time: beginRow, one addCell per column, endRow.
    void beginRow();
    void addCell(CellType type, const void* data, std::size_t size);
    void addInteger(std::int64_t v) { addCell(CellType::Integer, &v, sizeof v); }
    void addFloat(double v) { addCell(CellType::Float, &v, sizeof v); }
    void addNull() { addCell(CellType::Null, nullptr, 0); }
    void endRow();

    CellType type(int row, int column) const;
    QByteArrayView bytes(int row, int column) const; // text, blob, or the number's 8 bytes
    std::int64_t integer(int row, int column) const;
    double real(int row, int column) const;

    /// Replaces one cell (an edited and posted value).
    void setCell(int row, int column, CellType type, QByteArray bytes);

    /// Bytes held, for the memory figures.
    std::size_t memoryBytes() const;

private:
    struct Override
    {
        CellType type;
        QByteArray bytes;
    };
    char* reserve(std::size_t size);
    const std::uint32_t* header(int row) const
    {
        return reinterpret_cast<const std::uint32_t*>(m_rows[std::size_t(row)]);
    }
    const Override* findOverride(int row, int column) const;

    QList<FieldInfo> m_fields;
    std::vector<const char*> m_rows;
    std::vector<std::unique_ptr<char[]>> m_chunks;
    std::size_t m_chunkBytes = 0; // all chunks together
    std::size_t m_chunkSize = 0;
    std::size_t m_chunkUsed = 0;
    char* m_rowStart = nullptr;
    std::size_t m_rowUsed = 0;
    int m_cellIndex = 0;
    QHash<std::uint64_t, Override> m_overrides;
};

} // namespace db
