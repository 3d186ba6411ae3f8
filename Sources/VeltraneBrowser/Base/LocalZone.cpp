#include "Base/LocalZone.h"

#include <QTimeZone>

QByteArray LocalZone::pin()
{
    if (!qEnvironmentVariableIsSet("TZ")) {
        const QByteArray id = QTimeZone::systemTimeZoneId();
        // Only a name the C library resolves the same way: an unknown one would read as UTC.
        if (!id.isEmpty() && QTimeZone(id).isValid())
            qputenv("TZ", id);
    }
    return qgetenv("TZ");
}
