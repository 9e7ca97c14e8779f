#include "circulation/FineQuery.h"

#include "data/RowWriter.h"
#include "holdings/ReaderSet.h"

using namespace Qt::StringLiterals;

bool TFineQuery::StoreFine(RFine& fine, QString& message)
{
    const int passedId = fine.Id;
    int id = fine.Id;
    const bool stored = TRowWriter::Save(
        u"fines"_s, id,
        u"update fines set OffId=:OffId, LoanId=:LoanId, Finedate=:Finedate, Fineman=:Fineman, Finefund=:Finefund, "
        u"Finenote=:Finenote, PaytypeId=:PaytypeId where Id=:Id"_s,
        u"insert into fines(OffId, LoanId, Finedate, Fineman, Finefund, Finenote, PaytypeId, Id)values(:OffId, "
        u":LoanId, :Finedate, :Fineman, :Finefund, :Finenote, :PaytypeId, :Id)"_s,
        {MakeParam(u"OffId"_s, fine.OffId), MakeParam(u"LoanId"_s, fine.LoanId),
         MakeParam(u"Finedate"_s, fine.Finedate), MakeParam(u"Fineman"_s, fine.Fineman),
         MakeParam(u"Finefund"_s, fine.Finefund), MakeParam(u"Finenote"_s, fine.Finenote),
         MakeParam(u"PaytypeId"_s, fine.PaytypeId)});
    if (!stored) {
        message = u"\r\n标识为%1的fines更新失败!\t"_s.arg(passedId);
        return false;
    }
    fine.Id = id;
    return true;
}

bool TFineQuery::SaveFine(RFine& fine, QString& message)
{
    if (!StoreFine(fine, message))
        return false;
    if (fine.Finedate.isNull() || fine.PaytypeId != PayFromDeposit)
        return true;
    // Nothing compares the balance with the fine: a deposit may go below zero.
    double balance = 0;
    if (!TReaderSet::AddDeposit(fine.ReaderId, -fine.Finefund, balance)) {
        message = u"\r\n读者 %1 押金更新失败!\t"_s.arg(fine.ReaderId);
        return false;
    }
    return true;
}
