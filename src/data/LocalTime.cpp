#include "data/LocalTime.h"

#include <QFileInfo>
#include <QtGlobal>
#include <ctime>

namespace LocalTime {

void CacheSystemZone()
{
    if (qEnvironmentVariableIsSet("TZ") || !QFileInfo::exists(QStringLiteral("/etc/localtime")))
        return;
    qputenv("TZ", QByteArrayLiteral(":/etc/localtime"));
    tzset();
}

} // namespace LocalTime
