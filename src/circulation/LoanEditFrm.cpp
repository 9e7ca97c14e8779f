#include "circulation/LoanEditFrm.h"

#include "app/LwDateTimePicker.h"
#include "app/LwEdit.h"
#include "app/LwLabel.h"
#include "circulation/BookLoanSet.h"
#include "circulation/BookPickFrm.h"
#include "circulation/JourLoanSet.h"
#include "circulation/JourPickFrm.h"
#include "circulation/PendingGrid.h"
#include "circulation/ReaderPart.h"
#include "data/Clock.h"
#include "data/Notifier.h"
#include "holdings/BookSet.h"
#include "holdings/JournalSet.h"
#include "holdings/Uis.h"
#include "project/Operator.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

// The one title of `S` matching `text` exactly by code, else by its number (ISBN or ISSN).
template <typename S, typename R> bool findTitle(const QString& text, const QString& numberField, R& record)
{
    S set;
    set.Where()->SetCondition(u"Code"_s, text);
    set.Search();
    if (set.DataSet()->RecordCount() != 1) {
        set.Where()->Clear();
        set.Where()->SetCondition(numberField, text);
        set.Search();
    }
    if (set.DataSet()->RecordCount() != 1)
        return false;
    set.DataSet()->First();
    record = set.AsData();
    return true;
}

TlwEdit* codeBox(QHBoxLayout* row, QWidget* parent, const QString& caption, const QString& name)
{
    auto* label = new QLabel(caption, parent);
    auto* box = new TlwEdit(parent);
    box->setObjectName(name);
    // Enter here looks the title up instead of moving on
    box->SetTabOnEnter(false);
    box->setMinimumWidth(180);
    label->setBuddy(box);
    row->addWidget(label);
    row->addWidget(box);
    return box;
}

QToolButton* pickButton(QHBoxLayout* row, QWidget* parent, const QString& name, const QString& tip)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(u"..."_s);
    button->setToolTip(tip);
    row->addWidget(button);
    return button;
}

} // namespace

TLoanEditFrm::TLoanEditFrm(QWidget* parent)
    : TCirculationFrm(parent), m_books(std::make_unique<TBookLoanSet>()), m_journals(std::make_unique<TJourLoanSet>())
{
    setObjectName(u"LoanEditFrm"_s);
    setWindowTitle(u"图书期刊借阅"_s);

    auto* dateLabel = new QLabel(u"借阅日期"_s, this);
    m_loanDate = new TlwDateTimePicker(this);
    m_loanDate->setObjectName(u"edtLoandate1"_s);
    m_loanDate->SetShowCheckBox(false);
    m_loanDate->setMinimumWidth(130);
    m_loanDate->SetAsDate(Clock::Today().startOfDay());
    dateLabel->setBuddy(m_loanDate);
    m_loanman = new TlwLabel(CurrentOperator().LoginId, this);
    m_loanman->setObjectName(u"txtLoanman1"_s);
    InfoRow()->addWidget(dateLabel);
    InfoRow()->addWidget(m_loanDate);
    InfoRow()->addSpacing(24);
    InfoRow()->addWidget(new QLabel(u"经手人:"_s, this));
    InfoRow()->addWidget(m_loanman);
    InfoRow()->addStretch(1);

    const TTabPage bookTab = AddTab(u"图书借阅"_s, u"TabSheet1"_s);
    m_bookGrid = CreatePendingGrid(bookTab.GridPanel, m_books->DataSet(), 1009, u"BookPrice"_s);
    m_bookCode = codeBox(bookTab.Controls, bookTab.Page, u"图书编号/ISBN号"_s, u"edtBook1"_s);
    QToolButton* pickBooks = pickButton(bookTab.Controls, bookTab.Page, u"Button2"_s, u"从图书列表中选择"_s);
    bookTab.Controls->addStretch(1);
    QPushButton* lendBooks = AddButton(bookTab, u"BitBtn1"_s, u"借出图书"_s);
    AddButton(bookTab, u"BitBtn2"_s, u"取消"_s, true);

    const TTabPage jourTab = AddTab(u"期刊借阅"_s, u"TabSheet2"_s);
    m_jourGrid = CreatePendingGrid(jourTab.GridPanel, m_journals->DataSet(), 1021, u"JourPrice"_s);
    m_jourCode = codeBox(jourTab.Controls, jourTab.Page, u"期刊编号/ISSN"_s, u"edtJour1"_s);
    QToolButton* pickJournals = pickButton(jourTab.Controls, jourTab.Page, u"Button3"_s, u"从期刊列表中选择"_s);
    jourTab.Controls->addStretch(1);
    QPushButton* lendJournals = AddButton(jourTab, u"BitBtn3"_s, u"借出期刊"_s);
    AddButton(jourTab, u"BitBtn4"_s, u"关闭"_s, true);

    connect(m_bookCode, &QLineEdit::returnPressed, this, &TLoanEditFrm::lookUpBook);
    connect(m_jourCode, &QLineEdit::returnPressed, this, &TLoanEditFrm::lookUpJournal);
    connect(pickBooks, &QToolButton::clicked, this, &TLoanEditFrm::pickBook);
    connect(pickJournals, &QToolButton::clicked, this, &TLoanEditFrm::pickJournal);
    connect(lendBooks, &QPushButton::clicked, this, &TLoanEditFrm::saveBooks);
    connect(lendJournals, &QPushButton::clicked, this, &TLoanEditFrm::saveJournals);
    // the next thing to do after naming the reader is to name the items
    connect(ReaderPart(), &TReaderPart::ReaderChosen, this,
            [this] { (Tabs()->currentIndex() == 0 ? m_bookCode : m_jourCode)->setFocus(); });
}

TLoanEditFrm::~TLoanEditFrm() = default;

TLoanEditFrm* TLoanEditFrm::Execute(QWidget* parent)
{
    auto* form = new TLoanEditFrm(parent);
    form->show();
    form->ReaderPart()->Edit()->setFocus();
    return form;
}

bool TLoanEditFrm::FindBook(const QString& text, RBook& book)
{
    return findTitle<TBookSet>(text, u"ISBN"_s, book);
}

bool TLoanEditFrm::FindJournal(const QString& text, RJournal& journal)
{
    return findTitle<TJournalSet>(text, u"ISSN"_s, journal);
}

bool TLoanEditFrm::AddBook(const RBook& book)
{
    m_books->AddItem(book, ReaderPart()->Reader(), m_loanDate->date());
    return true;
}

bool TLoanEditFrm::AddJournal(const RJournal& journal)
{
    m_journals->AddItem(journal, ReaderPart()->Reader(), m_loanDate->date());
    return true;
}

namespace {

// Enter in a code box: the title found by `find` goes on the list and the box is emptied for the
// next one; otherwise the warning names the text, which stays selected.
template <typename R>
void lookUpTitle(TlwEdit* box, bool (*find)(const QString&, R&), const QString& notFound,
                 const std::function<bool(const R&)>& add)
{
    const QString text = box->text().trimmed();
    R record;
    bool found = false;
    if (!RunGuarded([&] {
            const TWaitCursor wait;
            found = !text.isEmpty() && find(text, record);
        }))
        return;
    if (!found) {
        Notifier().Warning(notFound.arg(text));
        box->selectAll();
        return;
    }
    add(record);
    box->clear();
    box->setFocus();
}

} // namespace

void TLoanEditFrm::lookUpBook()
{
    lookUpTitle<RBook>(m_bookCode, &TLoanEditFrm::FindBook, u"\r\n没有找到编号或ISBN号为 %1 的图书记录!\t"_s,
                       [this](const RBook& book) { return AddBook(book); });
}

void TLoanEditFrm::lookUpJournal()
{
    lookUpTitle<RJournal>(m_jourCode, &TLoanEditFrm::FindJournal, u"\r\n没有找到编号或ISSN号为 %1 的期刊记录!\t"_s,
                          [this](const RJournal& journal) { return AddJournal(journal); });
}

void TLoanEditFrm::saveBooks()
{
    RBookLoanXs rows;
    m_books->GetRows(rows);
    // the dates follow the loan-date box and the reader shown now; each row keeps its own reader
    TBookLoanSet::Redate(rows, m_loanDate->date(), DatingReader());
    if (RunSave([&](QString& message) { return TBookLoanSet::SaveRows(rows, message); }))
        Saved(*m_books->DataSet());
}

void TLoanEditFrm::saveJournals()
{
    RJourLoanEdits rows;
    m_journals->GetRows(rows);
    TJourLoanSet::Redate(rows, m_loanDate->date(), DatingReader());
    if (RunSave([&](QString& message) { return TJourLoanSet::SaveRows(rows, message); }))
        Saved(*m_journals->DataSet());
}

void TLoanEditFrm::pickBook()
{
    RunGuarded([this] { TBookPickFrm::Pick([this](const RBook& book) { return AddBook(book); }, this); });
    m_bookCode->setFocus();
}

void TLoanEditFrm::pickJournal()
{
    RunGuarded([this] { TJourPickFrm::Pick([this](const RJournal& journal) { return AddJournal(journal); }, this); });
}
