#pragma once

#include "data/LwClientDataSet.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

struct RBook;
struct RReader;

// One pending book loan handed to the save.
struct RBookLoanX
{
    int Id = 0; // the save allocates ids of its own
    QDateTime LoanDate;
    int ReaderId = 0;
    int BookId = 0;
    QString Loanman;
    QDateTime ShldretDate;
};
using RBookLoanXs = QList<RBookLoanX>;

// The books waiting on the loan window to be lent to one reader.
class TBookLoanSet : public TLwClientDataSet
{
    Q_OBJECT

public:
    TBookLoanSet();

    // Appends the book for the reader (id 0 when none is chosen), due after the kind's BookDays.
    void AddItem(const RBook& book, const RReader& reader, const QDate& loanDate);
    // The rows in list order, lent by the logged-in operator.
    void GetRows(RBookLoanXs& rows) const;
    // Dates every row by the loan date and the loan period of the reader shown at save time; the
    // reader each row was added for stays.
    static void Redate(RBookLoanXs& rows, const QDate& loanDate, const RReader& reader);
    // Writes every row (loan, book and reader counters) in one transaction; false with the text
    // to show when any step fails, and then nothing is written.
    static bool SaveRows(const RBookLoanXs& rows, QString& message);
};
