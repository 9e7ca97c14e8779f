#pragma once

#include "holdings/BookWhere.h"
#include "holdings/HoldingSet.h"

#include <QVariant>

// One book title as windows and circulation exchange it.
struct RBook
{
    int Id = 0; // 0 for a new book
    QString Code;
    QString Name;
    QString Ping;
    QString Author;
    QString ISBN;
    QVariant CataId; // null: no class
    QString CataMark;
    QString CataName;
    QString Zhong;
    QString Shou;
    QString Publisher;
    QString Pubdate;
    QString Kai;
    QString Binding;
    QString Language;
    QString Belongs;
    QString Pages;
    QString Appendix;
    QString Location;
    QVariant Price;   // null when not given; a typed text is converted when saving
    QVariant Getdate; // null or a date
    QString Contents;
    QString Notes;
    int QtyLib = 0;
    int QtyLoan = 0;
    int QtyOff = 0;
    int QtyTotal = 0; // QtyLib + QtyLoan + QtyOff when read; never written
    int TimesLoan = 0;
};

// The books: the search result a list shows, and the class-level writes.
class TBookSet : public THoldingSet
{
public:
    TBookSet();

    TBookWhere* Where() const { return static_cast<TBookWhere*>(THoldingSet::Where()); }

    // The current row as a record, and a record written into the current row (client rows only).
    RBook AsData() const;
    void AsData(const RBook& record);

    // Updates the book when record.Id > 0 (the circulation counters stay as they are); otherwise
    // inserts it with QtyLoan, QtyOff and TimesLoan 0 and a new Id, written back into the record.
    // True when one row was affected; raises EDatabaseError when the database refuses.
    static bool Save(RBook& record);
    static bool Delete(int id);
    static bool IncLoan(int id);
    static bool DecLoan(int id);
    static bool SetOff(int id, bool off);
    // Copies of the title still out on loan (neither returned nor written off).
    static int OpenLoans(int id);
    // The question asked before deleting a title with `count` copies out.
    static QString OpenLoansQuestion(int count);
};
