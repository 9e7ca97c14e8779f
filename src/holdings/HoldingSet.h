#pragma once

#include "data/QuerySet.h"
#include "holdings/HoldingWhere.h"

#include <QStringList>
#include <memory>

// What books and journals share: the search over their condition builder, the keyword filter on the
// loaded rows, the delete and the three counter statements. The two tables differ only in the
// columns, the labels and the conditions they declare.
class THoldingSet : public TQuerySet
{
public:
    // One holdings table as the shared operations need it.
    struct TTable
    {
        QString Name;            // "books"
        QString LoanColumn;      // the loans column pointing at it: "BookId"
        QString Select;          // the search's statement before its conditions
        QStringList QuickFields; // what QuickFilter looks in
    };

    ~THoldingSet() override;

    THoldingWhere* Where() const { return m_where.get(); }
    // Opens the rows that meet every condition of Where; the keyword filter is dropped.
    void Search();
    // Shows only the loaded rows whose quick fields contain `keyword` (letter case ignored); an empty
    // keyword shows them all again. Does nothing while the rows are closed.
    void QuickFilter(const QString& keyword);

protected:
    // One declared column: an empty label hides it from the grids.
    struct TColumn
    {
        TFieldType Type;
        const char16_t* Name;
        int Size;
        const char16_t* Label;
    };

    THoldingSet(const TTable& table, std::unique_ptr<THoldingWhere> where, const QList<TColumn>& columns);

    // The price as the statement binds it: null when empty, a number otherwise. A text that is not
    // a number raises EDatabaseError, so it is refused the same way on every engine.
    static QVariant priceParam(const QVariant& price);
    // The entry date as the statement binds it: null, or the day at midnight.
    static QVariant dateParam(const QVariant& date);
    // Reads the shared columns of the current row into a record of either kind.
    template <typename R> void readCommon(R& record) const;
    template <typename R> void writeCommon(const R& record);

    // The single-row writes; each true exactly when one row was affected.
    static bool deleteRow(const TTable& table, int id);
    static bool incLoan(const TTable& table, int id);
    static bool decLoan(const TTable& table, int id);
    static bool setOff(const TTable& table, int id, bool off);
    // Loans of the title neither returned nor written off.
    static int openLoans(const TTable& table, int id);

private:
    const TTable& m_table;
    std::unique_ptr<THoldingWhere> m_where;
};

template <typename R> void THoldingSet::readCommon(R& record) const
{
    const TLwDataSet* set = DataSet();
    record.Id = set->AsInteger(QStringLiteral("Id"));
    record.Code = set->AsString(QStringLiteral("Code"));
    record.Name = set->AsString(QStringLiteral("Name"));
    record.Ping = set->AsString(QStringLiteral("Ping"));
    record.CataId = set->Value(QStringLiteral("CataId"));
    record.CataMark = set->AsString(QStringLiteral("CataMark"));
    record.CataName = set->AsString(QStringLiteral("CataName"));
    record.Publisher = set->AsString(QStringLiteral("Publisher"));
    record.Kai = set->AsString(QStringLiteral("Kai"));
    record.Location = set->AsString(QStringLiteral("Location"));
    record.Appendix = set->AsString(QStringLiteral("Appendix"));
    record.Price = set->Value(QStringLiteral("Price"));
    record.Getdate = set->Value(QStringLiteral("Getdate"));
    record.Contents = set->AsString(QStringLiteral("Contents"));
    record.QtyLib = set->AsInteger(QStringLiteral("QtyLib"));
    record.QtyLoan = set->AsInteger(QStringLiteral("QtyLoan"));
    record.QtyOff = set->AsInteger(QStringLiteral("QtyOff"));
    record.TimesLoan = set->AsInteger(QStringLiteral("TimesLoan"));
    record.QtyTotal = record.QtyLib + record.QtyLoan + record.QtyOff;
}

template <typename R> void THoldingSet::writeCommon(const R& record)
{
    TLwDataSet* set = DataSet();
    set->SetValue(QStringLiteral("Id"), record.Id);
    set->SetValue(QStringLiteral("Code"), record.Code);
    set->SetValue(QStringLiteral("Name"), record.Name);
    set->SetValue(QStringLiteral("Ping"), record.Ping);
    set->SetValue(QStringLiteral("CataId"), record.CataId);
    set->SetValue(QStringLiteral("CataMark"), record.CataMark);
    set->SetValue(QStringLiteral("CataName"), record.CataName);
    set->SetValue(QStringLiteral("Publisher"), record.Publisher);
    set->SetValue(QStringLiteral("Kai"), record.Kai);
    set->SetValue(QStringLiteral("Location"), record.Location);
    set->SetValue(QStringLiteral("Appendix"), record.Appendix);
    set->SetValue(QStringLiteral("Price"), priceParam(record.Price));
    set->SetValue(QStringLiteral("Getdate"), record.Getdate);
    set->SetValue(QStringLiteral("Contents"), record.Contents);
    set->SetValue(QStringLiteral("QtyLib"), record.QtyLib);
    set->SetValue(QStringLiteral("QtyLoan"), record.QtyLoan);
    set->SetValue(QStringLiteral("QtyOff"), record.QtyOff);
    set->SetValue(QStringLiteral("TimesLoan"), record.TimesLoan);
}
