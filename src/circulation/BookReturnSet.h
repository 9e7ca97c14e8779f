#pragma once

#include "circulation/Circulation.h"
#include "data/LwClientDataSet.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

// One book loan being taken back, handed to the save.
struct RBookReturn
{
    int Id = 0; // the loan's id
    QDateTime LoanDate;
    int ReaderId = 0;
    int BookId = 0;
    QString BookName;
    QString BookISBN;
    QVariant BookPrice;
    QString BookAppendix;
    QString BookAuthor;
    QString BookPublisher;
    QDateTime ReturnDate;
    QString Returnman;
    int OverDays = 0;
    double Overfund = 0;
    QVariant Finedate; // null: not paid (yet)
    QString Fineman;
    int PaytypeId = 0;
    QString Finenote;
};
using RBookReturns = QList<RBookReturn>;

// The reader's open book loans on the return window, each with its overdue days and fine.
class TBookReturnSet : public TLwClientDataSet
{
    Q_OBJECT

public:
    TBookReturnSet();

    // Appends the loan as returned today, with the whole days by which now passes its due date
    // and the fine for them (both empty when it is not overdue).
    void AddLoan(const Circulation::ROpenLoan& loan);
    // The rows in list order, taken back by the logged-in operator; empty days and fines read as 0.
    void GetRows(RBookReturns& rows) const;
    // Records how the fines are paid: today, by the logged-in operator, with the pay type (0 when
    // none was chosen) and the note.
    static void SetPayment(RBookReturns& rows, int paytypeId, const QString& note);
    // Closes every loan, records its fine and moves the counters back, in one transaction; false
    // with the text to show when any step fails, and then nothing is written.
    static bool SaveRows(const RBookReturns& rows, QString& message);
};
