#pragma once

#include <QObject>

#include <memory>

namespace eqtest {
class OperatorsDb;
}

// The login window through ShowLogin: the checks of 确定, the counter of wrong passwords, the two
// modes, what a login writes, and the window's keys.
class TstLogin : public QObject
{
    Q_OBJECT
public:
    TstLogin();
    ~TstLogin() override;

private Q_SLOTS:
    void init();
    void cleanup();

    void logins_data();
    void logins();
    void nameErrorsRefocusName_data();
    void nameErrorsRefocusName();
    void unreadablePassword();
    void formCreate();
    void window();
    void keys();
    void closingOnlyThroughButtons();

private:
    std::unique_ptr<eqtest::OperatorsDb> m_db;
};
