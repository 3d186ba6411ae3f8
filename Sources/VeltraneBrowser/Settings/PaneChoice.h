#pragma once
// One choice of a settings picker: the value it stores and its label.

#include <QList>
#include <QString>

struct PaneChoice {
    qint64 value = 0;
    QString label;
    bool operator==(const PaneChoice &) const = default;

    // Whether the value is one of the choices.
    static bool offers(const QList<PaneChoice> &choices, qint64 value)
    {
        for (const PaneChoice &c : choices) {
            if (c.value == value)
                return true;
        }
        return false;
    }
};
