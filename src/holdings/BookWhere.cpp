#include "holdings/BookWhere.h"

using namespace Qt::StringLiterals;

namespace {

QList<TWhereClause> bookClauses()
{
    using C = TWhereClause;
    const auto like = &THoldingWhere::Like;
    return {
        C::Integer(u"Id"_s, u"b.Id=?"_s),
        C::Integer(u"CataId"_s, u"b.CataId=?"_s),
        // a class's code is the prefix of every subclass's code, and each segment ends with a dot
        C::ClassCode(u"CataCode"_s, u"a.Code like ?"_s, u"(a.Id is null)"_s),
        C::Text(u"Code"_s, u"b.Code=?"_s),
        THoldingWhere::Contains(u"Name"_s, like(u"b.Name"_s)),
        C::Text(u"ISBN"_s, u"b.ISBN=?"_s),
        C::Text(u"Ping"_s, u"b.Ping=?"_s),
        C::Text(u"Location"_s, u"b.Location=?"_s),
        C::Text(u"Author"_s, u"b.Author=?"_s),
        C::Text(u"CataMark"_s, u"a.Mark=?"_s),
        THoldingWhere::Contains(u"CataName"_s, like(u"a.Name"_s)),
        C::Text(u"Shou"_s, u"b.Shou=?"_s),
        THoldingWhere::Contains(u"Publisher"_s, like(u"b.Publisher"_s)),
        C::Text(u"Kai"_s, u"b.Kai=?"_s),
        C::Text(u"Zhuang"_s, u"b.Binding=?"_s),
        THoldingWhere::Contains(u"Lang"_s, like(u"b.Language"_s)),
        C::DateFrom(u"Getdate1"_s, u"b.Getdate>=?"_s),
        C::DateTo(u"Getdate2"_s, u"b.Getdate<?"_s),
        THoldingWhere::Price(u"Price1"_s, u"b.Price>=?"_s),
        THoldingWhere::Price(u"Price2"_s, u"b.Price<=?"_s),
        C::Integer(u"QtyTotal1"_s, u"b.QtyLib+b.QtyLoan+b.QtyOff>=?"_s),
        C::Integer(u"QtyTotal2"_s, u"b.QtyLib+b.QtyLoan+b.QtyOff<=?"_s),
        C::Integer(u"QtyLoan1"_s, u"b.QtyLoan>=?"_s),
        C::Integer(u"QtyLoan2"_s, u"b.QtyLoan<=?"_s),
        C::Integer(u"QtyOff1"_s, u"b.QtyOff>=?"_s),
        C::Integer(u"QtyOff2"_s, u"b.QtyOff<=?"_s),
        C::Integer(u"QtyLib1"_s, u"b.QtyLib>=?"_s),
        C::Integer(u"QtyLib2"_s, u"b.QtyLib<=?"_s),
        C::Integer(u"TimesLoan1"_s, u"b.TimesLoan>=?"_s),
        C::Integer(u"TimesLoan2"_s, u"b.TimesLoan<=?"_s),
        THoldingWhere::Contains(
            u"Keyword"_s, u"(%1 or %2 or %3 or %4 or %5)"_s.arg(like(u"b.Code"_s), like(u"b.Name"_s), like(u"b.ISBN"_s),
                                                                like(u"b.Ping"_s), like(u"b.Author"_s))),
    };
}

} // namespace

TBookWhere::TBookWhere() : THoldingWhere(bookClauses()) {}
