#pragma once

#include "app/WinFrm.h"
#include "circulation/Circulation.h"
#include "circulation/PendingGrid.h"
#include "data/LwDataSet.h"
#include "holdings/ReaderSet.h"

#include <QList>

class QHBoxLayout;
class QPushButton;
class QTabWidget;
class TReaderPart;

// Base of the loan, return and renewal windows: the reader part on top, a row for the window's
// date and operator, and two tabs, books and journals, each with a pending-list panel above a row
// of its own controls and buttons.
class TCirculationFrm : public TWinFrm
{
    Q_OBJECT

public:
    explicit TCirculationFrm(QWidget* parent = nullptr);

    TReaderPart* ReaderPart() const { return m_reader; }
    QTabWidget* Tabs() const { return m_tabs; }

    // The reader's open book or journal loans (neither returned nor written off), as the loan query
    // lists them, in the shape the return and renewal lists take.
    static QList<Circulation::ROpenLoan> ReaderLoans(Circulation::TItemKind kind, int readerId);

protected:
    struct TTabPage
    {
        QWidget* Page = nullptr;
        QWidget* GridPanel = nullptr;
        QHBoxLayout* Controls = nullptr;
    };

    // The row under the reader part, for the window's date and operator.
    QHBoxLayout* InfoRow() const { return m_infoRow; }
    TTabPage AddTab(const QString& caption, const QString& name);
    // A button in a tab's control row; `closes` makes it close the window.
    QPushButton* AddButton(const TTabPage& tab, const QString& name, const QString& caption, bool closes = false);
    // Lists the reader's open loans of one kind on a return or renewal list, replacing its rows.
    template <typename TSet> static void ListLoansInto(TSet& set, Circulation::TItemKind kind, int readerId)
    {
        EmptyList(*set.DataSet());
        for (const Circulation::ROpenLoan& loan : ReaderLoans(kind, readerId))
            set.AddLoan(loan);
        set.DataSet()->First();
    }
    // The reader whose periods date a save: the reader shown, or, once a save of the other tab has
    // cleared the reader part, the reader shown last, so that tab's list is not dated with no period.
    RReader DatingReader() const;
    // After a list was saved: the list is emptied and the reader part cleared for the next reader.
    void Saved(TLwDataSet& rows);

private:
    TReaderPart* m_reader = nullptr;
    QHBoxLayout* m_infoRow = nullptr;
    QTabWidget* m_tabs = nullptr;
    RReader m_lastReader;
};
