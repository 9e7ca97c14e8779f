#pragma once

#include <QList>
#include <QString>

// One column of an enhanced grid: the field it shows, its title, width in pixels and visibility.
struct TGridColumn
{
    QString FieldName;
    QString Title;
    int Width = 64;
    bool Visible = true;
};
using TGridColumns = QList<TGridColumn>;

// The stored form of a grid's columns: one "Field=True120" line per column in column order, each
// ending in CR LF. Kept apart from the widgets so both grid faces read and write it the same way.
class TGridLayout
{
public:
    // The layout text of `columns` in their order.
    static QString Text(const TGridColumns& columns);

    // Applies `text` to `columns`, which hold the default columns. Each column listed with a value
    // gets its visibility ("True" anywhere in the value) and width; then the lines, walked from the
    // last, move their columns to the line's position. A width that is not a number ends the apply
    // there, leaving what was done before it. Returns false when it ended early.
    static bool Apply(TGridColumns& columns, const QString& text);

    // Widths outside this range come from damaged texts and are pulled into it.
    static constexpr int MaxWidth = 4000;
};
