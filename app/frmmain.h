#pragma once
// The main window in its first form: caption, status bar and the connect-network-database
// command. The equipment browser takes its place in the register subsystem.

#include <QList>
#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QTimer;

namespace app {

/// The application's main form. Created after the connection is open; shown by the message loop.
class TFrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFrmMain(QWidget* parent = nullptr);
    ~TFrmMain() override;

    QMenu* menuData;       // "数据"
    QAction* Action505;    // "连接网络数据库" (menu item N83)
    QStatusBar* StatusBar1;
    QLabel* lblDatabase;   // which database the program works on
    QTimer* Timer1;        // writes the date and time into the status bar every second

    /// The status bar's panels: " 当前用户", the operator, " 当前日期时间", the date and time.
    QLabel* StatusPanel(int index) const { return m_panels.value(index); }

public Q_SLOTS:
    /// Starts the connection-settings program and ends this one, without the exit question.
    void Action505Execute();
    /// Caption and status bar, as the window becomes visible.
    void FormShow();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QList<QLabel*> m_panels;
};

} // namespace app
