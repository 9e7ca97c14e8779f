#include "grids/GridHeader.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionHeader>

TGridHeader::TGridHeader(Qt::Orientation orientation, QWidget* parent) : QHeaderView(orientation, parent)
{
    setHighlightSections(false);
    if (orientation == Qt::Horizontal) {
        setSectionsClickable(true);
        setSectionsMovable(true);
        setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    } else {
        setSectionResizeMode(QHeaderView::Fixed);
        setDefaultAlignment(Qt::AlignCenter);
    }
}

void TGridHeader::initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    if (orientation() == Qt::Horizontal) {
        const TMarker marker = MarkerOf ? MarkerOf(logicalIndex) : TMarker::None;
        // ascending points up, as list headers on the desktop show it
        option->sortIndicator = marker == TMarker::Ascending    ? QStyleOptionHeader::SortUp
                                : marker == TMarker::Descending ? QStyleOptionHeader::SortDown
                                                                : QStyleOptionHeader::None;
    } else if (m_indicator == TIndicator::Marker) {
        option->text.clear();
    }
}

void TGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (orientation() == Qt::Horizontal) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    const bool current = CurrentRow && CurrentRow() == logicalIndex;
    painter->save();
    QFont font = this->font();
    font.setBold(current && m_indicator == TIndicator::Numbers);
    painter->setFont(font);
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();
    if (current && m_indicator == TIndicator::Marker) {
        // a small black triangle pointing at the current row
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QPointF c = QRectF(rect).center();
        QPainterPath arrow;
        arrow.moveTo(c.x() - 2.5, c.y() - 4);
        arrow.lineTo(c.x() + 2.5, c.y());
        arrow.lineTo(c.x() - 2.5, c.y() + 4);
        arrow.closeSubpath();
        painter->fillPath(arrow, palette().color(QPalette::WindowText));
        painter->restore();
    }
}

QSize TGridHeader::sectionSizeFromContents(int logicalIndex) const
{
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    if (orientation() == Qt::Vertical && m_indicator == TIndicator::Numbers) {
        // wide enough for the number in bold, whichever row becomes current
        QFont bold = font();
        bold.setBold(true);
        const int text = QFontMetrics(bold).horizontalAdvance(QString::number(logicalIndex + 1));
        size.setWidth(std::max(size.width(), text + 10));
    }
    return size;
}
