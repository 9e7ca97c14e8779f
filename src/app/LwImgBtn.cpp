#include "app/LwImgBtn.h"

#include <QMouseEvent>

TlwImgBtn::TlwImgBtn(QWidget* parent) : QLabel(parent) {}

void TlwImgBtn::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    if (m_hoverOn)
        ShowHover();
    emit mouseEntered();
}

void TlwImgBtn::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    if (m_hoverOn)
        ShowNormal();
    emit mouseLeft();
}

void TlwImgBtn::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TlwImgBtn::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}
