#pragma once
// Questions put to the owner in a small alert: a title, a text and two or more buttons. The window
// installs the implementation that shows them; until then, and in tests that install their own,
// nothing is shown and nothing blocks.
//
//   Alerts::Question q{tr("Delete?"), tr("..."), {tr("Delete"), tr("Cancel")}};
//   if (Alerts::shared()->canAsk() && co_await Alerts::shared()->ask(q) == 0) ...

#include <QCoro/QCoroTask>
#include <QString>
#include <QStringList>

class Alerts {
public:
    struct Question {
        QString title;
        QString text;
        QStringList buttons;   // in the order shown; the first is the default
        // The button that destroys something: never the default, never chosen by Escape, and
        // the owner is brought to the window first. -1 for none.
        int destructive = -1;
    };

    virtual ~Alerts() = default;

    // Whether a question can be put to the owner now (the application is in front, with a window).
    virtual bool canAsk() const = 0;
    // The index of the button chosen; -1 when the alert was closed in any other way.
    virtual QCoro::Task<int> ask(Question question) = 0;

    // The installed alerts; without one, alerts that cannot ask and answer -1.
    static Alerts *shared();
    // Installs the alerts for the whole process (none: back to the default). Not owned.
    static void setShared(Alerts *alerts);
};
