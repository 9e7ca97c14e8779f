#pragma once

#include "app/aFrm.h"

#include <QStringList>

class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// The pick-list editor "选项": one page named after the list, one item per line.
class TListItemEditFrm : public TaFrm
{
    Q_OBJECT

public:
    explicit TListItemEditFrm(QWidget* parent = nullptr);

    // The page's tab text.
    void SetCaption(const QString& caption);
    void SetItems(const QStringList& items);
    // The memo's lines as items.
    QStringList Items() const;

    QTabWidget* PageControl1() const { return m_pages; }
    QPlainTextEdit* Memo1() const { return m_memo; }
    QPushButton* OkBtn1() const { return m_ok; }
    QPushButton* CancelBtn1() const { return m_cancel; }

    // One item per line, and back. A final line break ends the last line rather than starting an
    // empty one, so the text of items that end with an empty item carries one more line break.
    static QString LinesText(const QStringList& items);
    static QStringList TextLines(const QString& text);

private:
    QTabWidget* m_pages = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

// Lets the operator edit `items` under the page caption `caption`. On OK the edited lines replace
// `items` and the result is true; on Cancel `items` stays as it was.
bool EditPickList(const QString& caption, QStringList& items, QWidget* parent = nullptr);
