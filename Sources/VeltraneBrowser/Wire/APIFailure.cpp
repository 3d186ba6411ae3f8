#include "Wire/APIFailure.h"

APIFailure::APIFailure(qint64 status_, const QString &code_)
    : status(status_)
    , code(code_)
    , m_what(QStringLiteral("service call failed (%1, %2)").arg(status_).arg(code_).toUtf8())
{
}

const char *APIFailure::what() const noexcept
{
    return m_what.constData();
}
