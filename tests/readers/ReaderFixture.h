#pragma once

#include "data/Database.h"
#include "holdings/ReaderSet.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <QString>
#include <QTest>
#include <QVariant>

using namespace Qt::StringLiterals;

// Rows written straight into the tables, so each test starts from exactly the state it is about.
namespace ReaderFixture {

// One row per engine, for tests with no other columns.
inline void EngineRows()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

inline void AddKind(int id, const QString& name, int bookTop = 3)
{
    Database().Execute(u"insert into readerskind(Id, Name, BookTop, BookDays, BookRelet, JourTop, JourDays, JourRelet) "
                       u"values(:Id, :Name, :BookTop, 30, 15, 2, 10, 5)"_s,
                       {MakeParam(u"Id"_s, id), MakeParam(u"Name"_s, name), MakeParam(u"BookTop"_s, bookTop)});
}

struct TReaderRow
{
    int Id = 1;
    QString Code = u"R001"_s;
    QString Name = u"张三"_s;
    QVariant KindId;
    int StateId = 1;
    QVariant Deposit = 0.0;
    int Loaning = 0;
    int Loanall = 0;
    int Loanover = 0;
    QString Tel;
    QString Address;
    QString Dept;
    QString IdCode;
    QString Ping = u"ZS"_s;
    QDateTime Adddate;
};

inline void AddReader(const TReaderRow& r)
{
    Database().Execute(
        u"insert into readers(Id, Code, Name, Ping, Sex, KindId, Tel, Dept, Adddate, Address, IDCode, Notes, StateId, "
        u"Loaning, Loanall, Loanover, Deposit) values(:Id, :Code, :Name, :Ping, '男', :KindId, :Tel, :Dept, :Adddate, "
        u":Address, :IDCode, '', :StateId, :Loaning, :Loanall, :Loanover, :Deposit)"_s,
        {MakeParam(u"Id"_s, r.Id), MakeParam(u"Code"_s, r.Code), MakeParam(u"Name"_s, r.Name),
         MakeParam(u"Ping"_s, r.Ping), MakeParam(u"KindId"_s, r.KindId), MakeParam(u"Tel"_s, r.Tel),
         MakeParam(u"Dept"_s, r.Dept), MakeParam(u"Adddate"_s, r.Adddate.isValid() ? QVariant(r.Adddate) : QVariant()),
         MakeParam(u"Address"_s, r.Address), MakeParam(u"IDCode"_s, r.IdCode), MakeParam(u"StateId"_s, r.StateId),
         MakeParam(u"Loaning"_s, r.Loaning), MakeParam(u"Loanall"_s, r.Loanall), MakeParam(u"Loanover"_s, r.Loanover),
         MakeParam(u"Deposit"_s, r.Deposit)});
}

inline TReaderRow WithId(int id)
{
    TReaderRow row;
    row.Id = id;
    return row;
}

// One column of one reader; null when the reader is gone.
inline QVariant ReaderValue(int id, const QString& column)
{
    QSqlQuery query = Database().Select(u"select %1 from readers where Id=:Id"_s.arg(column), {MakeParam(u"Id"_s, id)});
    return query.next() ? query.value(0) : QVariant();
}

inline int Count(const QString& sql)
{
    QSqlQuery query = Database().Select(sql);
    return query.next() ? query.value(0).toInt() : -1;
}

} // namespace ReaderFixture
