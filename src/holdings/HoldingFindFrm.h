#pragma once

#include "app/ADlgFrm.h"

#include <QHash>

class THoldingWhere;

// The advanced search of the book and journal lists: one field per condition, declared as a table
// of rows, filling the list's condition builder on OK. Every field starts empty and both date
// pickers unchecked, so only what the operator enters becomes a condition.
class THoldingFindFrm : public TADlgFrm
{
    Q_OBJECT

public:
    enum class TKind {
        Text,      // a line of text
        Publisher, // a drop-down of the publishers' names
        PickList,  // a drop-down from pick list `List`
        Price,     // from / to, decimal numbers
        Integer,   // from / to, digits only
        Date,      // from / to, two checkable date pickers; `Label2` names the second
    };
    struct TRow
    {
        TRow(QString label, TKind kind, QString field, QString field2 = {}, int list = -1, QString label2 = {})
            : Label(std::move(label)), Kind(kind), Field(std::move(field)), Field2(std::move(field2)), List(list),
              Label2(std::move(label2))
        {
        }
        QString Label;
        TKind Kind = TKind::Text;
        QString Field;  // the condition; for ranges the lower bound
        QString Field2; // the upper bound of a range
        int List = -1;
        QString Label2;
    };

    THoldingFindFrm(const QString& caption, const QList<TRow>& rows, THoldingWhere* where, QWidget* parent = nullptr);

    // The editor of a condition field (a range has one per bound).
    QWidget* Editor(const QString& field) const { return m_editors.value(field); }

    // Shows the dialog modally; true when it closed with OK and `where` holds the new conditions.
    static bool Execute(const QString& caption, const QList<TRow>& rows, THoldingWhere* where, QWidget* parent);

protected:
    // Replaces every condition with the fields; a number that cannot be read keeps the dialog open.
    bool CloseQuery() override;

private:
    QList<TRow> m_rows;
    THoldingWhere* m_where;
    QHash<QString, QWidget*> m_editors;
};
