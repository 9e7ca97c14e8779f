#pragma once

#include "circulation/CirculationFrm.h"

#include <memory>

class QPushButton;
class TBookReturnSet;
class TJourReturnSet;
class TLookupComboBox;
class TlwEdit;
class TlwGridcx;
class TlwLabel;
class TLwDataSet;
struct RReader;

// "图书期刊归还": takes back books and journals from one reader. Naming the reader lists the
// reader's open loans with their overdue fines; the operator removes what is not being returned,
// says how the fines are paid and saves.
class TReturnEditFrm : public TCirculationFrm
{
    Q_OBJECT

public:
    explicit TReturnEditFrm(QWidget* parent = nullptr);
    ~TReturnEditFrm() override;

    static TReturnEditFrm* Execute(QWidget* parent = nullptr);

    TBookReturnSet& Books() const { return *m_books; }
    TJourReturnSet& Journals() const { return *m_journals; }

    // Lists the reader's open book and journal loans.
    void ListLoans(const RReader& reader);

private:
    // One tab's fine controls.
    struct TFineBox
    {
        TlwLabel* Total = nullptr;
        TLookupComboBox* Paytype = nullptr;
        TlwEdit* Note = nullptr;
    };

    TFineBox addFineBox(const TTabPage& tab, int number);
    // Shows a list's overdue total; the pay type is asked for only when there is a fine to pay.
    static void showTotal(const TFineBox& box, const TLwDataSet& rows);
    // The chosen pay type, or -1 after asking for one when a fine is due and none is chosen.
    static int paytype(const TFineBox& box);
    void saveBooks();
    void saveJournals();
    void saved(const TFineBox& box, TLwDataSet& rows);

    std::unique_ptr<TBookReturnSet> m_books;
    std::unique_ptr<TJourReturnSet> m_journals;
    TlwLabel* m_returnDate = nullptr;
    TlwLabel* m_returnman = nullptr;
    TFineBox m_bookFine;
    TFineBox m_jourFine;
};
