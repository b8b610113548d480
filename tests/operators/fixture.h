#pragma once
// What the operators tests share: a stand-in main window and a fresh register database.

#include "loginhost.h"

#include <QHash>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

class QAction;
class QMenu;

namespace data {
class TdmData;
}

namespace eqtest {

/// The main window as the login sees it: actions and top-level menus named like the real ones.
class FakeHost : public QWidget, public operators::LoginHost
{
public:
    /// Every governed action, Action901..906, the ungoverned Action907 and Action31 and the
    /// menus mi100..mi500, except the names in `missing`; all start with `visible`.
    explicit FakeHost(bool visible, const QStringList& missing = {});

    QAction* rightAction(const QString& name) const override { return m_actions.value(name); }
    QMenu* rightMenu(const QString& name) const override { return m_menus.value(name); }
    void showOperatorName(const QString& name) override { status = name; }

    /// The visible actions and menus, sorted.
    QStringList visibleNames() const;

    QString status = QStringLiteral("(before)");

private:
    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
};

/// "Action101" ... "Action505", from the database's catalogue of rights.
QStringList governedActions();
/// The six detail-page actions that follow Action201..206.
QStringList mirroredActions();
/// The five menus.
QStringList menuNames();

/// A fresh, seeded register on the run's backend, installed as dmData, with Config.ini in a
/// temporary folder. Operators and their rights are added by the tests.
class OperatorsDb
{
public:
    OperatorsDb();
    ~OperatorsDb();

    bool isValid() const { return m_valid; }
    data::TdmData& dm() { return *m_dm; }

    void addOperator(const QString& name, const QString& password);
    void grant(const QString& operatorName, const QString& rightName);
    /// "operator|operation" of every LogRec row, in insertion order.
    QStringList logRows();
    QString configPath() const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<data::TdmData> m_dm;
    bool m_valid = false;
};

} // namespace eqtest
