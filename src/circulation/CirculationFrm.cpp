#include "circulation/CirculationFrm.h"

#include "circulation/LoanQuery.h"
#include "circulation/PendingGrid.h"
#include "circulation/ReaderPart.h"
#include "data/LwDataSet.h"
#include "holdings/Uis.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TCirculationFrm::TCirculationFrm(QWidget* parent) : TWinFrm(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    m_reader = new TReaderPart(this);
    layout->addWidget(m_reader);
    m_infoRow = new QHBoxLayout;
    m_infoRow->setSpacing(8);
    layout->addLayout(m_infoRow);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(u"TabControl1"_s);
    layout->addWidget(m_tabs, 1);
    resize(920, 620);
    connect(m_reader, &TReaderPart::ReaderChosen, this, [this](const RReader& reader) { m_lastReader = reader; });
}

RReader TCirculationFrm::DatingReader() const
{
    const RReader shown = m_reader->Reader();
    return shown.Id > 0 ? shown : m_lastReader;
}

TCirculationFrm::TTabPage TCirculationFrm::AddTab(const QString& caption, const QString& name)
{
    TTabPage tab;
    tab.Page = new QWidget(m_tabs);
    tab.Page->setObjectName(name);
    auto* layout = new QVBoxLayout(tab.Page);
    layout->setContentsMargins(6, 6, 6, 6);
    tab.GridPanel = new QWidget(tab.Page);
    layout->addWidget(tab.GridPanel, 1);
    tab.Controls = new QHBoxLayout;
    tab.Controls->setSpacing(6);
    layout->addLayout(tab.Controls);
    m_tabs->addTab(tab.Page, caption);
    return tab;
}

QPushButton* TCirculationFrm::AddButton(const TTabPage& tab, const QString& name, const QString& caption, bool closes)
{
    auto* button = new QPushButton(caption, tab.Page);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setMinimumWidth(88);
    tab.Controls->addWidget(button);
    if (closes)
        connect(button, &QPushButton::clicked, this, &QWidget::close);
    return button;
}

void TCirculationFrm::Saved(TLwDataSet& rows)
{
    EmptyList(rows);
    m_reader->Clear();
    m_reader->Edit()->setFocus();
}

namespace {

// The loan query's row and the lists' loan differ only in names; this is the one place that maps them.
template <typename R> Circulation::ROpenLoan openLoanOf(const R& row)
{
    Circulation::ROpenLoan loan;
    loan.Id = row.Id;
    loan.LoanDate = row.LoanDate;
    loan.ReaderId = row.ReaderId;
    loan.Loanman = row.Loanman;
    loan.RenewDate = row.RenewDate;
    loan.Renewman = row.Renewman;
    loan.ShldretDate = row.ShldretDate;
    loan.OverDays = row.Overdays;
    return loan;
}

// The price is read from the row itself: a title without one lists an empty price, not 0.
template <typename TQuery, typename R>
QList<Circulation::ROpenLoan> openLoans(int readerId, const QString& priceField, auto fill)
{
    TQuery query;
    TLoanWhere* where = query.Where();
    where->Clear();
    where->SetCondition(u"ReaderId"_s, readerId);
    where->SetCondition(u"IsReturn"_s, false);
    where->SetCondition(u"IsWriteoff"_s, false);
    query.Search();
    QList<Circulation::ROpenLoan> loans;
    TLwDataSet* rows = query.DataSet();
    for (rows->First(); !rows->Eof(); rows->Next()) {
        R row;
        query.GetRow(row);
        Circulation::ROpenLoan loan = openLoanOf(row);
        fill(row, loan);
        loan.ItemPrice = rows->Value(priceField);
        loans.append(loan);
    }
    return loans;
}

} // namespace

QList<Circulation::ROpenLoan> TCirculationFrm::ReaderLoans(Circulation::TItemKind kind, int readerId)
{
    if (kind == Circulation::TItemKind::Book)
        return openLoans<TBookLoanQuery, RBookLoan>(readerId, u"BookPrice"_s,
                                                    [](const RBookLoan& row, Circulation::ROpenLoan& loan) {
                                                        loan.ItemId = row.BookId;
                                                        loan.ItemCode = row.BookCode;
                                                        loan.ItemName = row.BookName;
                                                        loan.ItemISBN = row.BookISBN;
                                                        loan.ItemAuthor = row.BookAuthor;
                                                        loan.ItemAppendix = row.BookAppendix;
                                                        loan.ItemPublisher = row.BookPublisher;
                                                    });
    return openLoans<TJourLoanQuery, RJourLoan>(readerId, u"JourPrice"_s,
                                                [](const RJourLoan& row, Circulation::ROpenLoan& loan) {
                                                    loan.ItemId = row.JourId;
                                                    loan.ItemCode = row.JourCode;
                                                    loan.ItemName = row.JourName;
                                                    loan.ItemISBN = row.JourISSN;
                                                    loan.ItemAppendix = row.JourAppendix;
                                                    loan.ItemYearNo = row.JourYearNo;
                                                });
}
