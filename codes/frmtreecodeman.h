#pragma once
// The tree editor: manages the category or department tree, and picks a node of it for the
// windows that store a category or department path.

#include <QDialog>
#include <QString>

#include <memory>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QTreeWidgetItem;

namespace Ui {
class TFrmTreeCodeMan;
}

namespace codes {

class CodeNode;
class CodeTreeView;

/// Modes 1 and 3 manage the category and the department tree; modes 2 and 4 pick a node of
/// them. Each command writes to the database first and then changes the view without reloading.
/// The commands are public slots so they run without the window being shown.
class TFrmTreeCodeMan : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmTreeCodeMan(QWidget* parent = nullptr);
    ~TFrmTreeCodeMan() override;

    QFrame* Panel1;
    QLabel* Image1;
    QLabel* Label6;
    CodeTreeView* tvTree;
    QGroupBox* gbBianJI;
    QPushButton* btnAdd;
    QPushButton* btnAddChild;
    QPushButton* Button1;
    QPushButton* btnDelete;
    QFrame* Panel4;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QStatusBar* StatusBar1;
    QAction* acAdd;
    QAction* acAddChild;
    QAction* acEdit;
    QAction* acDelete;
    QMenu* PopupMenu1;

    int FMode = 0;
    QString FFlag;
    QString FStartPath;

    /// Mode 1 to 4: caption, flag and the loaded tree with its root expanded. Any other value
    /// only sets FMode.
    void SetMode(int mode);
    /// Runs the window as a picker with the start path preselected: the chosen node's path on OK,
    /// the start path unchanged otherwise. Called after SetMode(2) or SetMode(4).
    QString PickNode(const QString& startPath);
    /// Selects and expands every node whose path is FStartPath; the last one stays selected.
    void SelectStartPath();

public Q_SLOTS:
    void acAddExecute();
    void acAddChildExecute();
    void acEditExecute();
    void acDeleteExecute();
    /// "确定": closes with OK unless the root (or nothing) is selected.
    void BitBtn1Click();
    void BitBtn2Click();
    void tvTreeDblClick(QTreeWidgetItem* item);
    /// The window's keys; true when the key was used.
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers, bool onTree);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool commandAvailable(const QPushButton* button) const;
    bool pickMode() const { return FMode == 2 || FMode == 4; }
    /// Closes with OK when the selection may be chosen; otherwise says why and stays.
    void chooseSelected();
    /// Runs an insert or update on QryPub; false (after the message) when it fails.
    bool runOnQryPub(const QString& sql);
    /// Adds a sibling (kind 1) or a child (kind 2) of the selected node.
    void addNode(CodeNode* selected, int kind);

    std::unique_ptr<Ui::TFrmTreeCodeMan> m_ui;
    bool m_placed = false;
};

/// Creates the editor in a pick mode (2 or 4), hides its editing commands unless allowed, picks
/// and frees it: the chosen path, or the start path when the user cancels.
QString PickTreePath(int mode, const QString& startPath, QWidget* owner,
                     bool allowEditing = true);

/// Creates the editor in a managing mode (1 or 3), runs it modally and frees it.
void ManageCodeTree(int mode, QWidget* owner);

} // namespace codes
