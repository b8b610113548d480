#include "endrequest.h"

#include <QCoreApplication>
#include <QThread>

namespace app {

namespace {

bool g_endRequested = false;

} // namespace

void RequestEnd()
{
    g_endRequested = true;
    // Only a running loop is told to exit: a queued exit reaching no loop would be lost, or
    // would end a later loop that has nothing to do with this request.
    QCoreApplication* application = QCoreApplication::instance();
    if (application && QThread::currentThread()->loopLevel() > 0) {
        QMetaObject::invokeMethod(
            application, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }
}

bool EndRequested()
{
    return g_endRequested;
}

void ClearEndRequest()
{
    g_endRequested = false;
}

} // namespace app
