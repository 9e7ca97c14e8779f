#include "app/ADlgFrm.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QPushButton* makeButton(const QString& text, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    // Enter belongs to the edits (it moves to the next field); no button takes it as default.
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setMinimumWidth(75);
    return button;
}

} // namespace

TADlgFrm::TADlgFrm(QWidget* parent) : TaFrm(parent)
{
    SetPosition(TPosition::CenterOwner);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setSizeGripEnabled(false);

    m_body = new QWidget(this);
    m_body->setObjectName(u"Body"_s);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    m_ok = makeButton(u"确定(&O)"_s, u"OkBtn1"_s, this);
    m_cancel = makeButton(u"取消"_s, u"CancelBtn1"_s, this);
    m_help = makeButton(u"帮助"_s, u"HelpBtn1"_s, this);
    connect(m_ok, &QPushButton::clicked, this, &TADlgFrm::accept);
    connect(m_cancel, &QPushButton::clicked, this, &TADlgFrm::reject);
    connect(m_help, &QPushButton::clicked, this, [this] { Help(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_help);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_body, 1);
    layout->addWidget(line);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TADlgFrm::accept()
{
    if (!CloseQuery())
        return;
    TaFrm::accept();
}
