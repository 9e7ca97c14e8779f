#pragma once

#include <QString>

// The table syscols: one stored grid layout text (F06) per layout id (F02).
class TSyscolsSet
{
public:
    // The layout text stored for `id`; the empty text when there is none (`found` says which).
    // A failing select has been shown to the operator and raises EAbort.
    static QString Load(int id, bool* found = nullptr);
    // Updates the row of `id`, or inserts it when there is none. True when one row was written;
    // a failing statement raises EDatabaseError.
    static bool Store(int id, const QString& text);
};
