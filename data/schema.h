#pragma once
// The tables of the equipment register: one description that creates the database on every
// backend, plus the seed rows a new register starts with.

#include "tabledef.h"

#include <QList>
#include <QString>

namespace db {
class Connection;
}

namespace data {

/// A column of SETs that the spreadsheet import offers. `title` is the column's title in the main
/// list; it is both the display name of the mapping row and the worksheet heading mapped to it by
/// default (the sample workbook uses the same headings).
struct ImportColumn
{
    QString field;
    QString title;
};

/// A right of the rights catalogue: its three-digit code and the caption of the command it
/// governs, which is the right's name.
struct RightEntry
{
    QString code;
    QString name;
};

/// Every table of the register with its columns and indexes, names in their canonical case.
const QList<db::TableDef>& registerTables();

/// The table of that name, compared without case; nullptr when the register has none.
const db::TableDef* findTable(const QString& name);

/// The SETs columns offered by the spreadsheet import, in the order the wizard lists them.
const QList<ImportColumn>& importColumns();

/// The catalogue of rights, ordered by code.
const QList<RightEntry>& rightCatalogue();

/// Creates all tables and their indexes in one transaction. Throws db::DbError.
void createSchema(db::Connection& connection);

/// Writes the rows a new register needs: the administrator "admin" with an empty password, the
/// single SysInfo row, the rights catalogue, the import mapping of table "sets" and the designed
/// grid layouts in cfg_Grid.
void seedSchema(db::Connection& connection);

/// True when the database already holds any table of the register.
bool hasRegisterTables(db::Connection& connection);

/// Drops every table of the register that exists, in one transaction.
void dropSchema(db::Connection& connection);

} // namespace data
