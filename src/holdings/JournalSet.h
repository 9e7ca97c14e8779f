#pragma once

#include "holdings/HoldingSet.h"
#include "holdings/JournalWhere.h"

#include <QVariant>

// One journal title as windows and circulation exchange it.
struct RJournal
{
    int Id = 0; // 0 for a new journal
    QString Code;
    QString Name;
    QString Ping;
    QString Editor;
    QString ISSN;
    QVariant CataId; // null: no class
    QString CataMark;
    QString CataName;
    QString Publisher;
    QString PubPeriod;
    QString YearNo;
    QString TotalNo;
    QString Lang;
    QString Kai;
    QString Location;
    QString Appendix;
    QVariant Price;   // null when not given; a typed text is converted when saving
    QVariant Getdate; // null or a date
    QString Contents;
    int QtyLib = 0;
    int QtyLoan = 0;
    int QtyOff = 0;
    int QtyTotal = 0; // QtyLib + QtyLoan + QtyOff when read; never written
    int TimesLoan = 0;
};

// The journals: the search result a list shows, and the class-level writes.
class TJournalSet : public THoldingSet
{
public:
    TJournalSet();

    TJournalWhere* Where() const { return static_cast<TJournalWhere*>(THoldingSet::Where()); }

    RJournal AsData() const;
    void AsData(const RJournal& record);

    // As TBookSet::Save, on journals.
    static bool Save(RJournal& record);
    static bool Delete(int id);
    static bool IncLoan(int id);
    static bool DecLoan(int id);
    static bool SetOff(int id, bool off);
    static int OpenLoans(int id);
    static QString OpenLoansQuestion(int count);
};
