#pragma once

#include <QString>
#include <QVariant>

// How a fine is paid; the ids are those of table finetypes.
enum TPayType {
    PayLater = 1,
    PayFromDeposit = 2,
    PayCash = 3,
};

// One fine, as saved and as read from the fine list.
struct RFine
{
    int Id = 0;        // 0 for a new fine
    QVariant OffId;    // the write-off it belongs to, or null
    QVariant LoanId;   // the overdue loan it belongs to, or null
    QVariant Finedate; // null while unpaid
    int PaytypeId = 0;
    QString Paytype;
    QString Finetype;
    double Finefund = 0;
    QString Fineman;
    QString Finenote;
    int ReaderId = 0; // whose deposit pays a deposit payment
    QString ReaderCode;
    QString ReaderName;
    QString ReaderSex;
    QString ReaderDept;
    QString ReaderKindName;
    QString ReaderState;
    QString ReaderTel;
    double ReaderDeposit = 0;
    QVariant ReaderAdddate;
    int BookId = 0; // the book's or the journal's id
    QString BookCode;
    QString BookName;
    QString BookISBN;
    QString BookAppendix;
    QVariant BookPrice;
    QString Booktype; // "图书" or "期刊"
    QVariant LoanDate;
    QVariant ShldretDate;
    QVariant ReturnDate;
    double Shldfund = 0;
};

// The fines: the class-level saves that returns, write-offs and the pay dialog use.
class TFineQuery
{
public:
    // Updates the fine when its Id is above 0, else inserts it with a new Id (written back into
    // the record). True exactly when one row was affected; otherwise `message` names the Id passed in.
    static bool StoreFine(RFine& fine, QString& message);
    // StoreFine, then, for a dated fine paid from the deposit, takes the amount off the reader's
    // deposit. Opens no transaction of its own: callers that write more run it inside theirs.
    static bool SaveFine(RFine& fine, QString& message);
};
