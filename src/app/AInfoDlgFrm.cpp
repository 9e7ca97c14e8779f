#include "app/AInfoDlgFrm.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TAInfoDlgFrm::TAInfoDlgFrm(QWidget* parent) : TaFrm(parent)
{
    SetPosition(TPosition::CenterMain);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    m_body = new QWidget(this);
    m_body->setObjectName(u"Body"_s);
    m_close = new QPushButton(u"关闭"_s, this);
    m_close->setObjectName(u"CloseBtn1"_s);
    m_help = new QPushButton(u"帮助"_s, this);
    m_help->setObjectName(u"HelpBtn1"_s);
    for (QPushButton* button : {m_close, m_help}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(75);
    }
    connect(m_close, &QPushButton::clicked, this, &TAInfoDlgFrm::reject);
    connect(m_help, &QPushButton::clicked, this, [this] { Help(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    buttons->addWidget(m_help);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_body, 1);
    layout->addLayout(buttons);
}
