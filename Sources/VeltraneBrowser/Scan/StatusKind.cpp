#include "Scan/StatusKind.h"

QString statusKindText(StatusKind kind)
{
    switch (kind) {
    case StatusKind::ok:
        return QStringLiteral("ok");
    case StatusKind::warn:
        return QStringLiteral("warn");
    case StatusKind::error:
        return QStringLiteral("error");
    case StatusKind::blocked:
        return QStringLiteral("blocked");
    case StatusKind::plain:
        break;
    }
    return {};
}
