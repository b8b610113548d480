#pragma once

#include <QListWidget>

namespace widgets {

/// A list of lines, each with its own check box.
class CheckList : public QListWidget
{
    Q_OBJECT

public:
    explicit CheckList(QWidget* parent = nullptr);

    using QListWidget::addItem;
    /// Appends a line and returns its index.
    int addItem(const QString& text, bool checked);
    /// False for an index outside the list.
    bool isChecked(int index) const;
    /// Does nothing for an index outside the list.
    void setChecked(int index, bool checked);
};

} // namespace widgets
