#pragma once

#include "data/DBParameter.h"
#include "data/LwDataSet.h"

#include <memory>

// What the two database-backed bases share: a data set filled by a parameterised select, with
// declared fields and the one error report for a select that fails.
class TSqlSet
{
public:
    TSqlSet();
    virtual ~TSqlSet();
    TSqlSet(const TSqlSet&) = delete;
    TSqlSet& operator=(const TSqlSet&) = delete;

    TLwDataSet* DataSet() const { return m_dataSet.get(); }
    QString SqlText() const { return m_sql; }

    // Opens `sql` with its parameters and returns the row count. A failing select tells the operator
    // "SQL语句错误,原文如下:..." and raises EAbort, so the caller's action ends there.
    int Open(const QString& sql, const TDBParameters& params = {});
    void Close();
    bool Active() const { return m_dataSet->Active(); }

    // Declares a column the class reads; every select it opens must return it.
    virtual TField& AddField(TFieldType type, const QString& name, int size, bool visible, const QString& label);
    // The text of `field` in every row joined by `separator`; moves to the last row.
    QString JoinField(const QString& field, const QString& separator);

protected:
    // Reopens with the same text and parameters, the views frozen meanwhile.
    void reopen();

private:
    std::unique_ptr<TLwDataSet> m_dataSet;
    QString m_sql;
    TDBParameters m_params;
};
