#include "rights.h"

#include "dmdata.h"
#include "loginhost.h"

#include <QAction>
#include <QMenu>
#include <QHash>
#include <QSet>

using namespace Qt::StringLiterals;

namespace operators {

const QList<RightAction>& rightActions()
{
    static const QList<RightAction> table{
        {u"101"_s, u"Action101"_s}, {u"102"_s, u"Action102"_s}, {u"103"_s, u"Action103"_s},
        {u"104"_s, u"Action104"_s}, {u"105"_s, u"Action105"_s}, {u"106"_s, u"Action106"_s},
        {u"201"_s, u"Action201"_s}, {u"202"_s, u"Action202"_s}, {u"203"_s, u"Action203"_s},
        {u"204"_s, u"Action204"_s}, {u"205"_s, u"Action205"_s}, {u"206"_s, u"Action206"_s},
        {u"207"_s, u"Action207"_s}, {u"208"_s, u"Action208"_s}, {u"209"_s, u"Action209"_s},
        {u"210"_s, u"Action210"_s}, {u"301"_s, u"Action301"_s}, {u"302"_s, u"Action302"_s},
        {u"303"_s, u"Action303"_s}, {u"304"_s, u"Action304"_s}, {u"305"_s, u"Action305"_s},
        {u"306"_s, u"Action306"_s}, {u"307"_s, u"Action307"_s}, {u"308"_s, u"Action308"_s},
        {u"309"_s, u"Action309"_s}, {u"310"_s, u"Action310"_s}, {u"311"_s, u"Action311"_s},
        {u"401"_s, u"Action401"_s}, {u"402"_s, u"Action402"_s}, {u"403"_s, u"Action403"_s},
        {u"404"_s, u"Action404"_s}, {u"501"_s, u"Action501"_s}, {u"502"_s, u"Action502"_s},
        {u"503"_s, u"Action503"_s}, {u"504"_s, u"Action504"_s}, {u"505"_s, u"Action505"_s},
    };
    return table;
}

const QList<RightMenu>& rightMenus()
{
    static const QList<RightMenu> menus{
        {u"mi100"_s, 101, 106}, {u"mi200"_s, 201, 210}, {u"mi300"_s, 301, 311},
        {u"mi400"_s, 401, 404}, {u"mi500"_s, 501, 505},
    };
    return menus;
}

const QList<MirroredAction>& mirroredActions()
{
    static const QList<MirroredAction> mirrors{
        {u"Action901"_s, u"Action201"_s}, {u"Action902"_s, u"Action202"_s},
        {u"Action903"_s, u"Action203"_s}, {u"Action904"_s, u"Action204"_s},
        {u"Action905"_s, u"Action205"_s}, {u"Action906"_s, u"Action206"_s},
    };
    return mirrors;
}

void SetLimits(LoginHost& host, const QString& operatorNameText)
{
    const bool isAdmin = operatorNameText.trimmed().toLower() == u"admin"_s;

    // The menus follow the rights, not the actions the host happens to have, so a menu whose
    // commands are granted shows even while one of those commands is not built yet.
    QSet<int> granted;
    QHash<QString, bool> visibleByAction;
    for (const RightAction& right : rightActions()) {
        const bool visible = isAdmin || (data::dmData && data::dmData->HasRight(right.code));
        if (visible)
            granted.insert(right.code.toInt());
        visibleByAction.insert(right.action, visible);
        if (QAction* action = host.rightAction(right.action))
            action->setVisible(visible);
    }

    for (const RightMenu& group : rightMenus()) {
        bool anyVisible = false;
        for (int code : granted)
            anyVisible = anyVisible || (code >= group.firstCode && code <= group.lastCode);
        // A menu bar shows or hides a menu through its menu action; QMenu::setVisible would
        // pop the menu up instead.
        if (QMenu* menu = host.rightMenu(group.menu))
            menu->menuAction()->setVisible(anyVisible);
    }

    for (const MirroredAction& mirror : mirroredActions()) {
        if (QAction* action = host.rightAction(mirror.action))
            action->setVisible(visibleByAction.value(mirror.counterpart));
    }
}

} // namespace operators
