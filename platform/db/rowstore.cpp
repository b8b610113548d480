#include "rowstore.h"

#include <algorithm>
#include <cstring>

namespace db {

namespace {

// Chunks grow from 64 KiB to 1 MiB, so a short list wastes little and a long one few allocations.
constexpr std::size_t kFirstChunkSize = 64 << 10;
constexpr std::size_t kChunkSize = 1 << 20;
constexpr std::uint32_t kTypeShift = 29;
constexpr std::uint32_t kEndMask = (1u << kTypeShift) - 1;

std::uint64_t cellKey(int row, int column)
{
    return (std::uint64_t(std::uint32_t(row)) << 32) | std::uint32_t(column);
}

} // namespace

RowStore::RowStore() = default;
RowStore::~RowStore() = default;
RowStore::RowStore(RowStore&&) noexcept = default;
RowStore& RowStore::operator=(RowStore&&) noexcept = default;

void RowStore::reset(QList<FieldInfo> fields)
{
    clear();
    m_fields = std::move(fields);
}

void RowStore::clear()
{
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_chunks.clear();
    m_chunkBytes = 0;
    m_chunkSize = m_chunkUsed = 0;
    m_rowStart = nullptr;
    m_rowUsed = 0;
    m_overrides.clear();
}

char* RowStore::reserve(std::size_t size)
{
    // Keeps the row being filled in one piece: when it outgrows the chunk, it moves to a new one.
    const std::size_t needed = m_rowUsed + size;
    if (m_chunkUsed + needed > m_chunkSize) {
        const std::size_t grown = std::min(kChunkSize, kFirstChunkSize << std::min<std::size_t>(m_chunks.size(), 4));
        const std::size_t newSize = std::max(grown, needed * 2);
        auto chunk = std::make_unique<char[]>(newSize);
        if (m_rowUsed > 0)
            std::memcpy(chunk.get(), m_rowStart, m_rowUsed);
        m_chunks.push_back(std::move(chunk));
        m_chunkBytes += newSize;
        m_chunkSize = newSize;
        m_chunkUsed = 0;
        m_rowStart = m_chunks.back().get();
    }
    char* at = m_rowStart + m_rowUsed;
    m_rowUsed += size;
    return at;
}

void RowStore::beginRow()
{
    m_rowStart = m_chunks.empty() ? nullptr : m_chunks.back().get() + m_chunkUsed;
    m_rowUsed = 0;
    m_cellIndex = 0;
    reserve(sizeof(std::uint32_t) * std::size_t(columnCount()));
}

void RowStore::addCell(CellType type, const void* data, std::size_t size)
{
    char* at = reserve(size);
    if (size > 0)
        std::memcpy(at, data, size);
    const std::size_t headerSize = sizeof(std::uint32_t) * std::size_t(columnCount());
    const auto end = std::uint32_t(m_rowUsed - headerSize);
    auto* head = reinterpret_cast<std::uint32_t*>(m_rowStart);
    head[m_cellIndex++] = (std::uint32_t(type) << kTypeShift) | (end & kEndMask);
}

void RowStore::endRow()
{
    while (m_cellIndex < columnCount())
        addNull();
    // Keep the next row's header aligned.
    const std::size_t pad = (4 - m_rowUsed % 4) % 4;
    if (pad)
        reserve(pad);
    m_rows.push_back(m_rowStart);
    m_chunkUsed = std::size_t(m_rowStart - m_chunks.back().get()) + m_rowUsed;
}

const RowStore::Override* RowStore::findOverride(int row, int column) const
{
    if (m_overrides.isEmpty())
        return nullptr;
    const auto it = m_overrides.constFind(cellKey(row, column));
    return it == m_overrides.cend() ? nullptr : &it.value();
}

CellType RowStore::type(int row, int column) const
{
    if (const Override* o = findOverride(row, column))
        return o->type;
    return CellType(header(row)[column] >> kTypeShift);
}

QByteArrayView RowStore::bytes(int row, int column) const
{
    if (const Override* o = findOverride(row, column))
        return o->bytes;
    const std::uint32_t* head = header(row);
    const std::uint32_t end = head[column] & kEndMask;
    const std::uint32_t start = column == 0 ? 0 : head[column - 1] & kEndMask;
    const char* data = m_rows[std::size_t(row)] + sizeof(std::uint32_t) * std::size_t(columnCount());
    return QByteArrayView(data + start, qsizetype(end - start));
}

std::int64_t RowStore::integer(int row, int column) const
{
    std::int64_t v = 0;
    const QByteArrayView b = bytes(row, column);
    if (b.size() == sizeof v)
        std::memcpy(&v, b.data(), sizeof v);
    return v;
}

double RowStore::real(int row, int column) const
{
    double v = 0;
    const QByteArrayView b = bytes(row, column);
    if (b.size() == sizeof v)
        std::memcpy(&v, b.data(), sizeof v);
    return v;
}

void RowStore::setCell(int row, int column, CellType type, QByteArray bytes)
{
    m_overrides.insert(cellKey(row, column), Override{type, std::move(bytes)});
}

std::size_t RowStore::memoryBytes() const
{
    std::size_t total = m_rows.capacity() * sizeof(const char*);
    total += m_chunkBytes;
    for (const Override& o : m_overrides)
        total += sizeof(std::uint64_t) + sizeof o + std::size_t(o.bytes.capacity());
    return total;
}

} // namespace db
