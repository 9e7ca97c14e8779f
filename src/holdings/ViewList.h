#pragma once

#include <QString>

class QWidget;
class TLwDataSet;

// What a list window asks of the list it shows: the rows, and the commands on them.
class IViewList
{
public:
    virtual ~IViewList() = default;

    virtual TLwDataSet* DataSet() const = 0;
    virtual void Add(QWidget* parent) = 0;
    virtual void Edit(QWidget* parent) = 0;
    virtual void Delete(QWidget* parent) = 0;
    virtual void Refresh() = 0;
    virtual void Print(QWidget* parent) = 0;
    // True when rows were added.
    virtual bool Import(QWidget* parent) = 0;
    // True when the current row is accepted as the pick.
    virtual bool Pick() = 0;
};
