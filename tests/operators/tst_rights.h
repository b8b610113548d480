#pragma once

#include <QObject>

#include <memory>

namespace eqtest {
class OperatorsDb;
}

// SetLimits on a stand-in main window: which actions and menus each operator sees.
class TstRights : public QObject
{
    Q_OBJECT
public:
    TstRights();
    ~TstRights() override;

private Q_SLOTS:
    void init();
    void cleanup();

    void setLimits_data();
    void setLimits();

private:
    std::unique_ptr<eqtest::OperatorsDb> m_db;
};
