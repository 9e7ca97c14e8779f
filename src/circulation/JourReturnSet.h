#pragma once

#include "circulation/Circulation.h"
#include "data/LwClientDataSet.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

// One journal loan being taken back, handed to the save.
struct RJourReturn
{
    int Id = 0; // the loan's id
    QDateTime LoanDate;
    int ReaderId = 0;
    int JourId = 0;
    QString JourCode;
    QString JourName;
    QString JourISSN;
    QVariant JourPrice;
    QString JourAppendix;
    QDateTime ReturnDate;
    QString Returnman;
    int OverDays = 0;
    double Overfund = 0;
    QVariant Finedate; // null: not paid (yet)
    QString Fineman;
    int PaytypeId = 0;
    QString Finenote;
};
using RJourReturns = QList<RJourReturn>;

// The reader's open journal loans on the return window, each with its overdue days and fine.
class TJourReturnSet : public TLwClientDataSet
{
    Q_OBJECT

public:
    TJourReturnSet();

    void AddLoan(const Circulation::ROpenLoan& loan);
    void GetRows(RJourReturns& rows) const;
    static void SetPayment(RJourReturns& rows, int paytypeId, const QString& note);
    // As TBookReturnSet::SaveRows, for journals.
    static bool SaveRows(const RJourReturns& rows, QString& message);
};
