#pragma once

#include <QObject>

// The key/value grid and the check list.
class TstLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void valueListRows();
    void valueListPickList();
    void valueListReadOnly();
    void valueListSignals();
    void checkList();
};
