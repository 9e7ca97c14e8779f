#include "app/aFrm.h"

#include "app/HelpViewer.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

using namespace Qt::StringLiterals;

TaFrm::TaFrm(QWidget* parent) : QDialog(parent)
{
    setFont(WindowFont());
}

QFont TaFrm::WindowFont()
{
    // 宋体 where it is installed; elsewhere the CJK fonts a Linux desktop carries, at the same size.
    QFont font;
    font.setFamilies({u"宋体"_s, u"SimSun"_s, u"Noto Sans CJK SC"_s, u"Noto Sans SC"_s, u"WenQuanYi Micro Hei"_s,
                      u"Source Han Sans SC"_s});
    font.setPixelSize(12);
    return font;
}

QString TaFrm::HelpTopic() const
{
    const QString name = objectName();
    return name.size() > 3 ? name.left(name.size() - 3) : QString();
}

void TaFrm::Help(const QString& topic)
{
    THelpViewer::ShowTopic(topic.isEmpty() ? HelpTopic() : topic);
}

void TaFrm::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
        !(event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))) {
        // Enter that no control took never presses a default button (the dialog would close while the
        // operator is still filling it in); a focused push button is pressed, as on the desktop.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
            button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        event->accept();
        Help();
    }
}

QPoint TaFrm::PlaceAtCursor(QPoint cursor, QSize window, QSize screen)
{
    int left = cursor.x() - window.width() / 2;
    if (left < 0)
        left = 20;
    if (left > screen.width() - window.width() - 20)
        left = screen.width() - window.width() - 20;
    int top = cursor.y() - window.height() / 2;
    if (top < 0)
        top = 20;
    if (top + window.height() > screen.height() - 50)
        top = screen.height() - window.height() - 50;
    return {left, top};
}

void TaFrm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        place();
}

void TaFrm::place()
{
    if (isMaximized() || isFullScreen())
        return;
    const bool first = !m_shownBefore;
    m_shownBefore = true;
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize size = frameGeometry().size();

    if (first && m_position != TPosition::AtCursor) {
        QRect around = available;
        if (m_position == TPosition::CenterOwner && parentWidget())
            around = parentWidget()->window()->frameGeometry();
        else if (m_position == TPosition::CenterMain) {
            const QWidgetList tops = QApplication::topLevelWidgets();
            for (QWidget* top : tops)
                if (top != this && top->objectName() == u"mainFrm"_s && top->isVisible()) {
                    around = top->frameGeometry();
                    break;
                }
        }
        move(around.center() - QPoint(size.width() / 2, size.height() / 2));
        return;
    }
    const QPoint local = PlaceAtCursor(QCursor::pos() - available.topLeft(), size, available.size());
    move(available.topLeft() + local);
}
