#include "Scan/StatusLine.h"

void StatusLine::set(const Value &value)
{
    if (value == m_value)
        return;
    m_value = value;
    emit changed();
}
