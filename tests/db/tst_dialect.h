#pragma once
#include <QObject>

class TstDialect : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void translate_data();
    void translate();
    void parameters_data();
    void parameters();
    void columnDdl_data();
    void columnDdl();
    void quoting_data();
    void quoting();
};
