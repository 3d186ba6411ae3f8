#pragma once
// The theme's look for a question box: the window's dark panel and text colours, the question in
// bold above its explanation, the answer buttons drawn like the window's own: a destructive answer
// filled with the brand red and the others plain beside it; without one, the default answer
// filled with the accent.
// apply() may come before or after the buttons are added: they take their look when the box shows.

#include <QString>

class QAbstractButton;
class QMessageBox;

class AlertStyle {
public:
    AlertStyle() = delete;

    static void apply(QMessageBox *box);
    // "danger", "primary" or "plain": how the box draws this button of its.
    static QString kind(const QMessageBox *box, QAbstractButton *button);
};
