#include "app/LwLabel.h"

#include <QDateTime>
#include <QtNumeric>

using namespace Qt::StringLiterals;

TlwLabel::TlwLabel(QWidget* parent) : QLabel(parent) {}

TlwLabel::TlwLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

QVariant TlwLabel::AsDate() const
{
    const QString shown = text().trimmed();
    for (const QString& format : {u"yyyy-MM-dd"_s, u"yyyy-M-d"_s, u"yyyy-MM-dd hh:mm:ss"_s, u"yyyy-MM-dd hh:mm"_s}) {
        const QDateTime value = QDateTime::fromString(shown, format);
        if (value.isValid())
            return value.date().startOfDay();
    }
    return {};
}

void TlwLabel::SetAsDate(const QVariant& value)
{
    if (value.isNull() || !value.isValid()) {
        clear();
        return;
    }
    const QDate day = value.typeId() == QMetaType::QDate ? value.toDate() : value.toDateTime().date();
    setText(day.toString(u"yyyy-MM-dd"_s));
}

QVariant TlwLabel::AsNumber() const
{
    bool ok = false;
    const double value = text().trimmed().toDouble(&ok);
    if (!ok || !qIsFinite(value))
        return {};
    return value;
}

void TlwLabel::SetAsNumber(const QVariant& value)
{
    if (value.isNull() || !value.isValid()) {
        clear();
        return;
    }
    setText(QString::number(value.toDouble(), 'g', 15));
}
