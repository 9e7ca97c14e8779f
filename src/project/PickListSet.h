#pragma once

#include "data/RecordSet.h"

#include <QString>
#include <QStringList>

// The numbered pick lists of table `options`: the suggestions the edit windows' drop-downs offer
// (0 formats, 1 bindings, 2 languages, 3 storage places, 4 departments, 5 publishing periods,
// 6 overdue days and 7 overdue amounts typed in the queries). A list is kept as one comma text.
class TPickListSet : public TRecordSet
{
    Q_OBJECT

public:
    explicit TPickListSet(QObject* owner = nullptr);

    // The stored comma text of list `key` in `list` (empty when there is none). True when exactly one
    // row holds the list.
    static bool LoadList(int key, QString& list);
    // Stores `list` as list `key`, updating its row or, when there is none, inserting it. True when
    // the last statement wrote exactly one row. A failing statement raises EDatabaseError.
    static bool SaveList(int key, const QString& list);

    // The same with the items themselves.
    static bool LoadItems(int key, QStringList& items);
    static bool SaveItems(int key, const QStringList& items);

    // Comma text: items separated by commas; an item holding a space (or any control character), a
    // comma or a double quote is written between double quotes with inner quotes doubled, and a
    // list of one empty item is written "". Reading also splits at unquoted spaces, so hand-written
    // text such as "a, b" reads as two items.
    static QString CommaText(const QStringList& items);
    static QStringList CommaTextItems(const QString& text);
};
