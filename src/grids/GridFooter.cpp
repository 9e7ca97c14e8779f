#include "grids/GridFooter.h"

#include <QHeaderView>
#include <QPainter>

TGridFooter::TGridFooter(QHeaderView* header, QWidget* parent) : QWidget(parent), m_header(header)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
}

int TGridFooter::PreferredHeight() const
{
    return fontMetrics().height() + 6;
}

void TGridFooter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor line = palette().color(QPalette::Mid);
    const int count = m_header->count();
    for (int visual = 0; visual < count; ++visual) {
        const int logical = m_header->logicalIndex(visual);
        if (m_header->isSectionHidden(logical))
            continue;
        const int x = m_header->sectionViewportPosition(logical);
        const int width = m_header->sectionSize(logical);
        if (x + width < 0 || x > this->width())
            continue;
        const QRect box(x, 0, width, height());
        painter.setPen(line);
        painter.drawLine(box.topRight(), box.bottomRight());
        const QString text = TextOf ? TextOf(logical) : QString();
        if (text.isEmpty())
            continue;
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(box.adjusted(3, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter,
                         fontMetrics().elidedText(text, Qt::ElideRight, width - 7));
    }
    painter.setPen(line);
    painter.drawLine(0, 0, width(), 0);
}
