#pragma once
// The rights of an operator applied to the main window: which governed commands and menus show.

#include <QList>
#include <QString>

namespace operators {

class LoginHost;

/// A right code of the rights catalogue and the main-window action it governs.
struct RightAction
{
    QString code;
    QString action;
};

/// A top-level menu and the codes of its group (first..last, inclusive).
struct RightMenu
{
    QString menu;
    int firstCode;
    int lastCode;
};

/// A detail-page action that shows exactly when its counterpart in the main list does.
struct MirroredAction
{
    QString action;
    QString counterpart;
};

/// The 36 governed actions, in the order their rights are looked up.
const QList<RightAction>& rightActions();
/// The menus "文件" ... "数据" and the code groups that keep them visible.
const QList<RightMenu>& rightMenus();
/// Action901 ... Action906 and the list actions they follow.
const QList<MirroredAction>& mirroredActions();

/// Shows or hides the host's governed actions and menus for the operator: everything for the
/// administrator (the typed text, trimmed, in lower case, is "admin"), otherwise exactly what
/// HasRight grants CurrentOperator. Actions or menus the host does not have are skipped.
void SetLimits(LoginHost& host, const QString& operatorNameText);

} // namespace operators
