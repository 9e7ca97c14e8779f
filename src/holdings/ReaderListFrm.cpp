#include "holdings/ReaderListFrm.h"

#include "app/LwEdit.h"
#include "data/DbError.h"
#include "data/Notifier.h"
#include "grids/LwDBGrid.h"
#include "holdings/ReaderList.h"
#include "holdings/ReaderSearchFrm.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TReaderListFrm::TReaderListFrm(QWidget* parent) : TWinFrm(parent), m_list(std::make_unique<TReaderList>())
{
    setObjectName(u"ReaderListFrm"_s);
    setWindowTitle(u"读者资料"_s);
    resize(900, 560);

    m_list->Search();

    auto* tools = new QToolBar(this);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_grid = new TlwDBGrid(this);
    m_grid->setObjectName(u"DBGrid1"_s);
    m_grid->SetDataSet(m_list->DataSet());
    m_grid->SetTag(1008);
    m_grid->SetLayoutId(1008);

    tools->addAction(u"添加"_s, this, [this] { guarded([this] { m_list->Add(this); }); });
    tools->addAction(u"修改"_s, this, [this] { guarded([this] { m_list->Edit(this); }); });
    tools->addAction(u"删除"_s, this, [this] { guarded([this] { m_list->Delete(this); }); });
    tools->addAction(u"刷新"_s, this, [this] { guarded([this] { m_list->Refresh(); }); });
    tools->addAction(u"导入"_s, this, [this] {
        guarded([this] {
            if (m_list->Import(this))
                m_list->Refresh();
        });
    });
    auto* exportButton = new QToolButton(tools);
    exportButton->setObjectName(u"btnExport1"_s);
    exportButton->setText(u"导出"_s);
    exportButton->setPopupMode(QToolButton::InstantPopup);
    auto* exportMenu = new QMenu(exportButton);
    exportMenu->addAction(u"导出到Excel文档"_s, m_grid, &TLwGrid::SaveToExcelClick);
    exportMenu->addAction(u"导出到Html网页文件"_s, m_grid, &TLwGrid::SaveToHtmlClick);
    exportButton->setMenu(exportMenu);
    tools->addWidget(exportButton);
    tools->addAction(u"打印"_s, this, [this] { m_list->Print(this); });
    tools->addAction(u"排序"_s, m_grid, &TLwGrid::SortClick);
    auto* settings = new QToolButton(tools);
    settings->setObjectName(u"btnSettings1"_s);
    settings->setText(u"设置"_s);
    connect(settings, &QToolButton::clicked, this, [this, settings] { m_grid->PopupButtonClick(settings); });
    tools->addWidget(settings);
    tools->addSeparator();
    tools->addAction(u" 退出 "_s, this, &TReaderListFrm::close);

    auto* searchRow = new QHBoxLayout;
    searchRow->setContentsMargins(8, 6, 8, 6);
    auto* keywordLabel = new QLabel(u"关键字"_s, this);
    m_keyword = new TlwEdit(this);
    m_keyword->setObjectName(u"edtKeyword1"_s);
    m_keyword->setMaxLength(50);
    m_keyword->setMinimumWidth(220);
    m_keyword->setPlaceholderText(u"编号、姓名、首拼、电话、地址、身份证号、部门或类别"_s);
    keywordLabel->setBuddy(m_keyword);
    auto* searchBtn = new QPushButton(u"搜索一下"_s, this);
    searchBtn->setObjectName(u"btnSearch1"_s);
    auto* advancedBtn = new QPushButton(u"高级..."_s, this);
    advancedBtn->setObjectName(u"btnAdvanced1"_s);
    searchRow->addWidget(keywordLabel);
    searchRow->addWidget(m_keyword, 1);
    searchRow->addWidget(searchBtn);
    searchRow->addWidget(advancedBtn);
    searchRow->addStretch(1);
    connect(searchBtn, &QPushButton::clicked, this, &TReaderListFrm::SearchKeyword);
    connect(advancedBtn, &QPushButton::clicked, this, &TReaderListFrm::SearchAdvanced);
    // Enter in the keyword field searches at once
    m_keyword->SetTabOnEnter(false);
    connect(m_keyword, &QLineEdit::returnPressed, this, &TReaderListFrm::SearchKeyword);

    connect(m_grid, &TLwGrid::DblClick, this, [this] { guarded([this] { m_list->Edit(this); }); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addLayout(searchRow);
    layout->addWidget(m_grid, 1);
}

TReaderListFrm::~TReaderListFrm()
{
    // The grid reads the list's rows until it goes.
    m_grid->SetDataSet(nullptr);
}

void TReaderListFrm::guarded(const std::function<void()>& command)
{
    // A failing statement ends the command with its message; the window stays usable.
    try {
        command();
    } catch (const EAbort&) {
        // the failing select has told the operator already
    } catch (const EDatabaseError& error) {
        Notifier().Error(error.Message());
    }
}

void TReaderListFrm::search()
{
    struct TWait
    {
        TWait() { QApplication::setOverrideCursor(Qt::WaitCursor); }
        ~TWait() { QApplication::restoreOverrideCursor(); }
    } wait;
    guarded([this] { m_list->Search(); });
}

void TReaderListFrm::SearchKeyword()
{
    m_list->Where().Clear();
    m_list->Where().SetCondition(u"Keyword"_s, m_keyword->text().trimmed());
    search();
}

void TReaderListFrm::SearchAdvanced()
{
    if (AskReaderSearch(m_list->Where(), this))
        search();
}

TReaderListFrm* TReaderListFrm::ShowReaders(QWidget* parent)
{
    Q_UNUSED(parent)
    auto* window = new TReaderListFrm;
    window->show();
    return window;
}
