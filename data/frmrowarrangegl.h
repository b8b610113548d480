#pragma once
// The sort dialog: one row per grid column with its direction; the row order is the priority.

#include "gridcolumn.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;
class QTableWidget;

namespace Ui {
class TfrmRowArrangeGl;
}

namespace data {

/// "排序对话框": vle1 lists the column titles (key) with "", "升序" or "降序" (value).
class TfrmRowArrangeGl : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmRowArrangeGl(QWidget* parent = nullptr);
    ~TfrmRowArrangeGl() override;

    QLabel* Label1;
    QTableWidget* vle1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;

    /// One row per column, in column order, with an empty value.
    void FillRows(const QList<grid::GridColumn>& columns);
    /// "f_code ASC,f_name DESC" as "确定" built it; empty until then.
    QString SortText() const { return m_sortText; }

public Q_SLOTS:
    /// Cycles the current row's value: empty, "升序", "降序", empty.
    void vle1DblClick();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();

private:
    void swapRows(int a, int b);

    std::unique_ptr<Ui::TfrmRowArrangeGl> m_ui;
    QStringList m_fields;   // lower case, in column order
    QStringList m_captions; // in column order
    QString m_sortText;
};

} // namespace data
