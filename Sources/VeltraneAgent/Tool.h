#pragma once
// One MCP tool of the bridge: its name for the agent, the application command it becomes,
// what the agent is told about it and the schema of its arguments.

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

struct Tool {
    QString name;     // the MCP tool name
    QString method;   // the application command sent as "cmd"
    QString description;
    QJsonObject properties;
    QStringList required;

    // The listing entry of "tools/list".
    QJsonObject listing() const;

    // The eleven tools, in the order of "tools/list"; built once.
    static const QList<Tool> &all();
    static const Tool *find(const QString &name);
};
