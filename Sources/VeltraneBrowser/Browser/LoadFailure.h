#pragma once
// A failed main-frame load as the browser reports it.

#include <QString>
#include <QUrl>

struct LoadFailure {
    QUrl url;                 // the address that failed (may be empty)
    int code = 0;             // the engine's error code
    QString description;      // the engine's text for it
    bool cancelled = false;   // stopped or replaced by another load: not a failure
};
