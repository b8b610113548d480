#include "valuelisteditor.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace widgets {

namespace {

constexpr int PickListRole = Qt::UserRole + 1;

// Gives rows with a pick list a drop-down editor; other rows keep the plain text editor.
class PickListDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        const QStringList texts = index.data(PickListRole).toStringList();
        if (texts.isEmpty())
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto* combo = new QComboBox(parent);
        combo->addItems(texts);
        // A choice is taken at once, as the user expects from a drop-down list.
        connect(combo, &QComboBox::activated, this, [this, combo] {
            auto* self = const_cast<PickListDelegate*>(this);
            Q_EMIT self->commitData(combo);
        });
        return combo;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentIndex(combo->findText(index.data(Qt::EditRole).toString()));
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override
    {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            // A value that is not in the list stays as it was until the user picks one.
            if (combo->currentIndex() >= 0)
                model->setData(index, combo->currentText(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
};

} // namespace

ValueListEditor::ValueListEditor(QWidget* parent)
    : QTableWidget(0, 2, parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegateForColumn(1, new PickListDelegate(this));
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
    setTitles(QString(), QString());

    connect(this, &QTableWidget::cellClicked, this, [this](int row, int) {
        Q_EMIT rowClicked(row);
    });
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        Q_EMIT rowDoubleClicked(row);
    });
}

void ValueListEditor::setTitles(const QString& keyTitle, const QString& valueTitle)
{
    setHorizontalHeaderLabels({keyTitle, valueTitle});
}

void ValueListEditor::setKeyColumnWidth(int width)
{
    setColumnWidth(0, width);
}

void ValueListEditor::setValueColumnWidth(int width)
{
    // A stretched last column ignores the width it is given.
    horizontalHeader()->setStretchLastSection(false);
    setColumnWidth(1, width);
}

void ValueListEditor::clear()
{
    setRowCount(0);
}

int ValueListEditor::addRow(const QString& key, const QString& value)
{
    const int row = rowCount();
    insertRow(row);
    auto* keyItem = new QTableWidgetItem(key);
    keyItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setItem(row, 0, keyItem);
    auto* item = new QTableWidgetItem(value);
    applyValueFlags(item);
    setItem(row, 1, item);
    return row;
}

QString ValueListEditor::key(int row) const
{
    const QTableWidgetItem* keyItem = item(row, 0);
    return keyItem != nullptr ? keyItem->text() : QString();
}

QString ValueListEditor::value(int row) const
{
    const QTableWidgetItem* item = valueItem(row);
    return item != nullptr ? item->text() : QString();
}

void ValueListEditor::setKey(int row, const QString& key)
{
    if (QTableWidgetItem* keyItem = item(row, 0))
        keyItem->setText(key);
}

void ValueListEditor::setValue(int row, const QString& value)
{
    if (QTableWidgetItem* item = valueItem(row))
        item->setText(value);
}

void ValueListEditor::setCurrentRow(int row)
{
    if (row < 0 || row >= rowCount()) {
        setCurrentCell(-1, -1);
        return;
    }
    setCurrentCell(row, 1);
}

void ValueListEditor::setValuesReadOnly(bool readOnly)
{
    m_valuesReadOnly = readOnly;
    for (int row = 0; row < rowCount(); ++row) {
        if (QTableWidgetItem* item = valueItem(row))
            applyValueFlags(item);
    }
}

void ValueListEditor::setPickList(int row, const QStringList& texts)
{
    if (QTableWidgetItem* item = valueItem(row))
        item->setData(PickListRole, texts.isEmpty() ? QVariant() : QVariant(texts));
}

QStringList ValueListEditor::pickList(int row) const
{
    const QTableWidgetItem* item = valueItem(row);
    return item != nullptr ? item->data(PickListRole).toStringList() : QStringList();
}

void ValueListEditor::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRow();
    QTableWidget::keyPressEvent(event);
    const int after = currentRow();
    if (after != before && after >= 0)
        Q_EMIT rowClicked(after);
}

QTableWidgetItem* ValueListEditor::valueItem(int row) const
{
    return item(row, 1);
}

void ValueListEditor::applyValueFlags(QTableWidgetItem* item) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!m_valuesReadOnly)
        flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
}

} // namespace widgets
