#pragma once

#include "app/ADlgFrm.h"

#include <QList>
#include <QString>

class QWidget;
class TReaderWhere;

// The advanced reader search "高级查找": one control per condition of the reader search; OK writes
// the conditions into the search's builder.
class TReaderSearchFrm : public TADlgFrm
{
    Q_OBJECT

public:
    explicit TReaderSearchFrm(TReaderWhere& where, QWidget* parent = nullptr);

    // The control that sets condition `field` (its object name is the field's name with "1").
    QWidget* Control(const QString& field) const;

protected:
    bool CloseQuery() override;

private:
    struct TControl
    {
        QString Field;
        QWidget* Widget = nullptr;
    };

    TReaderWhere& m_where;
    QList<TControl> m_controls;
};

// Asks for the conditions of an advanced reader search; true on OK, `where` then holding them.
bool AskReaderSearch(TReaderWhere& where, QWidget* parent = nullptr);
