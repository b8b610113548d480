#include "startup.h"

#include "appvalues.h"
#include "dmdata.h"
#include "endrequest.h"
#include "frmmain.h"
#include "frmsplash.h"
#include "frmoperlogin.h"

#include <QApplication>
#include <QLabel>
#include <QThread>

namespace app {

Session::Session() = default;

Session::~Session()
{
    // The main window goes before the data module whose connection it may still use.
    mainWindow.reset();
    if (data::dmData == dataModule.get())
        data::dmData = nullptr;
    dataModule.reset();
    CloseSplash();
}

bool StartUp(Session& session)
{
    CloseSplash();
    frmSplash = new TfrmSplash;
    frmSplash->show();
    frmSplash->repaint();
    QCoreApplication::processEvents();

    QApplication::setApplicationDisplayName(ApplicationTitle);

    session.dataModule = std::make_unique<data::TdmData>();
    data::dmData = session.dataModule.get();
    data::dmData->DataModuleCreate();
    if (!data::dmData->IsConnected || EndRequested()) {
        CloseSplash();
        return false;
    }

    ShowSplashText(QStringLiteral("连接成功，正在登录 ....."));
    session.mainWindow = std::make_unique<reg::TFrmMain>();

    // A last flicker of the status line before the splash goes, so the user sees it move.
    ShowSplashText(QStringLiteral("连接成功，正在登录 ..."));
    QThread::msleep(20);
    ShowSplashText(QStringLiteral("连接成功，正在登录 ....."));
    CloseSplash();

    operators::ShowLogin(0, session.mainWindow.get());
    return !EndRequested();
}

int RunStartup()
{
    Session session;
    if (!StartUp(session))
        return 0;
    session.mainWindow->show();
    return QApplication::exec();
}

} // namespace app
