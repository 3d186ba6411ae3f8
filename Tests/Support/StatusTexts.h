#pragma once
// Hands each new text of the status line to `each`, as a view that shows only the text sees it: a
// change of tone alone is no new text. The connection ends with `context`.

#include "Scan/StatusLine.h"

#include <QObject>
#include <QString>

#include <functional>

inline QMetaObject::Connection onStatusText(const StatusLine &line, const QObject *context,
                                            std::function<void(const QString &)> each)
{
    return QObject::connect(&line, &StatusLine::changed, context,
                            [&line, each = std::move(each), last = line.text()]() mutable {
        if (line.text() == last)
            return;
        last = line.text();
        each(last);
    });
}
