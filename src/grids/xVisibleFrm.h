#pragma once

#include "app/ADlgFrm.h"

#include <QList>
#include <QString>

class QPushButton;
class QTableWidget;

// One column offered in the column choice: its position in the grid's column collection, its
// title and whether it shows.
struct RColItem
{
    int Index = -1;
    QString Caption;
    bool Visible = true;
};
using RColItems = QList<RColItem>;

// "列选择": one row per column with "√" where it shows; a click toggles the mark, OK writes the
// marks back into the caller's items.
class TxVisibleFrm : public TADlgFrm
{
    Q_OBJECT

public:
    TxVisibleFrm(RColItems& items, QWidget* parent = nullptr);

    static inline const QString Mark = QStringLiteral("√");

    QTableWidget* Grid1() const { return m_grid; }
    void accept() override;

private:
    void toggle(int row);

    RColItems& m_items;
    QTableWidget* m_grid = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
};
