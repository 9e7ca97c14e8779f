#include "app/HelpViewer.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace {

const QString kHome = u":/help/index.htm"_s;

QPointer<THelpViewer>& current()
{
    static QPointer<THelpViewer> viewer;
    return viewer;
}

QUrl pageUrl(const QString& page)
{
    return QUrl(u"qrc"_s + page);
}

} // namespace

QString THelpViewer::PageFor(const QString& topic)
{
    // A topic names a page; it never reaches outside the help folder.
    static const QRegularExpression name(u"^[A-Za-z0-9_-]+$"_s);
    const QString page = u":/help/%1.htm"_s.arg(topic);
    if (name.match(topic).hasMatch() && QFile::exists(page))
        return page;
    return kHome;
}

THelpViewer* THelpViewer::Current()
{
    return current();
}

void THelpViewer::ShowTopic(const QString& topic)
{
    QPointer<THelpViewer>& viewer = current();
    if (!viewer)
        viewer = new THelpViewer;
    // A modal dialog blocks every window that is not its own, and a work window stays on top of the
    // others: the help either of them asks for goes with it, so it can be read and scrolled.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner) {
        QWidget* active = QApplication::activeWindow();
        if (active && (active->windowFlags() & Qt::WindowStaysOnTopHint))
            owner = active;
    }
    viewer->attachTo(owner && owner != viewer.data() ? owner : viewer->parentWidget());
    viewer->open(PageFor(topic));
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

THelpViewer::THelpViewer()
{
    setObjectName(u"HelpViewer"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"帮助"_s);
    resize(760, 580);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(u"Browser"_s);
    m_browser->setOpenExternalLinks(true);
    setCentralWidget(m_browser);

    auto* bar = addToolBar(u"导航"_s);
    bar->setObjectName(u"NavigationBar"_s);
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* back =
        bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), u"后退"_s, m_browser, &QTextBrowser::backward);
    back->setObjectName(u"BackAction"_s);
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    auto* forward =
        bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), u"前进"_s, m_browser, &QTextBrowser::forward);
    forward->setObjectName(u"ForwardAction"_s);
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    auto* home =
        bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), u"主页"_s, this, [this] { open(kHome); });
    home->setObjectName(u"HomeAction"_s);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    // A window still open when the program ends goes with it.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &QObject::deleteLater);
}

QUrl THelpViewer::Source() const
{
    return m_browser->source();
}

void THelpViewer::open(const QString& page)
{
    const QUrl url = pageUrl(page);
    if (m_browser->source() != url)
        m_browser->setSource(url);
}

void THelpViewer::attachTo(QWidget* owner)
{
    if (parentWidget() == owner)
        return;
    if (parentWidget())
        parentWidget()->removeEventFilter(this);
    const bool visible = isVisible();
    const QRect place = geometry();
    // Re-parenting hides a window; it comes back where it was.
    setParent(owner, Qt::Window);
    if (visible) {
        setGeometry(place);
        show();
    }
    if (owner)
        owner->installEventFilter(this);
}

bool THelpViewer::eventFilter(QObject* watched, QEvent* event)
{
    // The dialog is going: stay open as a window of our own.
    if (watched == parentWidget() && event->type() == QEvent::Hide)
        attachTo(nullptr);
    return QMainWindow::eventFilter(watched, event);
}
