#pragma once

#include "app/ADlgFrm.h"

#include <QStringList>

class QPushButton;
class QTableWidget;
class TLwDataSet;

// "排序": one row per field with its direction ("升序", "降序" or none); position is priority.
// A double-click cycles a row's direction, dragging a row or the two move buttons reorder.
class TSortFrm : public TADlgFrm
{
    Q_OBJECT

public:
    explicit TSortFrm(QWidget* parent = nullptr);

    // Lists the data fields of `dataSet` (no blobs, memos or calculated fields; hidden fields too
    // unless `visibleOnly`) and shows `sortText`: its fields first, in its order, with their
    // directions.
    void Setup(const TLwDataSet* dataSet, const QString& sortText, bool visibleOnly = false);
    // "Field ASC,Field DESC" of the rows with a direction, in row order; empty when none has one.
    QString SortText() const;

    QTableWidget* Grid1() const { return m_grid; }
    QPushButton* UpBtn1() const { return m_up; }
    QPushButton* DownBtn1() const { return m_down; }
    // Field names and directions ("ASC", "DESC" or empty) in row order.
    QStringList FieldNames() const { return m_names; }
    QStringList Directions() const { return m_directions; }

    void MoveRow(int from, int to);
    void CycleDirection(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showRow(int row);
    void updateButtons();

    QTableWidget* m_grid = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QStringList m_names;
    QStringList m_directions;
    int m_pressedRow = -1;
};
