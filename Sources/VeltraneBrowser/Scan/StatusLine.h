#pragma once
// The status line under the browser: one sentence and its tone. The parts that report to the
// owner write it; views and the agent read it and listen to changed().

#include "Scan/StatusKind.h"

#include <QObject>
#include <QString>

class StatusLine : public QObject {
    Q_OBJECT

public:
    struct Value {
        QString text;
        StatusKind kind = StatusKind::plain;
        bool operator==(const Value &) const = default;
    };

    explicit StatusLine(QObject *parent = nullptr)
        : QObject(parent)
    {
    }

    const Value &value() const { return m_value; }
    const QString &text() const { return m_value.text; }
    StatusKind kind() const { return m_value.kind; }
    void set(const QString &text, StatusKind kind) { set(Value{text, kind}); }
    void set(const Value &value);

signals:
    void changed();

private:
    Value m_value;
};
