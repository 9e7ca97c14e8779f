#pragma once

#include "circulation/CirculationFrm.h"

#include <QDate>
#include <memory>

class TBookRenewSet;
class TJourRenewSet;
class TlwLabel;
struct RReader;

// "图书期刊续借": renews the open loans of one reader. The renewal date is the day the window was
// opened; each renewed loan falls due that many days later as the reader's kind allows.
class TRenewEditFrm : public TCirculationFrm
{
    Q_OBJECT

public:
    explicit TRenewEditFrm(QWidget* parent = nullptr);
    ~TRenewEditFrm() override;

    static TRenewEditFrm* Execute(QWidget* parent = nullptr);

    TBookRenewSet& Books() const { return *m_books; }
    TJourRenewSet& Journals() const { return *m_journals; }
    QDate RenewDate() const { return m_renewDate; }

    // Lists the reader's open book and journal loans.
    void ListLoans(const RReader& reader);

private:
    void saveBooks();
    void saveJournals();

    std::unique_ptr<TBookRenewSet> m_books;
    std::unique_ptr<TJourRenewSet> m_journals;
    QDate m_renewDate;
    TlwLabel* m_renewDateLabel = nullptr;
    TlwLabel* m_renewman = nullptr;
};
