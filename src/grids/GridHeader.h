#pragma once

#include <QHeaderView>
#include <functional>

// The header of an enhanced grid. Across the top it draws a sort marker on every sort-marked
// column (the platform header knows only one); down the side it is the row indicator, showing
// either the row numbers with the current row in bold or a marker at the current row.
class TGridHeader : public QHeaderView
{
    Q_OBJECT

public:
    enum class TMarker {
        None,
        Ascending,
        Descending,
    };
    enum class TIndicator {
        Marker,
        Numbers,
    };

    explicit TGridHeader(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Columns: the marker of a section (by logical index).
    std::function<TMarker(int logical)> MarkerOf;
    // Rows: the current row, or -1.
    std::function<int()> CurrentRow;
    void SetIndicator(TIndicator indicator) { m_indicator = indicator; }
    TIndicator Indicator() const { return m_indicator; }

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    TIndicator m_indicator = TIndicator::Numbers;
};
