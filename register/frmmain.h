#pragma once
// The main window: the equipment browser with its trees, list page, quick search, equipment grid
// and detail pages, and the hub that carries every command of the program.

#include "dataset.h"
#include "listsql.h"
#include "loginhost.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QTimer;
class QToolBar;
class QToolButton;

namespace codes {
class CodeTreeView;
}
namespace grid {
class DBGridEh;
}
namespace widgets {
class ValueListEditor;
}

namespace reg {

/// The application's main form. Created once the connection is open, shown after the login, and
/// alive until the program ends. Its current QryMain row is the context of every equipment command.
class TFrmMain : public QMainWindow, public operators::LoginHost
{
    Q_OBJECT
public:
    explicit TFrmMain(QWidget* parent = nullptr);
    ~TFrmMain() override;

    /// The advanced search: returns the statement to list, or empty text when cancelled. The
    /// search dialog installs itself here; while none is installed its button is disabled.
    using AdvancedSearch = std::function<QString(QWidget* owner)>;
    static void setAdvancedSearch(AdvancedSearch search);

    db::Dataset QryMain;
    db::Dataset QryDetail1; // accessories of the current equipment
    db::Dataset QryDetail2; // pictures
    db::Dataset QryDetail3; // documents
    db::Dataset QryDetail4; // the event tables, for report templates only
    db::Dataset QryDetail5;
    db::Dataset QryDetail6;

    /// The last list statement built, without its ordering; every piece ends with a blank.
    QString ListSql;
    /// The detail page shown: 1 accessories, 2 pictures, 3 documents, 4 remarks.
    int DetailPage = 1;
    /// The key handed between the equipment editor and this window.
    qint64 EditId = 0;

    // The search bar.
    QFrame* Panel1;
    QToolButton* SpeedButton1;
    QCheckBox* CheckBox1;
    QLabel* Label1;
    QComboBox* ComboBox1;
    QLabel* Label2;
    QLineEdit* Edit1;
    QPushButton* BitBtn1;
    QToolButton* SpeedButton2;
    // The navigation pages.
    QSplitter* Splitter1;
    QTabWidget* rpcSET;
    QWidget* RzTabSheet1;
    QWidget* RzTabSheet2;
    widgets::ValueListEditor* vleList;
    QComboBox* cbbListType;
    QPushButton* Button1;
    QLabel* Label3;
    QLabel* Label4;
    codes::CodeTreeView* tvTree;
    codes::CodeTreeView* tvTree1;
    // The list and the detail area.
    grid::DBGridEh* DBGridEh1;
    QFrame* Panel9;
    QLabel* lblSETnum;
    QSplitter* Splitter2;
    QFrame* Panel5;
    QListWidget* ListView1;
    QToolBar* ToolBar2;
    QWidget* CBdetail;
    QStackedWidget* rpcList;
    grid::DBGridEh* DBGridEh2;
    QListWidget* ListView2;
    grid::DBGridEh* DBGridEh3;
    QPlainTextEdit* DBMemo1;
    // Frame.
    QToolBar* ToolBar1;
    QTimer* Timer1;
    QMenu* PopupMenu1;
    QMenu* PopupMenu3;
    QMenu* PopupMenu4;

    /// An action or menu item by its given name ("Action201", "N43", "nshitu2"); nullptr if none.
    QAction* action(const QString& name) const { return m_actions.value(name); }
    /// A menu by its given name ("mi100" ... "mi800").
    QMenu* menu(const QString& name) const { return m_menus.value(name); }
    /// The status bar's panels 0 to 4.
    QLabel* StatusPanel(int index) const { return m_panels.value(index); }

    // LoginHost
    QAction* rightAction(const QString& name) const override { return action(name); }
    QMenu* rightMenu(const QString& name) const override { return menu(name); }
    void showOperatorName(const QString& name) override;

    /// The filter values the search bar, the trees, the box and the list page stand for now.
    EquipmentFilter currentFilter() const;

public Q_SLOTS:
    /// Rebuilds ListSql from the filters, opens QryMain on it (the detail queries follow) and
    /// updates the count.
    void RefreshEquipmentList();
    /// Refills the list page from the statement, back on "全部", refreshing the list on the way.
    void FillListPage(const QString& Sql, int kind);
    void FormShow();
    void Timer1Timer();
    void ListView1SelectItem();
    void SpeedButton2Click();
    void DBGridEh1TitleClick(int index);

    void Action105Execute();
    void Action106Execute();
    void Action204Execute();
    void Action205Execute();
    void Action206Execute();
    void Action505Execute();
    void Action904Execute();
    void Action905Execute();
    void Action906Execute();
    void N43Click();
    void ToolButton1Click();
    void ToggleToolBar();
    void ToggleNavigation();
    void ToggleStatusBar();
    void N24Click();
    void N25Click();
    void N8Click();
    void N7Click();
    void N41Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FillDetailList();
    QWidget* createSearchBar();
    QWidget* createNavigation();
    QWidget* createListArea();
    QWidget* createDetailArea();
    void createStatusBar();
    void createActions();
    void createMenus();
    void createToolBars();
    void fillDetailToolBar();
    void connectCommands();
    QAction* addAction(const QString& name, const QString& caption, const QString& icon = {});
    /// Runs the action the way its menu item would: only while it is visible and enabled.
    bool runAction(const QString& name);
    /// The accessory or document grid of the detail page, and the dataset it shows.
    grid::DBGridEh* detailGrid() const;
    void applyDetailPageActions();
    void reloadTree(codes::CodeTreeView* tree, const QString& rootCaption, const QString& flag);
    void openShellFile(const QString& fileName);
    bool keyPreview(QKeyEvent* event);
    void showCurrentRemarks();
    static AdvancedSearch& advancedSearch();

    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    QList<QLabel*> m_panels;
    int m_flagField = -1; // F_useFlag of QryMain, for the red rows
    bool m_exitWithoutQuestion = false;
    bool m_listPageClicks = true;
    bool m_shown = false;
};

} // namespace reg
