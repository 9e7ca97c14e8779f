#pragma once

#include "circulation/Circulation.h"
#include "data/LwClientDataSet.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

struct RReader;

// One journal loan being renewed, handed to the save (which uses the id and the renewal columns).
struct RJourRenew
{
    int Id = 0; // the loan's id
    int JourId = 0;
    QString JourCode;
    QString JourName;
    QString JourISSN;
    QVariant JourPrice;
    QString JourAppendix;
    QDateTime LoanDate;
    QDateTime RenewDate;
    QString Renewman;
    QDateTime ShldretDate;
    int Overdays = 0;
};
using RJourRenews = QList<RJourRenew>;

// The reader's open journal loans on the renewal window.
class TJourRenewSet : public TLwClientDataSet
{
    Q_OBJECT

public:
    TJourRenewSet();

    void AddLoan(const Circulation::ROpenLoan& loan);
    void GetRows(RJourRenews& rows) const;
    // Renews every row on `renewDate`, due after the JourRelet days of the reader shown at save time.
    static void Redate(RJourRenews& rows, const QDate& renewDate, const RReader& reader);
    // As TBookRenewSet::SaveRows, for journals.
    static bool SaveRows(const RJourRenews& rows, QString& message);
};
