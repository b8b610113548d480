#pragma once

#include <QObject>

// The equipment list's statement for combinations of the filters, compared as whole texts.
class TstListSql : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void statement_data();
    void statement();
    void listPage();
};
