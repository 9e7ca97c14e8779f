#include "app/LwComboBox.h"

#include "app/LwEdit.h"

#include <QKeyEvent>
#include <QLineEdit>

TlwComboBox::TlwComboBox(QWidget* parent) : QComboBox(parent)
{
    paint(false);
}

void TlwComboBox::SetEditable(bool editable)
{
    setEditable(editable);
    if (editable)
        setCompleter(nullptr);
}

void TlwComboBox::paint(bool focused)
{
    QPalette colors = palette();
    const QColor color = focused ? QColor(0, 255, 255) : QColor(Qt::white);
    colors.setColor(QPalette::Base, color);
    colors.setColor(QPalette::Button, color);
    setPalette(colors);
    // The edit of an editable combo holds a palette of its own from the moment it was made.
    if (QLineEdit* edit = lineEdit()) {
        QPalette editColors = edit->palette();
        editColors.setColor(QPalette::Base, color);
        edit->setPalette(editColors);
    }
}

bool TlwComboBox::event(QEvent* event)
{
    // setEditable(true) gives the new edit a completer; take it away however the combo became editable.
    if (event->type() == QEvent::ChildPolished && lineEdit() && lineEdit()->completer())
        lineEdit()->setCompleter(nullptr);
    return QComboBox::event(event);
}

void TlwComboBox::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    paint(true);
}

void TlwComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    paint(false);
}

void TlwComboBox::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        MoveFocusFrom(this, event->modifiers() & Qt::ShiftModifier);
        event->accept();
        return;
    }
    if (key == Qt::Key_Delete && !isEditable()) {
        setCurrentIndex(-1);
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}
