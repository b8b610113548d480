#pragma once
// The title row and the footer row of DBGridEh.

#include <QHeaderView>
#include <QWidget>
#include <functional>

class QTableView;

namespace grid {

/// Column titles with a sort marker of their own in every title (QHeaderView draws only one).
class GridHeader : public QHeaderView
{
    Q_OBJECT
public:
    explicit GridHeader(QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

/// One row under the table, its cells as wide as the columns above and scrolled with them.
class FooterBar : public QWidget
{
    Q_OBJECT
public:
    using TextFunction = std::function<QString(int logical)>;
    using AlignmentFunction = std::function<Qt::Alignment(int logical)>;

    FooterBar(QTableView* view, TextFunction text, AlignmentFunction alignment,
              QWidget* parent = nullptr);

    void setRowHeight(int height);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTableView* m_view;
    TextFunction m_text;
    AlignmentFunction m_alignment;
    int m_rowHeight = 20;
};

} // namespace grid
