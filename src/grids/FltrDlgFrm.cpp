#include "grids/FltrDlgFrm.h"

#include "app/LwEdit.h"
#include "data/LwDataSet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TFltrDlgFrm::TFltrDlgFrm(TLwDataSet* dataSet, QWidget* parent) : TADlgFrm(parent), m_dataSet(dataSet)
{
    setObjectName(u"FltrDlgFrm"_s);
    setWindowTitle(u"过滤"_s);
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    OkBtn1()->setText(u"确定"_s);
    CancelBtn1()->setText(u"取消"_s);
    HelpBtn1()->hide();

    m_pages = new QStackedWidget(Body());

    auto* fieldsPage = new QWidget(m_pages);
    m_list = new QListWidget(fieldsPage);
    m_list->setObjectName(u"FieldList1"_s);
    m_list->setMinimumSize(260, 220);
    if (dataSet)
        for (const TField& field : dataSet->Fields())
            if (field.Visible && !field.Calculated &&
                (field.Type == TFieldType::String || field.Type == TFieldType::WideString)) {
                m_list->addItem(field.Title());
                m_fields.append(field.Name);
            }
    m_next = new QPushButton(u"下一步"_s, fieldsPage);
    m_next->setObjectName(u"NextBtn1"_s);
    m_next->setAutoDefault(false);
    m_next->setEnabled(false);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) { m_next->setEnabled(row >= 0); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { GoToKeyword(); });
    connect(m_next, &QPushButton::clicked, this, &TFltrDlgFrm::GoToKeyword);
    auto* fieldsLayout = new QVBoxLayout(fieldsPage);
    fieldsLayout->setContentsMargins(0, 0, 0, 0);
    fieldsLayout->addWidget(new QLabel(u"请选择过滤项目"_s, fieldsPage));
    fieldsLayout->addWidget(m_list, 1);
    auto* hintRow = new QHBoxLayout;
    hintRow->addWidget(new QLabel(u"双击选择快捷确认"_s, fieldsPage));
    hintRow->addStretch(1);
    hintRow->addWidget(m_next);
    fieldsLayout->addLayout(hintRow);

    auto* keywordPage = new QWidget(m_pages);
    m_keyword = new TlwEdit(keywordPage);
    m_keyword->setObjectName(u"KeywordEdit1"_s);
    m_keyword->SetTabOnEnter(false);
    connect(m_keyword, &QLineEdit::returnPressed, this, &TFltrDlgFrm::accept);
    auto* keywordLayout = new QVBoxLayout(keywordPage);
    keywordLayout->setContentsMargins(0, 0, 0, 0);
    keywordLayout->addWidget(new QLabel(u"请输入关键字"_s, keywordPage));
    keywordLayout->addWidget(m_keyword);
    keywordLayout->addStretch(1);

    m_pages->addWidget(fieldsPage);
    m_pages->addWidget(keywordPage);
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
    OkBtn1()->hide();
}

int TFltrDlgFrm::Page() const
{
    return m_pages->currentIndex();
}

void TFltrDlgFrm::GoToKeyword()
{
    if (m_list->currentRow() < 0)
        return;
    m_pages->setCurrentIndex(1);
    OkBtn1()->show();
    m_keyword->setFocus();
}

void TFltrDlgFrm::accept()
{
    const int row = m_list->currentRow();
    if (Page() != 1 || row < 0 || !m_dataSet)
        return;
    m_dataSet->SetKeywordFilter(m_fields.at(row), m_keyword->text());
    TADlgFrm::accept();
}
