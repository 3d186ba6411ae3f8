#pragma once
// The tone of the status line. Views, the agent and the history read it as its text: "" (plain),
// "ok", "warn", "error" or "blocked".

#include <QMetaType>
#include <QString>
#include <QStringView>

enum class StatusKind { plain, ok, warn, error, blocked };
Q_DECLARE_METATYPE(StatusKind)

QString statusKindText(StatusKind kind);
// The kind a text names; any other text is plain.
StatusKind statusKindOf(QStringView text);
