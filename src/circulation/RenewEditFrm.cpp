#include "circulation/RenewEditFrm.h"

#include "app/LwLabel.h"
#include "circulation/BookRenewSet.h"
#include "circulation/JourRenewSet.h"
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

TRenewEditFrm::TRenewEditFrm(QWidget* parent)
    : TCirculationFrm(parent), m_books(std::make_unique<TBookRenewSet>()),
      m_journals(std::make_unique<TJourRenewSet>()),
      // fixed now, so a list saved after midnight still renews on the day it was made
      m_renewDate(Clock::Today())
{
    setObjectName(u"RenewEditFrm"_s);
    setWindowTitle(u"图书期刊续借"_s);

    m_renewDateLabel = new TlwLabel(this);
    m_renewDateLabel->setObjectName(u"txtRenewDate1"_s);
    m_renewDateLabel->SetAsDate(m_renewDate.startOfDay());
    m_renewman = new TlwLabel(CurrentOperator().LoginId, this);
    m_renewman->setObjectName(u"txtRenewman1"_s);
    InfoRow()->addWidget(new QLabel(u"续借日期:"_s, this));
    InfoRow()->addWidget(m_renewDateLabel);
    InfoRow()->addSpacing(24);
    InfoRow()->addWidget(new QLabel(u"经手人:"_s, this));
    InfoRow()->addWidget(m_renewman);
    InfoRow()->addStretch(1);

    const TTabPage bookTab = AddTab(u"图书续借"_s, u"TabSheet1"_s);
    CreatePendingGrid(bookTab.GridPanel, m_books->DataSet(), 1014);
    bookTab.Controls->addStretch(1);
    QPushButton* renewBooks = AddButton(bookTab, u"BitBtn1"_s, u"续借图书"_s);
    AddButton(bookTab, u"BitBtn2"_s, u"取消"_s, true);

    const TTabPage jourTab = AddTab(u"期刊续借"_s, u"TabSheet2"_s);
    CreatePendingGrid(jourTab.GridPanel, m_journals->DataSet(), 1024);
    jourTab.Controls->addStretch(1);
    QPushButton* renewJournals = AddButton(jourTab, u"BitBtn4"_s, u"续借期刊"_s);
    AddButton(jourTab, u"BitBtn3"_s, u"取消"_s, true);

    connect(ReaderPart(), &TReaderPart::ReaderChosen, this, &TRenewEditFrm::ListLoans);
    connect(renewBooks, &QPushButton::clicked, this, &TRenewEditFrm::saveBooks);
    connect(renewJournals, &QPushButton::clicked, this, &TRenewEditFrm::saveJournals);
}

TRenewEditFrm::~TRenewEditFrm() = default;

TRenewEditFrm* TRenewEditFrm::Execute(QWidget* parent)
{
    auto* form = new TRenewEditFrm(parent);
    form->show();
    form->ReaderPart()->Edit()->setFocus();
    return form;
}

void TRenewEditFrm::ListLoans(const RReader& reader)
{
    RunGuarded([&] {
        const TWaitCursor wait;
        ListLoansInto(*m_books, TItemKind::Book, reader.Id);
        ListLoansInto(*m_journals, TItemKind::Journal, reader.Id);
    });
}

void TRenewEditFrm::saveBooks()
{
    RBookRenews rows;
    m_books->GetRows(rows);
    TBookRenewSet::Redate(rows, m_renewDate, DatingReader());
    if (RunSave([&](QString& message) { return TBookRenewSet::SaveRows(rows, message); }))
        Saved(*m_books->DataSet());
}

void TRenewEditFrm::saveJournals()
{
    RJourRenews rows;
    m_journals->GetRows(rows);
    TJourRenewSet::Redate(rows, m_renewDate, DatingReader());
    if (RunSave([&](QString& message) { return TJourRenewSet::SaveRows(rows, message); }))
        Saved(*m_journals->DataSet());
}
