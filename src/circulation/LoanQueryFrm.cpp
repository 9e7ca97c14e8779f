#include "circulation/LoanQueryFrm.h"

#include "app/Commands.h"
#include "app/LwDateTimePicker.h"
#include "app/LwEdit.h"
#include "app/MessageHelpers.h"
#include "circulation/LoanQueryAdvFrm.h"
#include "data/DbError.h"
#include "grids/LwDBGrid.h"
#include "holdings/Uis.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int BookLayout = 1012;
constexpr int JourLayout = 1029;

// The wait cursor for as long as a search runs.
struct TWaitCursor
{
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

} // namespace

TLoanQueryFrm::TLoanQueryFrm(QWidget* parent)
    : TWinFrm(parent), m_books(std::make_unique<TBookLoanQuery>()), m_jours(std::make_unique<TJourLoanQuery>())
{
    setObjectName(u"LoanQueryFrm"_s);
    setWindowTitle(u"借阅查询"_s);
    resize(1100, 680);

    QWidget* panel = buildPanel();

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(u"TabControl1"_s);
    m_tabs->addTab(u"图书借阅查询"_s);
    m_tabs->addTab(u"期刊借阅查询"_s);
    m_tabs->setExpanding(false);

    m_pages = new QStackedWidget(this);
    const std::array<TLoanQuery*, 2> queries{m_books.get(), m_jours.get()};
    const std::array<int, 2> layouts{BookLayout, JourLayout};
    for (int i = 0; i < 2; ++i) {
        auto* grid = new TlwDBGrid(m_pages);
        grid->setObjectName(i == 0 ? u"DBGrid1"_s : u"DBGrid2"_s);
        grid->SetDataSet(queries[i]->DataSet());
        grid->SetLayoutId(layouts[i]);
        m_grids[i] = grid;
        m_pages->addWidget(grid);
    }
    connect(m_tabs, &QTabBar::currentChanged, this, &TLoanQueryFrm::TabControl1Change);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(panel);
    layout->addWidget(m_tabs);
    layout->addWidget(m_pages, 1);

    btnClear1Click();
}

TLoanQueryFrm::~TLoanQueryFrm()
{
    // The grids read the queries' rows until they go.
    for (TlwDBGrid* grid : m_grids)
        grid->SetDataSet(nullptr);
}

QWidget* TLoanQueryFrm::buildPanel()
{
    auto* panel = new QGroupBox(this);
    panel->setObjectName(u"Panel1"_s);
    auto* grid = new QGridLayout(panel);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);

    const auto label = [panel](const QString& text) { return new QLabel(text, panel); };
    const auto datePicker = [panel](const QString& name) {
        auto* box = new TlwDateTimePicker(panel);
        box->setObjectName(name);
        box->SetShowCheckBox(true);
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(u"2000-00-00"_s) + 60);
        return box;
    };
    const auto list = [panel](const QString& name, bool editable) {
        auto* box = new TLookupComboBox(panel);
        box->setObjectName(name);
        box->SetEditable(editable);
        box->setMinimumContentsLength(8);
        return box;
    };

    m_loanDate1 = datePicker(u"dtpLoanDate1"_s);
    m_loanDate2 = datePicker(u"dtpLoanDate2"_s);
    m_isReturn = list(u"cmbIsReturn1"_s, false);
    m_isReturn->LoadReturnFilter();
    m_isWriteoff = list(u"cmbIsWriteoff1"_s, false);
    m_isWriteoff->LoadWriteoffFilter();
    m_overdays = list(u"cmbOverdays1"_s, true);
    m_overdays->LoadList(TLookupComboBox::plOverdueDays);
    m_overfund = list(u"cmbOverfund1"_s, true);
    m_overfund->LoadList(TLookupComboBox::plOverdueFines);
    m_code = new TlwEdit(panel);
    m_code->setObjectName(u"edtCode1"_s);
    m_reader = new TLookupEdit(panel);
    m_reader->setObjectName(u"edtReader1"_s);
    m_reader->setReadOnly(true);
    m_reader->setPlaceholderText(u"点 ... 选择读者"_s);
    auto* pickReader = new QPushButton(u"..."_s, panel);
    pickReader->setObjectName(u"SpeedButton1"_s);
    pickReader->setFixedWidth(28);
    m_isOver = new QCheckBox(u"逾期未还"_s, panel);
    m_isOver->setObjectName(u"chkIsOver1"_s);
    m_todayBiz = datePicker(u"dtpTodayBiz1"_s);

    grid->addWidget(label(u"借阅日期"_s), 0, 0);
    grid->addWidget(m_loanDate1, 0, 1);
    grid->addWidget(label(u"截止"_s), 0, 2);
    grid->addWidget(m_loanDate2, 0, 3);
    grid->addWidget(label(u"是否归还"_s), 0, 4);
    grid->addWidget(m_isReturn, 0, 5);
    grid->addWidget(label(u"是否注销"_s), 0, 6);
    grid->addWidget(m_isWriteoff, 0, 7);
    grid->addWidget(label(u"逾期天数"_s), 0, 8);
    grid->addWidget(m_overdays, 0, 9);
    grid->addWidget(label(u"逾期罚款"_s), 0, 10);
    grid->addWidget(m_overfund, 0, 11);

    auto* readerBox = new QHBoxLayout;
    readerBox->setSpacing(2);
    readerBox->addWidget(m_reader, 1);
    readerBox->addWidget(pickReader);
    grid->addWidget(label(u"书刊编号"_s), 1, 0);
    grid->addWidget(m_code, 1, 1);
    grid->addWidget(label(u"读者"_s), 1, 2);
    grid->addLayout(readerBox, 1, 3);
    grid->addWidget(m_isOver, 1, 5);
    grid->addWidget(label(u"今日发生"_s), 1, 6);
    grid->addWidget(m_todayBiz, 1, 7);

    const auto button = [panel](const QString& text, const QString& name) {
        auto* b = new QPushButton(text, panel);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    m_find = button(u"查找"_s, u"Button1"_s);
    m_clear = button(u"重置"_s, u"btnClear1"_s);
    m_advanced = button(u"高级..."_s, u"Button2"_s);
    m_functions = button(u"功能 ▼"_s, u"btnWareClass1"_s);
    m_print = button(u"打印..."_s, u"BitBtn1"_s);
    auto* close = button(u"关闭"_s, u"BitBtn3"_s);
    grid->addWidget(m_find, 0, 13);
    grid->addWidget(m_clear, 1, 13);
    grid->addWidget(m_advanced, 0, 14);
    grid->addWidget(m_functions, 1, 14);
    grid->addWidget(m_print, 0, 15);
    grid->addWidget(close, 1, 15);
    grid->setColumnMinimumWidth(12, 12);
    grid->setColumnStretch(16, 1);

    connect(m_find, &QPushButton::clicked, this, &TLoanQueryFrm::Button1Click);
    connect(m_clear, &QPushButton::clicked, this, &TLoanQueryFrm::btnClear1Click);
    connect(m_advanced, &QPushButton::clicked, this, &TLoanQueryFrm::Button2Click);
    connect(m_print, &QPushButton::clicked, this, &TLoanQueryFrm::BitBtn1Click);
    connect(pickReader, &QPushButton::clicked, this, &TLoanQueryFrm::SpeedButton1Click);
    connect(m_functions, &QPushButton::clicked, this, [this] { Grid(CurrentKind())->PopupButtonClick(m_functions); });
    connect(close, &QPushButton::clicked, this, &TLoanQueryFrm::close);
    return panel;
}

TLoanQueryFrm* TLoanQueryFrm::ShowLoanQuery(QWidget* parent)
{
    Q_UNUSED(parent)
    auto* window = new TLoanQueryFrm();
    window->showMaximized();
    return window;
}

TLoanKind TLoanQueryFrm::CurrentKind() const
{
    return m_tabs->currentIndex() == 1 ? TLoanKind::Journal : TLoanKind::Book;
}

TLoanQuery* TLoanQueryFrm::CurrentQuery() const
{
    if (CurrentKind() == TLoanKind::Journal)
        return m_jours.get();
    return m_books.get();
}

TlwDBGrid* TLoanQueryFrm::Grid(TLoanKind kind) const
{
    return m_grids[kind == TLoanKind::Journal ? 1 : 0];
}

void TLoanQueryFrm::TabControl1Change(int index)
{
    m_pages->setCurrentIndex(index == 1 ? 1 : 0);
}

void TLoanQueryFrm::SpeedButton1Click()
{
    m_reader->PickReader();
}

RLoanQuickConditions TLoanQueryFrm::quickConditions()
{
    RLoanQuickConditions panel;
    panel.LoanDate1 = m_loanDate1->AsDate();
    panel.LoanDate2 = m_loanDate2->AsDate();
    panel.ReaderId = m_reader->Value();
    panel.IsReturn = m_isReturn->FilterValue();
    panel.IsWriteoff = m_isWriteoff->FilterValue();
    panel.Overdays1 = m_overdays->IntegerValue();
    panel.Overfund1 = m_overfund->NumberValue();
    panel.Code = m_code->text();
    panel.IsOver = m_isOver->isChecked();
    panel.TodayBiz = m_todayBiz->AsDate();
    return panel;
}

void TLoanQueryFrm::search(TLoanQuery& query)
{
    TWaitCursor wait;
    try {
        query.Search();
    } catch (const EAbort&) {
        // the select's error box has been shown; the grid stays as it was
    }
}

void TLoanQueryFrm::Button1Click()
{
    TLoanQuery* query = CurrentQuery();
    query->SetQuickConditions(quickConditions());
    search(*query);
}

void TLoanQueryFrm::btnClear1Click()
{
    for (TlwDateTimePicker* box : {m_loanDate1, m_loanDate2, m_todayBiz})
        box->Clear();
    for (TLookupComboBox* box : {m_isReturn, m_isWriteoff, m_overdays, m_overfund}) {
        box->setCurrentIndex(-1);
        if (box->isEditable())
            box->setEditText(QString());
    }
    m_code->clear();
    m_reader->Clear();
    m_isOver->setChecked(false);
}

void TLoanQueryFrm::Button2Click()
{
    TLoanQueryAdvFrm dialog(CurrentKind(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The dialog's conditions replace the quick panel's; the panel keeps showing what it holds.
    TLoanQuery* query = CurrentQuery();
    query->CopyConditions(dialog.Where());
    search(*query);
}

void TLoanQueryFrm::BitBtn1Click()
{
    // Printing waits for the report templates; the result can be exported from "功能 ▼" meanwhile.
    InfoBox(LaterText());
}
