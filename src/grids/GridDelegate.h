#pragma once

#include <QColor>
#include <QStyledItemDelegate>

// Draws an enhanced grid's cells; with an alternate colour set, every cell of an even record
// (first, third, ... row) that is not selected gets it as background.
class TGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void SetAlternateColor(const QColor& color) { m_alternate = color; }
    QColor AlternateColor() const { return m_alternate; }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    QColor m_alternate;
};
