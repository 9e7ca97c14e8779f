#include "app/LwEdit.h"

#include "data/DbError.h"

#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QtNumeric>

using namespace Qt::StringLiterals;

namespace {

const QString kDate = u"yyyy-MM-dd"_s;
const QString kDateTime = u"yyyy-MM-dd hh:mm:ss"_s;

QDateTime parseTyped(const QString& text)
{
    const QString trimmed = text.trimmed();
    for (const QString& format : {kDateTime, u"yyyy-MM-dd hh:mm"_s, kDate, u"yyyy-M-d H:m:s"_s, u"yyyy-M-d"_s}) {
        const QDateTime value = QDateTime::fromString(trimmed, format);
        if (value.isValid())
            return value;
    }
    return {};
}

} // namespace

void MoveFocusFrom(QWidget* widget, bool backwards)
{
    // Queued, as a posted message would be: the key that asked for it is finished first.
    QPointer<QWidget> guard(widget);
    QTimer::singleShot(0, widget, [guard, backwards] {
        if (!guard)
            return;
        QWidget* next = guard;
        // The next control that can take the focus in the window's tab chain.
        for (int i = 0; i < 500; ++i) {
            next = backwards ? next->previousInFocusChain() : next->nextInFocusChain();
            if (!next || next == guard)
                return;
            if (next->window() == guard->window() && next->isVisible() && next->isEnabled() &&
                (next->focusPolicy() & Qt::TabFocus) && !next->focusProxy()) {
                next->setFocus(backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason);
                return;
            }
        }
    });
}

TlwEdit::TlwEdit(QWidget* parent) : QLineEdit(parent) {}

void TlwEdit::SetEditType(TEditType type)
{
    m_editType = type;
    // An input method commits whole strings past the key filter; number edits take keys only.
    setAttribute(Qt::WA_InputMethodEnabled, type == etFree);
}

bool TlwEdit::AcceptsKey(TEditType type, const QString& text, QChar key)
{
    switch (type) {
    case etFree:
        return true;
    case etInteger:
        return key.isDigit() && key.unicode() < 128;
    case etNumber:
        if (key == u'.')
            return !text.isEmpty() && !text.contains(u'.');
        if (key == u'0')
            return text.contains(u'.') || !text.startsWith(u'0');
        return key.isDigit() && key.unicode() < 128;
    }
    return true;
}

void TlwEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!m_painted) {
        m_savedPalette = palette();
        m_hadOwnPalette = testAttribute(Qt::WA_SetPalette);
        m_painted = true;
    }
    QPalette colored = m_savedPalette;
    colored.setColor(QPalette::Base, isReadOnly() ? m_colorOnReadOnly : m_colorOnEnter);
    setPalette(colored);
}

void TlwEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (m_painted) {
        // An edit that followed its window's palette goes back to following it.
        setPalette(m_hadOwnPalette ? m_savedPalette : QPalette());
        m_painted = false;
    }
}

void TlwEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (m_tabOnEnter && window() != this) {
            MoveFocusFrom(this, event->modifiers() & Qt::ShiftModifier);
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Only typed characters are filtered; editing keys, arrows and shortcuts pass.
    const QString typed = event->text();
    const bool character = typed.size() == 1 && typed.at(0).isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (character && !AcceptsKey(m_editType, text(), typed.at(0))) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

double TlwEdit::AsDouble() const
{
    if (text().isEmpty())
        return 0;
    bool ok = false;
    const double value = text().trimmed().toDouble(&ok);
    // "inf" and "nan" parse, but no amount or count is either.
    if (!ok || !qIsFinite(value))
        throw EConvertError(u"\"%1\" 不是有效的数字."_s.arg(text()));
    return value;
}

void TlwEdit::SetAsDouble(double value)
{
    setText(value == 0 ? QString() : QString::number(value, 'g', 15));
}

int TlwEdit::AsInteger() const
{
    if (text().isEmpty())
        return 0;
    bool ok = false;
    const int value = text().trimmed().toInt(&ok);
    if (!ok)
        throw EConvertError(u"\"%1\" 不是有效的整数."_s.arg(text()));
    return value;
}

void TlwEdit::SetAsInteger(int value)
{
    setText(value == 0 ? QString() : QString::number(value));
}

QVariant TlwEdit::AsDate() const
{
    const QVariant value = AsDateTime();
    return value.isNull() ? QVariant() : QVariant(value.toDateTime().date().startOfDay());
}

void TlwEdit::SetAsDate(const QVariant& value)
{
    if (value.isNull() || !value.isValid()) {
        clear();
        return;
    }
    setText(value.toDateTime().isValid() ? value.toDateTime().toString(kDate) : value.toDate().toString(kDate));
}

QVariant TlwEdit::AsDateTime() const
{
    if (text().isEmpty())
        return QVariant();
    const QDateTime value = parseTyped(text());
    if (!value.isValid())
        throw EConvertError(u"\"%1\" 不是有效的日期."_s.arg(text()));
    return value;
}

void TlwEdit::SetAsDateTime(const QVariant& value)
{
    if (value.isNull() || !value.isValid()) {
        clear();
        return;
    }
    const QDateTime moment = value.typeId() == QMetaType::QDate ? value.toDate().startOfDay() : value.toDateTime();
    setText(moment.toString(kDateTime));
}

QVariant TlwEdit::AsVariant() const
{
    if (text().isEmpty())
        return QVariant();
    switch (m_editType) {
    case etNumber:
        return AsDouble();
    case etInteger:
        return AsInteger();
    case etFree:
        break;
    }
    return text();
}

void TlwEdit::SetAsVariant(const QVariant& value)
{
    if (value.isNull() || !value.isValid()) {
        clear();
        return;
    }
    switch (m_editType) {
    case etNumber:
        SetAsDouble(value.toDouble());
        return;
    case etInteger:
        SetAsInteger(value.toInt());
        return;
    case etFree:
        break;
    }
    setText(value.toString());
}
