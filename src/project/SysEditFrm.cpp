#include "project/SysEditFrm.h"

#include "app/LwEdit.h"
#include "app/MessageHelpers.h"
#include "data/DbError.h"
#include "data/Notifier.h"
#include "project/KeyValue2.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// A statement that fails counts as not stored; the window names the fine that was not.
bool storeFine(int keyId, double value)
{
    try {
        return KeyValues().SetFloat(keyId, value);
    } catch (const EDatabaseError&) {
        return false;
    } catch (const EAbort&) {
        return false;
    }
}

} // namespace

TSysEditFrm::TSysEditFrm(QWidget* parent) : TaFrm(parent)
{
    setObjectName(u"SysEditFrm"_s);
    setWindowTitle(u"系统设置"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    SetPosition(TPosition::CenterOwner);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(u"PageControl1"_s);
    auto* page = new QWidget;
    page->setObjectName(u"TabSheet1"_s);
    m_pages->addTab(page, u"其他参数"_s);

    m_bookFine = new TlwEdit(page);
    m_bookFine->setObjectName(u"edtBookFine1"_s);
    m_jourFine = new TlwEdit(page);
    m_jourFine->setObjectName(u"edtJourFine1"_s);
    m_dailyTip = new QCheckBox(u"启动时显示每日一贴"_s, page);
    m_dailyTip->setObjectName(u"chkDailyTip1"_s);
    m_feedback = new QCheckBox(u"退出系统时请显示此反馈表单"_s, page);
    m_feedback->setObjectName(u"chkFeedback1"_s);

    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(10);
    int row = 0;
    for (auto [caption, edit] :
         {std::pair{u"图书逾期罚款:"_s, m_bookFine}, std::pair{u"期刊逾期罚款:"_s, m_jourFine}}) {
        auto* label = new QLabel(caption, page);
        label->setBuddy(edit);
        edit->SetEditType(TlwEdit::etNumber);
        edit->SetAlignment(Qt::AlignRight);
        edit->setFixedWidth(100);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel(u"元/天"_s, page), row, 2);
        ++row;
    }
    grid->addWidget(m_dailyTip, row++, 0, 1, 4);
    grid->addWidget(m_feedback, row++, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(row, 1);

    m_save = new QPushButton(u"保存"_s, this);
    m_save->setObjectName(u"BitBtn1"_s);
    m_save->setDefault(true);
    m_exit = new QPushButton(u"退出"_s, this);
    m_exit->setObjectName(u"BitBtn2"_s);
    m_exit->setAutoDefault(false);
    for (QPushButton* button : {m_save, m_exit})
        button->setMinimumWidth(75);
    connect(m_save, &QPushButton::clicked, this, &TSysEditFrm::Save);
    connect(m_exit, &QPushButton::clicked, this, &TSysEditFrm::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    m_pages->setMinimumSize(320, 170);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_bookFine->SetAsDouble(FineRates::Book());
    m_jourFine->SetAsDouble(FineRates::Journal());
    m_dailyTip->setChecked(KeyValues().DailyTipPrompt());
    m_feedback->setChecked(KeyValues().FeedbackPrompt());
    connect(m_dailyTip, &QCheckBox::toggled, this,
            [this](bool on) { storeSwitch(m_dailyTip, TKeyValue2::DailyTipPromptKey, on); });
    connect(m_feedback, &QCheckBox::toggled, this,
            [this](bool on) { storeSwitch(m_feedback, TKeyValue2::FeedbackPromptKey, on); });
}

void TSysEditFrm::storeSwitch(QCheckBox* box, int index, bool value)
{
    bool stored = false;
    try {
        stored = KeyValues().SetSwitch(index, value);
    } catch (const EDatabaseError& error) {
        InfoBox(error.Message());
    } catch (const EAbort&) {
        // the select error has been shown
    }
    if (!stored) {
        // the box keeps showing what is stored
        const QSignalBlocker blocker(box);
        box->setChecked(!value);
    }
}

void TSysEditFrm::Save()
{
    double book = 0;
    double journal = 0;
    for (auto [edit, value] : {std::pair{m_bookFine, &book}, std::pair{m_jourFine, &journal}}) {
        try {
            *value = edit->AsDouble();
        } catch (const EConvertError& error) {
            InfoBox(error.Message());
            edit->setFocus();
            return;
        }
    }

    QString errors;
    if (storeFine(TKeyValue2::BookFineKey, book))
        FineRates::SetBook(book);
    else
        errors += u"\r\n图书逾期罚款参数保存失败!"_s;
    if (storeFine(TKeyValue2::JourFineKey, journal))
        FineRates::SetJournal(journal);
    else
        errors += u"\r\n期刊逾期罚款参数保存失败!"_s;

    if (!errors.isEmpty())
        Notifier().Error(errors);
    else
        InfoBox(u"保存操作成功!"_s);
}

void TSysEditFrm::Execute(QWidget* parent)
{
    TSysEditFrm form(parent);
    form.exec();
}
