#include "app/LwDateTimePicker.h"

#include "app/LwEdit.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>

using namespace Qt::StringLiterals;

TlwDateTimePicker::TlwDateTimePicker(QWidget* parent) : QDateTimeEdit(parent)
{
    m_writing = true;
    setDateTime(QDateTime::currentDateTime());
    m_writing = false;
    setDisplayFormat(u"yyyy-MM-dd"_s);
    setCalendarPopup(true);

    m_check = new QCheckBox(this);
    m_check->setObjectName(u"CheckBox"_s);
    m_check->setFocusPolicy(Qt::NoFocus);
    m_check->setChecked(false);
    m_check->hide();
    connect(m_check, &QCheckBox::toggled, this, [this](bool checked) {
        paint();
        emit checkedChanged(checked);
    });
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (!m_writing && m_showCheckBox)
            m_check->setChecked(true);
    });
    paint();
}

int TlwDateTimePicker::checkWidth() const
{
    return m_check->sizeHint().width() + 2;
}

void TlwDateTimePicker::SetShowCheckBox(bool show)
{
    if (m_showCheckBox == show)
        return;
    m_showCheckBox = show;
    m_check->setVisible(show);
    lineEdit()->setTextMargins(show ? checkWidth() : 0, 0, 0, 0);
    updateGeometry();
    paint();
}

bool TlwDateTimePicker::Checked() const
{
    return m_check->isChecked();
}

void TlwDateTimePicker::SetChecked(bool checked)
{
    m_check->setChecked(checked);
}

QVariant TlwDateTimePicker::AsDate() const
{
    return isNull() ? QVariant() : QVariant(date().startOfDay());
}

QVariant TlwDateTimePicker::AsTime() const
{
    return isNull() ? QVariant() : QVariant(time());
}

QVariant TlwDateTimePicker::AsDateTime() const
{
    return isNull() ? QVariant() : QVariant(dateTime());
}

void TlwDateTimePicker::write(const QDateTime& value, bool checked)
{
    m_writing = true;
    setDateTime(value);
    m_writing = false;
    m_check->setChecked(checked);
}

void TlwDateTimePicker::SetAsDate(const QVariant& value)
{
    if (value.isNull() || !value.isValid()) {
        Clear();
        return;
    }
    const QDate day = value.typeId() == QMetaType::QDate ? value.toDate() : value.toDateTime().date();
    write(QDateTime(day, time()), true);
}

void TlwDateTimePicker::SetAsTime(const QVariant& value)
{
    if (value.isNull() || !value.isValid()) {
        Clear();
        return;
    }
    const QTime moment = value.typeId() == QMetaType::QTime ? value.toTime() : value.toDateTime().time();
    write(QDateTime(date(), moment), true);
}

void TlwDateTimePicker::SetAsDateTime(const QVariant& value)
{
    if (value.isNull() || !value.isValid()) {
        Clear();
        return;
    }
    write(value.typeId() == QMetaType::QDate ? value.toDate().startOfDay() : value.toDateTime(), true);
}

void TlwDateTimePicker::Clear()
{
    write(QDateTime::currentDateTime(), false);
}

QSize TlwDateTimePicker::sizeHint() const
{
    QSize size = QDateTimeEdit::sizeHint();
    if (m_showCheckBox)
        size.rwidth() += checkWidth();
    return size;
}

QSize TlwDateTimePicker::minimumSizeHint() const
{
    QSize size = QDateTimeEdit::minimumSizeHint();
    if (m_showCheckBox)
        size.rwidth() += checkWidth();
    return size;
}

void TlwDateTimePicker::paint()
{
    QPalette colors = palette();
    colors.setColor(QPalette::Base, m_focused ? QColor(0, 255, 255) : QColor(Qt::white));
    // An unticked picker shows its date greyed: it is not a value.
    const QPalette defaults;
    colors.setColor(QPalette::Text, isNull() ? defaults.color(QPalette::Disabled, QPalette::Text)
                                             : defaults.color(QPalette::Active, QPalette::Text));
    setPalette(colors);
}

void TlwDateTimePicker::focusInEvent(QFocusEvent* event)
{
    QDateTimeEdit::focusInEvent(event);
    m_focused = true;
    paint();
}

void TlwDateTimePicker::focusOutEvent(QFocusEvent* event)
{
    QDateTimeEdit::focusOutEvent(event);
    m_focused = false;
    paint();
}

void TlwDateTimePicker::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        MoveFocusFrom(this, event->modifiers() & Qt::ShiftModifier);
        event->accept();
        return;
    }
    if (key == Qt::Key_Space && m_showCheckBox && event->modifiers() == Qt::NoModifier) {
        m_check->toggle();
        event->accept();
        return;
    }
    QDateTimeEdit::keyPressEvent(event);
}

void TlwDateTimePicker::resizeEvent(QResizeEvent* event)
{
    QDateTimeEdit::resizeEvent(event);
    const QSize box = m_check->sizeHint();
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    m_check->setGeometry(frame + 2, (height() - box.height()) / 2, box.width(), box.height());
}
