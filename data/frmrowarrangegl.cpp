#include "frmrowarrangegl.h"
#include "ui_frmrowarrangegl.h"

#include <QComboBox>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace data {

using namespace Qt::StringLiterals;

namespace {

const QString Ascending = u"升序"_s;
const QString Descending = u"降序"_s;

// The value column's pick list.
class DirectionDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override
    {
        auto* box = new QComboBox(parent);
        box->addItems({QString(), Ascending, Descending});
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* box = static_cast<QComboBox*>(editor);
        box->setCurrentIndex(std::max(0, box->findText(index.data().toString())));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override
    {
        model->setData(index, static_cast<QComboBox*>(editor)->currentText());
    }
};

} // namespace

TfrmRowArrangeGl::TfrmRowArrangeGl(QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::TfrmRowArrangeGl>())
{
    m_ui->setupUi(this);
    Label1 = m_ui->Label1;
    vle1 = m_ui->vle1;
    Button1 = m_ui->Button1;
    Button2 = m_ui->Button2;
    Button3 = m_ui->Button3;
    Button4 = m_ui->Button4;

    vle1->setColumnCount(2);
    vle1->horizontalHeader()->hide();
    vle1->verticalHeader()->hide();
    vle1->horizontalHeader()->setStretchLastSection(true);
    vle1->setSelectionBehavior(QAbstractItemView::SelectRows);
    vle1->setSelectionMode(QAbstractItemView::SingleSelection);
    // A double click cycles the value, so it must not open the pick list as well.
    vle1->setEditTriggers(QAbstractItemView::SelectedClicked
                          | QAbstractItemView::EditKeyPressed);
    vle1->setItemDelegateForColumn(1, new DirectionDelegate(vle1));

    connect(vle1, &QTableWidget::cellDoubleClicked, this, &TfrmRowArrangeGl::vle1DblClick);
    connect(Button1, &QPushButton::clicked, this, &TfrmRowArrangeGl::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmRowArrangeGl::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TfrmRowArrangeGl::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TfrmRowArrangeGl::Button4Click);
}

TfrmRowArrangeGl::~TfrmRowArrangeGl() = default;

void TfrmRowArrangeGl::FillRows(const QList<grid::GridColumn>& columns)
{
    m_fields.clear();
    m_captions.clear();
    vle1->setRowCount(0);
    vle1->setRowCount(int(columns.size()));
    for (int i = 0; i < columns.size(); ++i) {
        m_fields.append(columns[i].fieldName.toLower());
        m_captions.append(columns[i].caption);
        auto* key = new QTableWidgetItem(columns[i].caption);
        key->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        vle1->setItem(i, 0, key);
        vle1->setItem(i, 1, new QTableWidgetItem(QString()));
    }
    if (!columns.isEmpty())
        vle1->setCurrentCell(0, 1);
}

void TfrmRowArrangeGl::vle1DblClick()
{
    QTableWidgetItem* value = vle1->item(vle1->currentRow(), 1);
    if (!value)
        return;
    const QString now = value->text();
    value->setText(now == Ascending ? Descending : now == Descending ? QString() : Ascending);
}

void TfrmRowArrangeGl::swapRows(int a, int b)
{
    for (int column = 0; column < 2; ++column) {
        QTableWidgetItem* first = vle1->takeItem(a, column);
        QTableWidgetItem* second = vle1->takeItem(b, column);
        vle1->setItem(a, column, second);
        vle1->setItem(b, column, first);
    }
}

void TfrmRowArrangeGl::Button1Click()
{
    const int row = vle1->currentRow();
    if (row <= 0)
        return;
    swapRows(row, row - 1);
    vle1->setCurrentCell(row - 1, std::max(0, vle1->currentColumn()));
}

void TfrmRowArrangeGl::Button2Click()
{
    const int row = vle1->currentRow();
    if (row < 0 || row >= vle1->rowCount() - 1)
        return;
    swapRows(row, row + 1);
    vle1->setCurrentCell(row + 1, std::max(0, vle1->currentColumn()));
}

void TfrmRowArrangeGl::Button3Click()
{
    QStringList items;
    for (int row = 0; row < vle1->rowCount(); ++row) {
        const QString value = vle1->item(row, 1) ? vle1->item(row, 1)->text() : QString();
        if (value != Ascending && value != Descending)
            continue;
        // Two columns with one caption both sort by the first of them.
        const int column = int(m_captions.indexOf(vle1->item(row, 0)->text()));
        if (column < 0)
            continue;
        items.append(m_fields[column] + (value == Ascending ? u" ASC"_s : u" DESC"_s));
    }
    m_sortText = items.join(u',');
    accept();
}

void TfrmRowArrangeGl::Button4Click()
{
    m_sortText.clear();
    reject();
}

} // namespace data
