#pragma once

#include "circulation/Circulation.h"
#include "data/LwClientDataSet.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

struct RReader;

// One book loan being renewed, handed to the save (which uses the id and the renewal columns).
struct RBookRenew
{
    int Id = 0; // the loan's id
    int BookId = 0;
    QString BookName;
    QString BookISBN;
    QString BookAuthor;
    QVariant BookPrice;
    QString BookAppendix;
    QString BookPublisher;
    QDateTime LoanDate;
    QDateTime RenewDate;
    QString Renewman;
    QDateTime ShldretDate;
    int Overdays = 0;
};
using RBookRenews = QList<RBookRenew>;

// The reader's open book loans on the renewal window.
class TBookRenewSet : public TLwClientDataSet
{
    Q_OBJECT

public:
    TBookRenewSet();

    // Appends the loan with today as its renewal date and its current due date.
    void AddLoan(const Circulation::ROpenLoan& loan);
    // The rows in list order, renewed by the logged-in operator.
    void GetRows(RBookRenews& rows) const;
    // Renews every row on `renewDate`, due after the BookRelet days of the reader shown at save time.
    static void Redate(RBookRenews& rows, const QDate& renewDate, const RReader& reader);
    // Writes the renewals in one transaction. Only loans still open are renewed: one returned or
    // written off meanwhile fails the save, and then nothing is written.
    static bool SaveRows(const RBookRenews& rows, QString& message);
};
