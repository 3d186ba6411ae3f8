#pragma once
// The tone of the status line. Inside the application it stays this enum; statusKindText() is
// its text where it leaves the application: "" (plain), "ok", "warn", "error" or "blocked".

#include <QMetaType>
#include <QString>

enum class StatusKind { plain, ok, warn, error, blocked };
Q_DECLARE_METATYPE(StatusKind)

QString statusKindText(StatusKind kind);
