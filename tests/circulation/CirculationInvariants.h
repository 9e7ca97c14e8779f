#pragma once

#include "data/Database.h"

#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <cmath>

using namespace Qt::StringLiterals;

// What circulation must keep true whatever it does, checked against the rows themselves:
// - a title's copies (QtyLib + QtyLoan + QtyOff) are what they were before;
// - a title's QtyLoan is its open loans (neither returned nor written off);
// - a reader's Loaning is the reader's open loans;
// - a reader's deposit is the top-ups less the fines paid from it.
// Take a snapshot when the scenario's rows are in place, and ask Broken() at the end: it lists every
// title or reader that is off, so an empty text means all holds.
namespace CirculationInvariants {

struct TSnapshot
{
    QHash<QString, int> Copies; // "books 3" -> QtyLib + QtyLoan + QtyOff
};

inline QHash<QString, int> copies()
{
    QHash<QString, int> result;
    for (const QString& table : {u"books"_s, u"journals"_s}) {
        QSqlQuery query = Database().Select(u"select Id, QtyLib+QtyLoan+QtyOff from %1"_s.arg(table));
        while (query.next())
            result.insert(u"%1 %2"_s.arg(table).arg(query.value(0).toInt()), query.value(1).toInt());
    }
    return result;
}

inline TSnapshot Take()
{
    return {copies()};
}

inline QString Broken(const TSnapshot& before)
{
    QStringList problems;
    const QHash<QString, int> now = copies();
    for (auto it = before.Copies.cbegin(); it != before.Copies.cend(); ++it)
        if (now.value(it.key(), -1) != it.value())
            problems << u"%1: copies %2, were %3"_s.arg(it.key()).arg(now.value(it.key(), -1)).arg(it.value());

    const QString open = u"l.ReturnDate is null and not exists (select 1 from writeoffs w where w.LoanId=l.Id)"_s;
    for (const auto& [table, column] : {std::pair(u"books"_s, u"BookId"_s), std::pair(u"journals"_s, u"JourId"_s)}) {
        QSqlQuery query = Database().Select(
            u"select t.Id, t.QtyLoan, (select count(*) from loans l where l.%1=t.Id and %2) from %3 t"_s.arg(
                column, open, table));
        while (query.next())
            if (query.value(1).toInt() != query.value(2).toInt())
                problems << u"%1 %2: QtyLoan %3, open loans %4"_s.arg(table)
                                .arg(query.value(0).toInt())
                                .arg(query.value(1).toInt())
                                .arg(query.value(2).toInt());
    }

    QSqlQuery readers = Database().Select(
        u"select r.Id, r.Loaning, (select count(*) from loans l where l.ReaderId=r.Id and %1), r.Deposit, "
        u"(select coalesce(sum(c.Charfund),0) from charges c where c.ReaderId=r.Id), "
        u"(select coalesce(sum(f.Finefund),0) from fines f where f.PaytypeId=2 and not (f.Finedate is null) and "
        u"(f.LoanId in (select l.Id from loans l where l.ReaderId=r.Id) or f.OffId in (select w.Id from "
        u"(writeoffs w left join loans l on l.Id=w.LoanId) where l.ReaderId=r.Id))) from readers r"_s.arg(open));
    while (readers.next()) {
        const int id = readers.value(0).toInt();
        if (readers.value(1).toInt() != readers.value(2).toInt())
            problems << u"reader %1: Loaning %2, open loans %3"_s.arg(id)
                            .arg(readers.value(1).toInt())
                            .arg(readers.value(2).toInt());
        const double deposit = readers.value(3).toDouble();
        const double expected = readers.value(4).toDouble() - readers.value(5).toDouble();
        if (std::abs(deposit - expected) > 1e-6)
            problems << u"reader %1: deposit %2, top-ups less paid fines %3"_s.arg(id).arg(deposit).arg(expected);
    }
    return problems.join(u"; "_s);
}

} // namespace CirculationInvariants
