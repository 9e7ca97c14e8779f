#pragma once

#include <QList>
#include <QString>

// One item of a data set's sort text.
struct RSortItem
{
    QString Field;
    bool Descending = false;
};
using RSortItems = QList<RSortItem>;

// The two spellings of a sort text the grids use: the title markers write "A, B DESC " (ascending
// items without a direction word), the sort dialog writes "A ASC,B DESC". Both read back alike.
class TSortText
{
public:
    // The text of the sort-marked columns, in marking order: each field followed by " DESC , " or
    // ", ", the last two characters cut off; empty without items.
    static QString FromMarkers(const RSortItems& items);
    // The sort dialog's text: "Field ASC" / "Field DESC" joined by ",".
    static QString Join(const RSortItems& items);
    // Reads either spelling: items split at commas, words at blanks (a word in double or single
    // quotes stays whole); an item's last word ASC or DESC is its direction, an item without one is
    // ascending, a direction word standing alone is dropped.
    static RSortItems Parse(const QString& text);
};
