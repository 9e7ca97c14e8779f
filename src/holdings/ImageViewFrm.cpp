#include "holdings/ImageViewFrm.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int kMargin = 5;

} // namespace

TImageViewFrm::TImageViewFrm(const QImage& image, QWidget* parent) : TaFrm(parent)
{
    setObjectName(u"ImageViewFrm"_s);
    setWindowTitle(u"大图"_s);
    SetPosition(TPosition::CenterScreen);

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(u"ScrollBox1"_s);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setBackgroundRole(QPalette::Window);
    m_scroll->setWidgetResizable(false);
    m_scroll->horizontalScrollBar()->setTracking(true);
    m_scroll->verticalScrollBar()->setTracking(true);

    auto* canvas = new QWidget;
    canvas->setObjectName(u"Canvas1"_s);
    m_image = new QLabel(canvas);
    m_image->setObjectName(u"Image1"_s);
    m_image->setPixmap(QPixmap::fromImage(image));
    m_image->setScaledContents(true);
    m_image->setGeometry(kMargin, kMargin, image.width(), image.height());
    m_image->installEventFilter(this);
    canvas->resize(image.width() + 2 * kMargin, image.height() + 2 * kMargin);
    m_scroll->setWidget(canvas);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);

    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    resize(WindowSize(image.size(), screenSize));
}

QSize TImageViewFrm::WindowSize(QSize picture, QSize screen)
{
    return QSize(qMin(picture.width() + 30, screen.width()), qMin(picture.height() + 40, screen.height() - 50));
}

bool TImageViewFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_image && event->type() == QEvent::MouseButtonRelease) {
        close();
        return true;
    }
    return TaFrm::eventFilter(watched, event);
}

void ShowBigImage(const QImage& image, QWidget* parent)
{
    if (image.isNull())
        return;
    TImageViewFrm form(image, parent);
    form.exec();
}
