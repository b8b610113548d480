#include "resources.h"

#include <mutex>

// Q_INIT_RESOURCE must be used outside any namespace: it declares a function of that name.
static void registerResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace resources {

void init()
{
    static std::once_flag once;
    std::call_once(once, registerResources);
}

QIcon icon(const QString& name)
{
    init();
    return QIcon(QStringLiteral(":/icons/") + name + QStringLiteral(".svg"));
}

} // namespace resources
