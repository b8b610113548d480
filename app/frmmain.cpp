#include "frmmain.h"

#include "appvalues.h"
#include "corva.h"
#include "dmdata.h"
#include "endrequest.h"
#include "launcher.h"

#include <QAction>
#include <QDateTime>
#include <QLabel>
#include <QMenuBar>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>

namespace app {

namespace {

QString backendName(db::Backend backend)
{
    switch (backend) {
    case db::Backend::Sqlite: return QStringLiteral("SQLite");
    case db::Backend::Postgres: return QStringLiteral("PostgreSQL");
    case db::Backend::SqlServer: return QStringLiteral("SQL Server");
    }
    return QString();
}

} // namespace

TFrmMain::TFrmMain(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FrmMain"));
    resize(790, 590);

    menuData = menuBar()->addMenu(QStringLiteral("数据"));
    menuData->setObjectName(QStringLiteral("menuData"));
    Action505 = new QAction(QStringLiteral("连接网络数据库"), this);
    Action505->setObjectName(QStringLiteral("Action505"));
    menuData->addAction(Action505);
    connect(Action505, &QAction::triggered, this, &TFrmMain::Action505Execute);

    lblDatabase = new QLabel(this);
    lblDatabase->setObjectName(QStringLiteral("lblDatabase"));
    lblDatabase->setAlignment(Qt::AlignCenter);
    if (data::dmData && data::dmData->ADOcnn.isOpen()) {
        lblDatabase->setText(QStringLiteral("已连接数据库：%1（%2）")
                                 .arg(DatabaseName,
                                      backendName(data::dmData->ADOcnn.backend())));
    }
    setCentralWidget(lblDatabase);

    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    const QList<std::pair<QString, int>> panels = {
        {QStringLiteral(" 当前用户"), 60},
        {QString(), 80},
        {QStringLiteral(" 当前日期时间"), 100},
        {QString(), 140},
    };
    for (const auto& [text, width] : panels) {
        auto* panel = new QLabel(text, StatusBar1);
        panel->setMinimumWidth(width);
        StatusBar1->addWidget(panel);
        m_panels.append(panel);
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TFrmMain::Timer1Timer);
    Timer1->start();

    corva::DispFormPos(this, 0);
}

TFrmMain::~TFrmMain() = default;

void TFrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFrmMain::FormShow()
{
    setWindowTitle(ProductName + ProductVersion);
    m_panels[1]->setText(u' ' + CurrentOperator);
    Timer1Timer();
}

void TFrmMain::Timer1Timer()
{
    m_panels[3]->setText(u' ' + QDateTime::currentDateTime().toString(u"yyyy-MM-dd hh:mm:ss"));
}

void TFrmMain::Action505Execute()
{
    StartProgram(QStringLiteral("dblink"));
    RequestEnd();
}

} // namespace app
