#pragma once
#include "connection.h"

#include <QObject>
#include <QTemporaryDir>
#include <memory>

class TstDataset : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void valuesRoundTrip();
    void navigationAndSignals();
    void sortAndLocate();
    void editAndPost();
    void masterLink();
    void textWidthEnforced_data();
    void textWidthEnforced();
    void textComparesWithoutCase();
    void hostileValuesStayInTheirLiteral_data();
    void hostileValuesStayInTheirLiteral();
    void likePatterns_data();
    void likePatterns();
    void identityNeverReused();
    void rollbackUndoes();
    void modelOverDataset();
    void lostServerComesBack();

private:
    void insertItem(const QString& code, const QString& name, double value);
    QTemporaryDir m_dir;
    std::unique_ptr<db::Connection> m_conn;
};
