#pragma once
// The data module: the one database connection, the two shared queries and the services every
// window uses to run its statements.

#include "connection.h"
#include "dataset.h"

#include <QObject>
#include <QString>

class QComboBox;

namespace data {

/// Owns ADOcnn and the shared queries QryPub (statements) and QryTemp (single values, pick lists,
/// the log). Every service catches its own database errors, shows its message and returns a
/// neutral result, so no caller sees a database error. The services replace the whole SQL text of
/// their query; they are not re-entrant.
class TdmData : public QObject
{
    Q_OBJECT
public:
    explicit TdmData(QObject* parent = nullptr);
    ~TdmData() override;

    db::Connection ADOcnn;
    db::Dataset QryPub;
    db::Dataset QryTemp;
    /// False until the connection has been opened at start-up.
    bool IsConnected = false;

    /// The start-up's connection step: reads the DBconn keys of Config.ini, opens ADOcnn, drives
    /// the splash texts; on a failure asks about the set-up program and asks the program to end.
    /// The caller looks at IsConnected.
    void DataModuleCreate();

    /// "delete from <table> where F_ID = <id>" on QryPub.
    bool DeleteById(const QString& table, qint64 id);
    /// Runs a statement that returns no rows on QryPub.
    bool ExecSql(const QString& sql);
    /// The first column of the first row as text (empty when there is none or it is NULL).
    QString LookupText(const QString& sql);
    /// The first column of the first row as integer (0 when there is none or it is NULL).
    qint64 LookupInt(const QString& sql);
    /// Re-opens the query on the statement; on failure the query stays closed.
    bool OpenQuery(const QString& sql, db::Dataset& query);
    /// Replaces the list's items by the non-blank first-column texts of the statement's rows,
    /// untrimmed; the typed text stays. A failing statement leaves the items as they were.
    void FillPickList(const QString& sql, QComboBox* list);
    /// Writes one LogRec row for the current operator, now. Fails silently.
    void WriteLog(const QString& operation);
    /// Whether the current operator holds the right with this code ("101").
    bool HasRight(const QString& code);

private:
    /// Closes the query and gives it the statement, with no parameters left from earlier work.
    static void prepare(db::Dataset& query, const QString& sql);
};

/// The data module of the running program; set by the start-up.
extern TdmData* dmData;

} // namespace data
