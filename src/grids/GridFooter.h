#pragma once

#include <QWidget>
#include <functional>

class QHeaderView;

// The footer row under an enhanced grid's cells: one box per shown column, lined up with the
// header above and scrolled with it, holding the column's summary text.
class TGridFooter : public QWidget
{
    Q_OBJECT

public:
    TGridFooter(QHeaderView* header, QWidget* parent);

    // The summary of a column (by logical index); empty for none.
    std::function<QString(int logical)> TextOf;
    int PreferredHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QHeaderView* m_header;
};
