#pragma once

#include "data/LwDataSet.h"

#include <QObject>
#include <functional>
#include <memory>

// Base of result tables computed in the program and filled row by row.
class TLwClientDataSet : public QObject
{
    Q_OBJECT

public:
    using TCalcProgressEvent = std::function<void(int count, int position)>;
    using TProgressEvent = std::function<void(int count, int position, const QString& hint)>;

    TLwClientDataSet();
    ~TLwClientDataSet() override;

    TLwDataSet* DataSet() const { return m_dataSet.get(); }

    TField& AddField(TFieldType type, const QString& name, bool visible, const QString& label);
    // Declares a column with a size; text wider than 20 keeps its size, up to 140.
    TField& AddFieldDef(TFieldType type, const QString& name, int size, bool visible, const QString& label);
    // Opens the empty table on the declared fields.
    void CreateDataSet();

    // Progress hooks for long computations (rankings, totals); the base raises neither.
    TCalcProgressEvent CalcProgressEvent;
    TProgressEvent OnProgress2;
    double LostTime() const { return m_lostTime; }

protected:
    void setLostTime(double seconds) { m_lostTime = seconds; }

private:
    std::unique_ptr<TLwDataSet> m_dataSet;
    double m_lostTime = 0;
};
