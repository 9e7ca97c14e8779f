#pragma once

#include <QString>

// The library's own record: printed on reports, shown in the about box, asked for at start-up while
// its name is missing. The table is expected to hold one row; only the first is read.
class TCompany
{
public:
    // Copies the first row of `Company`; with no row the record becomes empty (identifier 0).
    void Load();
    // Whether the name is long enough to count as given: more than 7 bytes, a CJK character counting
    // two, so at least four Chinese characters.
    bool HasName() const;
    // Whether the table holds the row of this identifier.
    bool Exists() const;
    // Updates the stored row, or inserts it (identifier 0 for a record never stored). True when one
    // row was written; a failing statement raises EDatabaseError.
    bool Save();
    // Empties the record as a company never stored.
    void Clear();

    // The length of `text` in the two-byte national code page: one byte for ASCII, two for anything
    // else (counted per character, not per UTF-16 unit).
    static int CodePageLength(const QString& text);

    int Id = 0;
    QString CompanyName;
    QString Manager;
    QString Tel;
    QString Fax;
    QString Address;
    QString Zip;
    QString Profile;
    bool Updated = false; // not shown; written back as read
};

// The process-wide company record, loaded during start-up.
TCompany& Company();
