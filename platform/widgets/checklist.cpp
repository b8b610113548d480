#include "checklist.h"

namespace widgets {

CheckList::CheckList(QWidget* parent)
    : QListWidget(parent)
{
}

int CheckList::addItem(const QString& text, bool checked)
{
    auto* line = new QListWidgetItem(text, this);
    line->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    line->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return count() - 1;
}

bool CheckList::isChecked(int index) const
{
    const QListWidgetItem* line = item(index);
    return line != nullptr && line->checkState() == Qt::Checked;
}

void CheckList::setChecked(int index, bool checked)
{
    if (QListWidgetItem* line = item(index))
        line->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

} // namespace widgets
