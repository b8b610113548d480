#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace db {

/// The portable type of a column; each dialect maps it to its own.
enum class ColumnType {
    Identity, // integer key assigned by the database, never reused
    Integer,
    Float,
    Bit,      // 0/1 integer flag
    DateTime,
    Text,     // Unicode text of at most `width` characters, compared without case
    LongText, // free text of any length, compared without case
    Blob,
};

struct ColumnDef
{
    QString name;
    ColumnType type = ColumnType::Text;
    int width = 0;       // Text only
    bool notNull = false;
    QString defaultSql;  // a literal such as "0"; empty = none
};

struct IndexDef
{
    QString name;
    QStringList columns;
};

/// A table as the schema describes it, independent of any backend.
struct TableDef
{
    QString name;
    QList<ColumnDef> columns;
    QList<IndexDef> indexes;
};

} // namespace db
