#include "frmdispfieldxz.h"
#include "ui_frmdispfieldxz.h"

#include <QListWidget>

namespace data {

TFrmDispFieldXZ::TFrmDispFieldXZ(QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::TFrmDispFieldXZ>())
{
    m_ui->setupUi(this);
    CheckListBox1 = m_ui->CheckListBox1;
    BitBtn1 = m_ui->BitBtn1;
    BitBtn2 = m_ui->BitBtn2;
    // No border icons: the window closes through its two buttons (or Escape) only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    connect(BitBtn1, &QPushButton::clicked, this, &TFrmDispFieldXZ::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFrmDispFieldXZ::BitBtn2Click);
}

TFrmDispFieldXZ::~TFrmDispFieldXZ() = default;

void TFrmDispFieldXZ::FillList(const QStringList& captions, const QList<bool>& ticked)
{
    CheckListBox1->clear();
    for (int i = 0; i < captions.size(); ++i) {
        auto* item = new QListWidgetItem(captions[i], CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(ticked.value(i) ? Qt::Checked : Qt::Unchecked);
    }
    if (CheckListBox1->count() > 0)
        CheckListBox1->setCurrentRow(0);
}

QList<bool> TFrmDispFieldXZ::TickedStates() const
{
    QList<bool> states;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        states.append(CheckListBox1->item(i)->checkState() == Qt::Checked);
    return states;
}

void TFrmDispFieldXZ::BitBtn1Click()
{
    accept();
}

void TFrmDispFieldXZ::BitBtn2Click()
{
    reject();
}

} // namespace data
