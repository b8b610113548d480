#include "dlgentercaption.h"
#include "ui_dlgentercaption.h"

#include "corva.h"
#include "modalrunner.h"

namespace codes {

TDLGenterCaption::TDLGenterCaption(QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::TDLGenterCaption>())
{
    m_ui->setupUi(this);
    Label1 = m_ui->Label1;
    edtCurValue = m_ui->edtCurValue;
    btnOK = m_ui->btnOK;
    btnCancel = m_ui->btnCancel;
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    connect(btnOK, &QPushButton::clicked, this, &TDLGenterCaption::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TDLGenterCaption::~TDLGenterCaption() = default;

QString TDLGenterCaption::AskNodeName(const QString& caption)
{
    setWindowTitle(caption);
    edtCurValue->selectAll();
    edtCurValue->setFocus();
    if (widgets::execModal(*this) != QDialog::Accepted)
        return QString();
    return edtCurValue->text();
}

void TDLGenterCaption::btnOKClick()
{
    if (edtCurValue->text().trimmed().isEmpty()) {
        corva::ShowMess(QStringLiteral("部门名称不能为空！"), corva::Information);
        edtCurValue->setFocus();
        return;
    }
    accept();
}

} // namespace codes
