#include "frmtreecodeman.h"
#include "ui_frmtreecodeman.h"

#include "codetree.h"
#include "codetreeview.h"
#include "corva.h"
#include "dberror.h"
#include "dlgentercaption.h"
#include "dmdata.h"
#include "modalrunner.h"
#include "sqlquote.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTreeWidgetItemIterator>

namespace codes {

using namespace Qt::StringLiterals;

namespace {

const QString ConnectFailed = u"数据连接失败，请与作者联系... "_s;
const QString NoRootSibling = u"不能增加根节点的同类节点，该节点只能增加子节点！"_s;
const QString NoRootDelete = u"不能删除根节点，只能删除它下面的节点！"_s;
const QString LevelFull = u"该级节点已满（999个），不能再增加！"_s;
const QString NoRootPick = u"不能选择根节点！"_s;
const QString NothingPicked = u"请先选择一个节点！"_s;
const QString RootPath = u"\\\\"_s;

void bind(QPushButton* button, QAction* action)
{
    button->setText(action->text());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::changed, button,
                     [button, action] { button->setEnabled(action->isEnabled()); });
}

} // namespace

TFrmTreeCodeMan::TFrmTreeCodeMan(QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::TFrmTreeCodeMan>())
{
    m_ui->setupUi(this);
    Panel1 = m_ui->Panel1;
    Image1 = m_ui->Image1;
    Label6 = m_ui->Label6;
    tvTree = m_ui->tvTree;
    gbBianJI = m_ui->gbBianJI;
    btnAdd = m_ui->btnAdd;
    btnAddChild = m_ui->btnAddChild;
    Button1 = m_ui->Button1;
    btnDelete = m_ui->btnDelete;
    Panel4 = m_ui->Panel4;
    BitBtn1 = m_ui->BitBtn1;
    BitBtn2 = m_ui->BitBtn2;
    StatusBar1 = m_ui->StatusBar1;
    acAdd = m_ui->acAdd;
    acAddChild = m_ui->acAddChild;
    acEdit = m_ui->acEdit;
    acDelete = m_ui->acDelete;

    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    Panel4->hide();

    // The hint is written over the picture strip.
    CodeTreeView::ImageTree(); // registers the pictures before the banner is read
    Image1->setPixmap(QIcon(u":/images/banner-tree.svg"_s).pixmap(QSize(500, 48)));
    Panel1->layout()->removeWidget(Label6);
    auto* overPicture = new QHBoxLayout(Image1);
    overPicture->setContentsMargins(8, 2, 8, 2);
    overPicture->addWidget(Label6);

    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(StatusBar1);
        panel->setObjectName(u"StatusPanel%1"_s.arg(i + 1));
        StatusBar1->addWidget(panel, 1);
    }

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(u"PopupMenu1"_s);
    PopupMenu1->addAction(acAdd);
    PopupMenu1->addAction(acAddChild);
    PopupMenu1->addAction(acEdit);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(acDelete);
    connect(tvTree, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        // The menu offers the editing commands, so it goes with their group.
        if (!gbBianJI->isHidden())
            PopupMenu1->popup(tvTree->viewport()->mapToGlobal(pos));
    });

    bind(btnAdd, acAdd);
    bind(btnAddChild, acAddChild);
    bind(Button1, acEdit);
    bind(btnDelete, acDelete);
    connect(acAdd, &QAction::triggered, this, &TFrmTreeCodeMan::acAddExecute);
    connect(acAddChild, &QAction::triggered, this, &TFrmTreeCodeMan::acAddChildExecute);
    connect(acEdit, &QAction::triggered, this, &TFrmTreeCodeMan::acEditExecute);
    connect(acDelete, &QAction::triggered, this, &TFrmTreeCodeMan::acDeleteExecute);
    connect(BitBtn1, &QPushButton::clicked, this, &TFrmTreeCodeMan::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFrmTreeCodeMan::BitBtn2Click);
    connect(tvTree, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int) { tvTreeDblClick(item); });

    // Key preview: the window's keys come before the tree's own handling.
    installEventFilter(this);
    tvTree->installEventFilter(this);
}

TFrmTreeCodeMan::~TFrmTreeCodeMan() = default;

void TFrmTreeCodeMan::SetMode(int mode)
{
    FMode = mode;
    if (mode < 1 || mode > 4)
        return;
    const QString caption = mode <= 2 ? u"设备类型"_s : u"部门机构"_s;
    FFlag = mode <= 2 ? TypeFlag : DeptFlag;
    setWindowTitle(caption);
    LoadCodeTree(tvTree, caption, FFlag);
    if (QTreeWidgetItem* root = tvTree->topLevelItem(0))
        root->setExpanded(true);
}

QString TFrmTreeCodeMan::PickNode(const QString& startPath)
{
    FStartPath = startPath;
    Panel4->show();
    SelectStartPath();
    if (widgets::execModal(*this) != QDialog::Accepted)
        return startPath;
    const CodeNode* node = tvTree->selectedNode();
    if (!node || isRootNode(node))
        return startPath;
    return node->Data().LikeCode;
}

void TFrmTreeCodeMan::SelectStartPath()
{
    if (!pickMode())
        return;
    QTreeWidgetItem* last = nullptr;
    for (QTreeWidgetItemIterator it(tvTree); *it; ++it) {
        const tNodeData* d = nodeData(*it);
        if (!d || d->LikeCode != FStartPath)
            continue;
        tvTree->setCurrentItem(*it);
        (*it)->setExpanded(true);
        for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent())
            p->setExpanded(true);
        last = *it;
    }
    if (last)
        tvTree->scrollToItem(last);
}

bool TFrmTreeCodeMan::commandAvailable(const QPushButton* button) const
{
    // A picker without the editing group must not edit the tree through keys either.
    return button->isEnabled() && button->isVisibleTo(this);
}

bool TFrmTreeCodeMan::runOnQryPub(const QString& sql)
{
    try {
        if (!data::dmData)
            throw db::DbError(u"no data module"_s);
        db::Dataset& q = data::dmData->QryPub;
        q.close();
        q.clearParams();
        q.setSql(sql);
        q.execSql();
        return true;
    } catch (const db::DbError&) {
        corva::ShowMess(ConnectFailed, corva::Error);
        return false;
    }
}

void TFrmTreeCodeMan::acAddExecute()
{
    CodeNode* selected = tvTree->selectedNode();
    if (!selected || !commandAvailable(btnAdd))
        return;
    if (isRootNode(selected)) {
        corva::ShowMess(NoRootSibling, corva::Information);
        return;
    }
    addNode(selected, 1);
}

void TFrmTreeCodeMan::acAddChildExecute()
{
    CodeNode* selected = tvTree->selectedNode();
    if (!selected || !commandAvailable(btnAddChild))
        return;
    addNode(selected, 2);
}

void TFrmTreeCodeMan::addNode(CodeNode* selected, int kind)
{
    const bool asChild = kind == 2;
    const bool onRoot = isRootNode(selected);
    const tNodeData current = selected->Data();
    QString code;
    try {
        // The code is taken before the name is asked, so a full level is refused at once.
        code = NextTreeCode(asChild && onRoot ? QString() : current.Code, FFlag, kind);
    } catch (const db::DbError&) {
        corva::ShowMess(ConnectFailed, corva::Error);
        return;
    }
    if (code.isEmpty()) {
        corva::ShowMess(LevelFull, corva::Information);
        return;
    }
    TDLGenterCaption dialog(this);
    const QString name = dialog.AskNodeName(u"添加 "_s + current.Code + u' ' + current.Name
                                            + (asChild ? u" 子类"_s : u" 同类"_s));
    if (name.trimmed().isEmpty())
        return;
    QString path;
    if (asChild)
        path = onRoot ? RootPath + name : current.LikeCode + u'\\' + name;
    else
        path = nodeLevel(selected) == 1 ? RootPath + name : NodePath(selected, 2) + u'\\' + name;
    path = CollapsePath(path);
    if (!runOnQryPub(u"insert into t_treecode(F_code,F_name,F_likecode,F_flag)values('"_s
                     + db::sqlValue(code) + u"','"_s + db::sqlValue(name) + u"','"_s
                     + db::sqlValue(path) + u"','"_s + db::sqlValue(FFlag) + u"')"_s))
        return;
    const tNodeData added{int(code.length()), code, name, path};
    if (asChild) {
        new CodeNode(selected, added);
        selected->setExpanded(true);
    } else {
        QTreeWidgetItem* parent = selected->parent();
        new CodeNode(parent ? parent : tvTree->invisibleRootItem(), added);
    }
}

void TFrmTreeCodeMan::acEditExecute()
{
    CodeNode* selected = tvTree->selectedNode();
    if (!selected || isRootNode(selected) || !commandAvailable(Button1))
        return;
    const tNodeData current = selected->Data();
    TDLGenterCaption dialog(this);
    dialog.edtCurValue->setText(current.Name);
    const QString name =
        dialog.AskNodeName(u"修改类别 "_s + current.Code + u' ' + current.Name + u" 子类"_s);
    if (name.trimmed().isEmpty())
        return;
    const tNodeData* parentData = nodeData(selected->parent());
    const QString path =
        CollapsePath((parentData ? parentData->LikeCode : RootPath) + u'\\' + name);
    if (!runOnQryPub(u"update t_treecode set F_name = '"_s + db::sqlValue(name)
                     + u"',F_likeCode = '"_s + db::sqlValue(path) + u"' where (F_code = '"_s
                     + db::sqlValue(current.Code) + u"' and F_flag = '"_s + db::sqlValue(FFlag)
                     + u"') "_s))
        return;
    selected->SetData(tNodeData{current.CodeLength, current.Code, name, path});
}

void TFrmTreeCodeMan::acDeleteExecute()
{
    CodeNode* selected = tvTree->selectedNode();
    if (!selected || !commandAvailable(btnDelete))
        return;
    if (isRootNode(selected)) {
        corva::ShowMess(NoRootDelete, corva::Information);
        return;
    }
    const tNodeData current = selected->Data();
    const QString question =
        selected->childCount() > 0
            ? u"此节点包含有子节点，真的要删除所有的子节点吗？"_s
            : u"真的要删除当前节点 “"_s + current.Code + current.Name + u"” 吗？"_s;
    if (corva::ShowMess(question, corva::Question) != corva::Yes)
        return;
    if (!data::dmData
        || !data::dmData->ExecSql(u"delete from t_treecode where F_code like '"_s
                                  + db::sqlValue(current.Code) + u"%' and F_flag = '"_s
                                  + db::sqlValue(FFlag) + u"' "_s))
        return;
    delete selected; // takes its children with it
}

void TFrmTreeCodeMan::chooseSelected()
{
    const CodeNode* node = tvTree->selectedNode();
    if (!node) {
        corva::ShowMess(NothingPicked, corva::Information);
        return;
    }
    if (isRootNode(node)) {
        corva::ShowMess(NoRootPick, corva::Information);
        return;
    }
    accept();
}

void TFrmTreeCodeMan::BitBtn1Click()
{
    chooseSelected();
}

void TFrmTreeCodeMan::BitBtn2Click()
{
    reject();
}

void TFrmTreeCodeMan::tvTreeDblClick(QTreeWidgetItem* item)
{
    if (!item)
        return;
    if (isRootNode(item)) {
        corva::ShowMess(NoRootPick, corva::Information);
        return;
    }
    if (pickMode()) {
        tvTree->setCurrentItem(item);
        accept();
    }
}

bool TFrmTreeCodeMan::FormKeyDown(int key, Qt::KeyboardModifiers modifiers, bool onTree)
{
    if (key == Qt::Key_S && (modifiers & Qt::ControlModifier)) {
        if (commandAvailable(Button1))
            acEdit->trigger();
        return true;
    }
    if (key == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        if (!commandAvailable(btnDelete))
            return false;
        acDelete->trigger();
        return true;
    }
    if (key == Qt::Key_Escape) {
        BitBtn2Click();
        return true;
    }
    if (onTree && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        if (pickMode())
            chooseSelected();
        return true;
    }
    return false;
}

bool TFrmTreeCodeMan::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == this || watched == tvTree)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (FormKeyDown(key->key(), key->modifiers() & ~Qt::KeypadModifier, watched == tvTree))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmTreeCodeMan::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        corva::DispFormPos(this, 1);
    }
    tvTree->setFocus();
}

QString PickTreePath(int mode, const QString& startPath, QWidget* owner, bool allowEditing)
{
    TFrmTreeCodeMan frm(owner);
    frm.SetMode(mode);
    if (!allowEditing)
        frm.gbBianJI->hide();
    return frm.PickNode(startPath);
}

void ManageCodeTree(int mode, QWidget* owner)
{
    TFrmTreeCodeMan frm(owner);
    frm.SetMode(mode);
    widgets::execModal(frm);
}

} // namespace codes
