#pragma once

#include "app/ADlgFrm.h"

#include <QStringList>

class QListWidget;
class QPushButton;
class QStackedWidget;
class TLwDataSet;
class TlwEdit;

// "过滤": first the column to look in (the visible text fields), then a keyword; OK keeps the rows
// whose column contains the keyword, an empty keyword shows every row again.
class TFltrDlgFrm : public TADlgFrm
{
    Q_OBJECT

public:
    TFltrDlgFrm(TLwDataSet* dataSet, QWidget* parent = nullptr);

    QListWidget* FieldList1() const { return m_list; }
    QPushButton* NextBtn1() const { return m_next; }
    TlwEdit* KeywordEdit1() const { return m_keyword; }
    // 0 the column page, 1 the keyword page.
    int Page() const;
    void GoToKeyword();

    void accept() override;

private:
    TLwDataSet* m_dataSet;
    QStringList m_fields; // field name of each listed label
    QStackedWidget* m_pages = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_next = nullptr;
    TlwEdit* m_keyword = nullptr;
};
