#include "gridparts_p.h"

#include "gridcolumn.h"
#include "gridmodel_p.h"

#include <QPainter>
#include <QScrollBar>
#include <QTableView>

namespace grid {

GridHeader::GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setDefaultAlignment(Qt::AlignCenter);
    setSectionsClickable(true);
    setSectionsMovable(true);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    setSectionResizeMode(QHeaderView::Interactive);
    setMinimumSectionSize(8);
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->save();
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();
    if (!model())
        return;
    const auto marker =
        SortMarker(model()->headerData(logicalIndex, orientation(), SortMarkerRole).toInt());
    if (marker == SortMarker::None || rect.width() < 16)
        return;
    // A small filled triangle at the right end of the title: up for ascending, down for
    // descending.
    const int w = 7, h = 4;
    const int x = rect.right() - w - 4;
    const int y = rect.center().y() - h / 2;
    QPolygon triangle;
    if (marker == SortMarker::Ascending)
        triangle << QPoint(x, y + h) << QPoint(x + w, y + h) << QPoint(x + w / 2, y);
    else
        triangle << QPoint(x, y) << QPoint(x + w, y) << QPoint(x + w / 2, y + h);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(palette().color(QPalette::ButtonText));
    painter->drawPolygon(triangle);
    painter->restore();
}

FooterBar::FooterBar(QTableView* view, TextFunction text, AlignmentFunction alignment,
                     QWidget* parent)
    : QWidget(parent), m_view(view), m_text(std::move(text)), m_alignment(std::move(alignment))
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    QHeaderView* header = view->horizontalHeader();
    auto repaint = [this] { update(); };
    connect(header, &QHeaderView::sectionResized, this, repaint);
    connect(header, &QHeaderView::sectionMoved, this, repaint);
    connect(header, &QHeaderView::sectionCountChanged, this, repaint);
    connect(header, &QHeaderView::geometriesChanged, this, repaint);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
}

void FooterBar::setRowHeight(int height)
{
    m_rowHeight = height;
    updateGeometry();
}

QSize FooterBar::sizeHint() const
{
    return {100, m_rowHeight + 2};
}

void FooterBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    const QHeaderView* header = m_view->horizontalHeader();
    // The cells start where the view's viewport starts, wherever the view lies in the grid.
    const QPoint origin = m_view->viewport()->mapTo(window(), QPoint(0, 0))
                          - mapTo(window(), QPoint(0, 0));
    const int left = origin.x();
    const int right = left + m_view->viewport()->width();
    p.setClipRect(QRect(left, 0, right - left, height()));
    p.setPen(palette().color(QPalette::Mid));
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical))
            continue;
        const QRect cell(left + header->sectionViewportPosition(logical), 0,
                         header->sectionSize(logical), height());
        if (cell.right() < left || cell.left() > right)
            continue;
        p.setPen(palette().color(QPalette::Mid));
        p.drawLine(cell.topRight(), cell.bottomRight());
        const QString text = m_text(logical);
        if (text.isEmpty())
            continue;
        p.setPen(palette().color(QPalette::ButtonText));
        const QRect inner = cell.adjusted(3, 0, -4, 0);
        const QString shown = fontMetrics().elidedText(text, Qt::ElideRight, inner.width());
        p.drawText(inner, int(m_alignment(logical) | Qt::AlignVCenter), shown);
    }
    p.setClipping(false);
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(rect().topLeft(), rect().topRight());
}

} // namespace grid
