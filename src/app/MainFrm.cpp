#include "app/MainFrm.h"

#include "app/Mall.h"
#include "app/Product.h"
#include "data/Database.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {
QPointer<TmainFrm> g_mainFrm;
}

TmainFrm* mainFrm()
{
    return g_mainFrm;
}

TmainFrm::TmainFrm(const QStringList& arguments) : m_arguments(arguments)
{
    g_mainFrm = this;
    setObjectName(u"mainFrm"_s);
    setWindowTitle(u"%1 - %2"_s.arg(Product::Name, Product::Edition));
    auto* welcome = new QLabel(Product::Name, this);
    welcome->setAlignment(Qt::AlignCenter);
    setCentralWidget(welcome);
    resize(1024, 700);
}

bool TmainFrm::Login(bool first)
{
    Q_UNUSED(first)
    return true;
}

void TmainFrm::closeEvent(QCloseEvent* event)
{
    if (!m_closed) {
        m_closed = true;
        hide();
        Tmall::OnExit();
        Database().SetConnected(false);
    }
    event->accept();
}
