#include "data/Clock.h"

#include <QTime>

namespace {
QDateTime& fixedMoment()
{
    static QDateTime moment;
    return moment;
}

QDateTime wholeSeconds(QDateTime moment)
{
    const QTime time = moment.time();
    moment.setTime(QTime(time.hour(), time.minute(), time.second()));
    return moment;
}
} // namespace

namespace Clock {

QDateTime Now()
{
    const QDateTime& fixed = fixedMoment();
    return fixed.isValid() ? fixed : wholeSeconds(QDateTime::currentDateTime());
}

QDate Today()
{
    return Now().date();
}

void SetFixed(const QDateTime& moment)
{
    fixedMoment() = moment.isValid() ? wholeSeconds(moment) : QDateTime();
}

} // namespace Clock
