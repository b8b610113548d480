#pragma once
// What the login needs of the main window: its governed actions and menus, and the status-bar
// panel that shows the operator. The main window implements it; the login knows no more of it.

#include <QString>

class QAction;
class QMenu;

namespace operators {

class LoginHost
{
public:
    virtual ~LoginHost() = default;
    /// The action by its object name ("Action101" ... "Action505", "Action901" ... "Action906");
    /// nullptr when the window has none of that name.
    virtual QAction* rightAction(const QString& name) const = 0;
    /// The top-level menu by its object name ("mi100" ... "mi500").
    virtual QMenu* rightMenu(const QString& name) const = 0;
    /// Writes the operator's name into the status bar, as typed in the login window.
    virtual void showOperatorName(const QString& name) = 0;
};

} // namespace operators
