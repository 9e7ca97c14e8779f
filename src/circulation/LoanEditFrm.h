#pragma once

#include "circulation/CirculationFrm.h"

#include <memory>

class QPushButton;
class QToolButton;
class TBookLoanSet;
class TJourLoanSet;
class TlwDateTimePicker;
class TlwEdit;
class TlwGridcx;
class TlwLabel;
struct RBook;
struct RJournal;

// "图书期刊借阅": lends books and journals to one reader. Items gather on a pending list per tab and
// one save writes them all, or nothing.
class TLoanEditFrm : public TCirculationFrm
{
    Q_OBJECT

public:
    explicit TLoanEditFrm(QWidget* parent = nullptr);
    ~TLoanEditFrm() override;

    // Opens a new loan window.
    static TLoanEditFrm* Execute(QWidget* parent = nullptr);

    TBookLoanSet& Books() const { return *m_books; }
    TJourLoanSet& Journals() const { return *m_journals; }

    // Adds a book or journal to its pending list for the reader shown, on the date in the loan-date
    // box; true, so they serve as the pickers' callbacks.
    bool AddBook(const RBook& book);
    bool AddJournal(const RJournal& journal);

    // The one title whose code is exactly `text`, else the one whose ISBN (ISSN) is; false when
    // neither gives exactly one.
    static bool FindBook(const QString& text, RBook& book);
    static bool FindJournal(const QString& text, RJournal& journal);

private:
    void lookUpBook();
    void lookUpJournal();
    void saveBooks();
    void saveJournals();
    void pickBook();
    void pickJournal();

    std::unique_ptr<TBookLoanSet> m_books;
    std::unique_ptr<TJourLoanSet> m_journals;
    TlwDateTimePicker* m_loanDate = nullptr;
    TlwLabel* m_loanman = nullptr;
    TlwEdit* m_bookCode = nullptr;
    TlwEdit* m_jourCode = nullptr;
    TlwGridcx* m_bookGrid = nullptr;
    TlwGridcx* m_jourGrid = nullptr;
};
