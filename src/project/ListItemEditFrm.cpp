#include "project/ListItemEditFrm.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TListItemEditFrm::TListItemEditFrm(QWidget* parent) : TaFrm(parent)
{
    setObjectName(u"ListItemEditFrm"_s);
    setWindowTitle(u"选项"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    SetPosition(TPosition::CenterOwner);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(u"PageControl1"_s);
    m_memo = new QPlainTextEdit;
    m_memo->setObjectName(u"Memo1"_s);
    m_memo->setFrameShape(QFrame::NoFrame);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab leaves the memo: items never hold tabs.
    m_memo->setTabChangesFocus(true);
    m_pages->addTab(m_memo, QString());
    m_pages->setFixedSize(280, 320);

    m_ok = new QPushButton(u"确定(&O)"_s, this);
    m_ok->setObjectName(u"OkBtn1"_s);
    m_cancel = new QPushButton(u"取消"_s, this);
    m_cancel->setObjectName(u"CancelBtn1"_s);
    for (QPushButton* button : {m_ok, m_cancel}) {
        // Enter is a line break in the memo, never a close.
        button->setAutoDefault(false);
        button->setMinimumWidth(75);
    }
    connect(m_ok, &QPushButton::clicked, this, &TListItemEditFrm::accept);
    connect(m_cancel, &QPushButton::clicked, this, &TListItemEditFrm::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TListItemEditFrm::SetCaption(const QString& caption)
{
    m_pages->setTabText(0, caption);
}

void TListItemEditFrm::SetItems(const QStringList& items)
{
    m_memo->setPlainText(LinesText(items));
}

QStringList TListItemEditFrm::Items() const
{
    return TextLines(m_memo->toPlainText());
}

QString TListItemEditFrm::LinesText(const QStringList& items)
{
    QString text = items.join(u'\n');
    if (!items.isEmpty() && items.last().isEmpty())
        text += u'\n';
    return text;
}

QStringList TListItemEditFrm::TextLines(const QString& text)
{
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    // pasted text may bring its own line ends
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    return lines;
}

bool EditPickList(const QString& caption, QStringList& items, QWidget* parent)
{
    TListItemEditFrm form(parent);
    form.SetCaption(caption);
    form.SetItems(items);
    if (form.exec() != QDialog::Accepted)
        return false;
    items = form.Items();
    return true;
}
