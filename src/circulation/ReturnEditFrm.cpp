#include "circulation/ReturnEditFrm.h"

#include "app/LwEdit.h"
#include "app/LwLabel.h"
#include "app/MessageHelpers.h"
#include "circulation/BookReturnSet.h"
#include "circulation/JourReturnSet.h"
#include "circulation/PendingGrid.h"
#include "circulation/ReaderPart.h"
#include "data/Clock.h"
#include "data/Notifier.h"
#include "holdings/Uis.h"
#include "project/Operator.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;
using Circulation::TItemKind;

TReturnEditFrm::TReturnEditFrm(QWidget* parent)
    : TCirculationFrm(parent), m_books(std::make_unique<TBookReturnSet>()),
      m_journals(std::make_unique<TJourReturnSet>())
{
    setObjectName(u"ReturnEditFrm"_s);
    setWindowTitle(u"图书期刊归还"_s);

    m_returnDate = new TlwLabel(this);
    m_returnDate->setObjectName(u"txtReturnDate1"_s);
    m_returnDate->SetAsDate(Clock::Today().startOfDay());
    m_returnman = new TlwLabel(CurrentOperator().LoginId, this);
    m_returnman->setObjectName(u"txtReturnman1"_s);
    InfoRow()->addWidget(new QLabel(u"归还日期:"_s, this));
    InfoRow()->addWidget(m_returnDate);
    InfoRow()->addSpacing(24);
    InfoRow()->addWidget(new QLabel(u"经手人:"_s, this));
    InfoRow()->addWidget(m_returnman);
    InfoRow()->addStretch(1);

    const TTabPage bookTab = AddTab(u"图书归还"_s, u"TabSheet1"_s);
    CreatePendingGrid(bookTab.GridPanel, m_books->DataSet(), 1013, u"Overfund"_s,
                      [this] { showTotal(m_bookFine, *m_books->DataSet()); });
    m_bookFine = addFineBox(bookTab, 1);
    QPushButton* returnBooks = AddButton(bookTab, u"BitBtn1"_s, u"归还图书"_s);
    AddButton(bookTab, u"BitBtn2"_s, u"取消"_s, true);

    const TTabPage jourTab = AddTab(u"期刊归还"_s, u"TabSheet2"_s);
    CreatePendingGrid(jourTab.GridPanel, m_journals->DataSet(), 1023, u"Overfund"_s,
                      [this] { showTotal(m_jourFine, *m_journals->DataSet()); });
    m_jourFine = addFineBox(jourTab, 2);
    QPushButton* returnJournals = AddButton(jourTab, u"BitBtn3"_s, u"归还期刊"_s);
    AddButton(jourTab, u"BitBtn4"_s, u"取消"_s, true);

    showTotal(m_bookFine, *m_books->DataSet());
    showTotal(m_jourFine, *m_journals->DataSet());

    connect(ReaderPart(), &TReaderPart::ReaderChosen, this, &TReturnEditFrm::ListLoans);
    connect(returnBooks, &QPushButton::clicked, this, &TReturnEditFrm::saveBooks);
    connect(returnJournals, &QPushButton::clicked, this, &TReturnEditFrm::saveJournals);
}

TReturnEditFrm::~TReturnEditFrm() = default;

TReturnEditFrm* TReturnEditFrm::Execute(QWidget* parent)
{
    auto* form = new TReturnEditFrm(parent);
    form->show();
    form->ReaderPart()->Edit()->setFocus();
    return form;
}

TReturnEditFrm::TFineBox TReturnEditFrm::addFineBox(const TTabPage& tab, int number)
{
    TFineBox box;
    QWidget* page = tab.Page;
    box.Total = new TlwLabel(page);
    box.Total->setObjectName(u"txtOverfund%1"_s.arg(number));
    box.Total->setMinimumWidth(60);
    QFont bold = box.Total->font();
    bold.setBold(true);
    box.Total->setFont(bold);
    box.Paytype = new TLookupComboBox(page);
    box.Paytype->setObjectName(u"edtPaymethod%1"_s.arg(number));
    box.Paytype->LoadPaymentTypes(true);
    box.Paytype->setCurrentIndex(-1);
    box.Paytype->setMinimumWidth(120);
    box.Note = new TlwEdit(page);
    box.Note->setObjectName(u"edtFinenote%1"_s.arg(number));
    box.Note->setMinimumWidth(150);
    tab.Controls->addWidget(new QLabel(u"超期罚款"_s, page));
    tab.Controls->addWidget(box.Total);
    tab.Controls->addSpacing(8);
    tab.Controls->addWidget(new QLabel(u"支付方式"_s, page));
    tab.Controls->addWidget(box.Paytype);
    tab.Controls->addSpacing(8);
    tab.Controls->addWidget(new QLabel(u"超期备注"_s, page));
    tab.Controls->addWidget(box.Note, 1);
    tab.Controls->addSpacing(8);
    return box;
}

void TReturnEditFrm::showTotal(const TFineBox& box, const TLwDataSet& rows)
{
    const double total = rows.Active() ? ColumnTotal(rows, u"Overfund"_s) : 0.0;
    box.Total->SetText(QString::number(total, 'f', 2));
    box.Paytype->setEnabled(total > 0);
}

void TReturnEditFrm::ListLoans(const RReader& reader)
{
    RunGuarded([&] {
        const TWaitCursor wait;
        ListLoansInto(*m_books, TItemKind::Book, reader.Id);
        ListLoansInto(*m_journals, TItemKind::Journal, reader.Id);
    });
    showTotal(m_bookFine, *m_books->DataSet());
    showTotal(m_jourFine, *m_journals->DataSet());
}

int TReturnEditFrm::paytype(const TFineBox& box)
{
    const QVariant code = box.Paytype->Code();
    if (box.Paytype->isEnabled() && code.isNull()) {
        InfoBox(u"请选择罚款支付方式!"_s);
        box.Paytype->setFocus();
        return -1;
    }
    return code.isNull() ? 0 : code.toInt();
}

void TReturnEditFrm::saveBooks()
{
    const int paid = paytype(m_bookFine);
    if (paid < 0)
        return;
    RBookReturns rows;
    m_books->GetRows(rows);
    TBookReturnSet::SetPayment(rows, paid, m_bookFine.Note->text());
    if (RunSave([&](QString& message) { return TBookReturnSet::SaveRows(rows, message); }))
        saved(m_bookFine, *m_books->DataSet());
}

void TReturnEditFrm::saveJournals()
{
    const int paid = paytype(m_jourFine);
    if (paid < 0)
        return;
    RJourReturns rows;
    m_journals->GetRows(rows);
    TJourReturnSet::SetPayment(rows, paid, m_jourFine.Note->text());
    if (RunSave([&](QString& message) { return TJourReturnSet::SaveRows(rows, message); }))
        saved(m_jourFine, *m_journals->DataSet());
}

// After a save the reader part and the saved tab's fine are cleared for the next reader; the other
// tab's list stays until a reader is chosen.
void TReturnEditFrm::saved(const TFineBox& box, TLwDataSet& rows)
{
    Saved(rows);
    box.Note->clear();
    box.Paytype->setCurrentIndex(-1);
    showTotal(box, rows);
}
