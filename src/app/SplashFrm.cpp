#include "app/SplashFrm.h"

#include "app/aFrm.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QPixmap splashPicture(const QString& folder)
{
    const QString file = QDir(folder).filePath(u"splash.jpg"_s);
    if (QFileInfo::exists(file)) {
        QPixmap picture(file);
        if (!picture.isNull())
            return picture;
    }
    QSvgRenderer renderer(u":/images/splash.svg"_s);
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap picture(renderer.defaultSize() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(QPointF(0, 0), renderer.defaultSize()));
    return picture;
}

} // namespace

TSplashFrm::TSplashFrm(const QString& pictureFolder) : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(u"SplashFrm"_s);
    setFont(TaFrm::WindowFont());
    setAutoFillBackground(true);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, QColor(0x1f, 0x3a, 0x5a));
    setPalette(colors);

    m_image = new QLabel(this);
    m_image->setObjectName(u"Image1"_s);
    m_image->setPixmap(splashPicture(pictureFolder.isEmpty() ? QCoreApplication::applicationDirPath() : pictureFolder));
    m_label = new QLabel(u"正在创建数据连接..."_s, this);
    m_label->setObjectName(u"Label1"_s);
    QPalette text = m_label->palette();
    text.setColor(QPalette::WindowText, QColor(0xc0, 0xc0, 0xc0));
    m_label->setPalette(text);
    m_label->setContentsMargins(10, 6, 10, 8);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_image);
    layout->addWidget(m_label);
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TSplashFrm::ShowHint(const QString& text)
{
    m_label->setText(text.isEmpty() ? m_label->text() + u'.' : text);
    m_history.append(m_label->text());
    m_label->repaint();
}

QString TSplashFrm::Hint() const
{
    return m_label->text();
}
