#pragma once

#include "grids/LwGrid.h"

class QWidget;

// The work-window face of the enhanced grid: one record selected at a time, a numbered row
// indicator (the current row in bold) under the title "NO", even records tinted, footer sums
// formatted "0" or "0.##", and a stored layout showing only the columns it lists as visible.
class TlwGridcx : public TLwGrid
{
    Q_OBJECT

public:
    explicit TlwGridcx(QWidget* parent = nullptr);

    // Creates a grid filling `panel`, showing `dataSet`, with `layoutId` as its Tag and that
    // layout loaded. The panel (a Qt child of the window) owns it.
    static TlwGridcx* CreateOnPanel(QWidget* panel, TLwDataSet* dataSet, int layoutId);

    // The layout text of the columns; setting it applies a layout.
    QString Layout() const { return LayoutText(); }
    void SetLayout(const QString& text) { ApplyLayoutText(text); }

    // The colour of even records, $F0FBFF in blue-green-red order: red 255, green 251, blue 240.
    static QColor EvenRowColor() { return FromBgr(0xF0FBFF); }
};
