#pragma once

#include <QStringList>
#include <QTableWidget>

namespace widgets {

/// A two-column key/value grid: fixed key column, whole-row selection, optional pick lists.
class ValueListEditor : public QTableWidget
{
    Q_OBJECT

public:
    explicit ValueListEditor(QWidget* parent = nullptr);

    void setTitles(const QString& keyTitle, const QString& valueTitle);
    void setKeyColumnWidth(int width);
    void setValueColumnWidth(int width);

    /// Removes every row; the titles stay (QTableWidget::clear would drop them).
    void clear();
    /// Appends a row and returns its index.
    int addRow(const QString& key, const QString& value);
    /// Empty text for a row outside the list.
    QString key(int row) const;
    QString value(int row) const;
    /// Do nothing for a row outside the list.
    void setKey(int row, const QString& key);
    void setValue(int row, const QString& value);

    /// Selects the whole row and makes it current, without emitting rowClicked.
    void setCurrentRow(int row);

    /// Keys are never editable; with this on, values are not either (they stay settable in code).
    void setValuesReadOnly(bool readOnly);
    bool valuesReadOnly() const { return m_valuesReadOnly; }

    /// The value of the row is then edited with a drop-down list offering exactly these texts;
    /// an empty list gives the row a plain text editor again.
    void setPickList(int row, const QStringList& texts);
    QStringList pickList(int row) const;

Q_SIGNALS:
    /// A row was clicked or reached with the keyboard.
    void rowClicked(int row);
    void rowDoubleClicked(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTableWidgetItem* valueItem(int row) const;
    void applyValueFlags(QTableWidgetItem* item) const;

    bool m_valuesReadOnly = false;
};

} // namespace widgets
