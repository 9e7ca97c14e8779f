#pragma once

#include "data/RecordSet.h"
#include "holdings/ReaderWhere.h"

#include <QDateTime>
#include <QString>
#include <memory>
#include <optional>

// One reader with the limits of its kind and the names of its kind and state, as the reader
// windows and circulation exchange it.
struct RReader
{
    int Id = 0; // 0 for a reader not yet saved
    QString Code;
    QString Name;
    QString Ping;
    QString Sex;
    std::optional<int> KindId;
    QString KindName;
    QString Tel;
    QString Dept;
    QDateTime Adddate; // invalid for none
    QString Address;
    QString IDCode;
    QString Notes;
    // the kind's limits; 0 when the reader has no kind (or its kind was deleted)
    int BookTop = 0;
    int BookDays = 0;
    int BookRelet = 0;
    int JourTop = 0;
    int JourDays = 0;
    int JourRelet = 0;
    QString StateName;
    double Deposit = 0;
    int Loaning = 0;
    int Loanall = 0;
    int Loanover = 0;

    // A new reader: no kind, registered now, counters 0.
    static RReader New();
};

// What a reader still owes the library: loans neither returned nor written off, and the fines not
// yet paid.
struct RReaderDebts
{
    int OpenBooks = 0;
    int OpenJournals = 0;
    double UnpaidFines = 0;

    int OpenLoans() const { return OpenBooks + OpenJournals; }
};

// The readers as the reader list shows them, and the class operations on table readers through
// which the windows and circulation change them.
class TReaderSet : public TRecordSet
{
    Q_OBJECT

public:
    // The operation codes of ChangeState, in the order the state window offers them.
    enum TStateOp {
        ReportLost = 0,
        Release = 1,
        Disable = 2,
        Enable = 3,
    };

    explicit TReaderSet(QObject* owner = nullptr);
    ~TReaderSet() override;

    TField& IdFld() const { return field(m_id); }
    TField& CodeFld() const { return field(m_code); }
    TField& NameFld() const { return field(m_name); }
    TField& PingFld() const { return field(m_ping); }
    TField& SexFld() const { return field(m_sex); }
    TField& KindIdFld() const { return field(m_kindId); }
    TField& KindNameFld() const { return field(m_kindName); }
    TField& TelFld() const { return field(m_tel); }
    TField& DeptFld() const { return field(m_dept); }
    TField& AdddateFld() const { return field(m_adddate); }
    TField& AddressFld() const { return field(m_address); }
    TField& IdCodeFld() const { return field(m_idCode); }
    TField& NotesFld() const { return field(m_notes); }
    TField& BookTopFld() const { return field(m_bookTop); }
    TField& BookDaysFld() const { return field(m_bookDays); }
    TField& BookReletFld() const { return field(m_bookRelet); }
    TField& JourTopFld() const { return field(m_jourTop); }
    TField& JourDaysFld() const { return field(m_jourDays); }
    TField& JourReletFld() const { return field(m_jourRelet); }
    TField& LoaningFld() const { return field(m_loaning); }
    TField& LoanallFld() const { return field(m_loanall); }
    TField& LoanoverFld() const { return field(m_loanover); }
    TField& StateNameFld() const { return field(m_stateName); }
    TField& DepositFld() const { return field(m_deposit); }

    TReaderWhere& Where() const { return *m_where; }

    // Opens the readers that meet the conditions of Where(), in no particular order.
    void Search();

    // The current row as a record, and a record written into the current row (which must be in
    // edit or insert state; the caller posts it).
    RReader AsData() const;
    void SetAsData(const RReader& reader);
    // Shows a saved reader in the open rows: its row when there is one, else a new row. Nothing
    // reaches the database.
    void PostData(const RReader& reader);

    // Updates the reader when its Id is above 0 (state, counters and deposit stay as they are),
    // otherwise inserts it in state 1 with counters 0 and the column's default deposit, and writes
    // the new Id into `reader`. True exactly when one row was written.
    static bool Save(RReader& reader);
    // Deletes the reader and its photo; true when the reader row was deleted.
    static bool Delete(int id);
    // Runs one of the state operations; `failText` receives the text to show when it fails
    // (set on every call).
    static bool ChangeState(int id, int op, QString& failText);
    // Adds `amount` (negative to deduct) to the deposit, a missing one counting as 0, and reads the
    // new balance into `balance`. Runs inside the caller's transaction when there is one.
    static bool AddDeposit(int id, double amount, double& balance);
    // An item lent to the reader.
    static bool IncLoan(int id);
    // An item taken back; an overdue return counts in Loanover.
    static bool DecLoan(int id, bool overdue);
    // A lent item written off (`off`) or the write-off undone.
    static bool SetOff(int id, bool off);

    // The reader's open book and journal loans (one query each) and unpaid fines.
    static RReaderDebts Debts(int id);
    // The question to ask before deleting a reader who still owes something; empty when nothing is owed.
    static QString DeleteQuestion(int id);

private:
    TField& field(int index) const { return DataSet()->Field(index); }

    std::unique_ptr<TReaderWhere> m_where;
    int m_id = -1;
    int m_code = -1;
    int m_name = -1;
    int m_ping = -1;
    int m_sex = -1;
    int m_kindId = -1;
    int m_kindName = -1;
    int m_tel = -1;
    int m_dept = -1;
    int m_adddate = -1;
    int m_address = -1;
    int m_idCode = -1;
    int m_notes = -1;
    int m_bookTop = -1;
    int m_bookDays = -1;
    int m_bookRelet = -1;
    int m_jourTop = -1;
    int m_jourDays = -1;
    int m_jourRelet = -1;
    int m_loaning = -1;
    int m_loanall = -1;
    int m_loanover = -1;
    int m_stateName = -1;
    int m_deposit = -1;
};
