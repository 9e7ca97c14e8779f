#pragma once

#include "data/Database.h"

// Makes the database refuse a company telephone longer than 20 characters, so a save can fail while
// reading still works. The one row holds Id 1, "第一中学图书馆" and telephone "123".
inline void RefuseLongCompanyTel()
{
    using namespace Qt::StringLiterals;
    TDatabase& db = Database();
    db.Execute(u"drop table Company"_s);
    db.Execute(
        u"create table Company (Id integer primary key, CompanyName text, Manager text, "
        u"Tel text check (length(Tel) <= 20), Fax text, Address text, Zip text, Profile text, Updated boolean)"_s);
    db.Execute(u"insert into Company(Id, CompanyName, Manager, Tel, Fax, Address, Zip, Profile, Updated) "
               u"values (1, '第一中学图书馆', '', '123', '', '', '', '', :Updated)"_s,
               {MakeParam(u"Updated"_s, true)});
}
