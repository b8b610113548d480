#pragma once
#include "connection.h"

#include <QObject>
#include <QTemporaryDir>
#include <memory>

/// The register's tables on the run's backend, their seed rows, and the set-up program's logic.
class TstSchema : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void everyTableTakesItsColumns_data();
    void everyTableTakesItsColumns();
    void textWidthEnforced_data();
    void textWidthEnforced();
    void namesAndTextIgnoreCase();
    void keysAndDefaults();
    void seedRows();
    void registerTablesDetected();
    void sqliteFileFromConfig_data();
    void sqliteFileFromConfig();
    void existingTablesNeedForce();
    void demoRegisterIsConsistent();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<db::Connection> m_conn;
};
