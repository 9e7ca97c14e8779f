#pragma once

#include "data/LwClientDataSet.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

struct RJournal;
struct RReader;

// One pending journal loan handed to the save.
struct RJourLoanEdit
{
    int Id = 0; // the save allocates ids of its own
    QDateTime LoanDate;
    int ReaderId = 0;
    int JourId = 0;
    QString Loanman;
    QDateTime ShldretDate;
};
using RJourLoanEdits = QList<RJourLoanEdit>;

// The journals waiting on the loan window to be lent to one reader.
class TJourLoanSet : public TLwClientDataSet
{
    Q_OBJECT

public:
    TJourLoanSet();

    // Appends the journal for the reader (id 0 when none is chosen), due after the kind's JourDays.
    void AddItem(const RJournal& journal, const RReader& reader, const QDate& loanDate);
    void GetRows(RJourLoanEdits& rows) const;
    static void Redate(RJourLoanEdits& rows, const QDate& loanDate, const RReader& reader);
    // As TBookLoanSet::SaveRows, for journals.
    static bool SaveRows(const RJourLoanEdits& rows, QString& message);
};
