#include "app/LwMemo.h"

TlwMemo::TlwMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    paint(false);
}

void TlwMemo::paint(bool focused)
{
    QColor color = Qt::white;
    if (focused)
        color = isReadOnly() ? QColor(255, 255, 0) : QColor(0, 255, 255);
    QPalette colors = palette();
    colors.setColor(QPalette::Base, color);
    setPalette(colors);
}

void TlwMemo::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    paint(true);
}

void TlwMemo::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    paint(false);
}
