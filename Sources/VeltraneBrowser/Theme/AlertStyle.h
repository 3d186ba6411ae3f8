#pragma once
// The theme's look for a question box: the window's dark panel and text colours, the question in
// bold above its explanation, the answer buttons drawn like the window's own: a destructive answer
// filled with the brand red and the others plain beside it; without one, the default answer
// filled with the accent.
// apply() may come before or after the buttons are added: they take their look when the box shows.

#include "Base/Alerts.h"

#include <QList>
#include <QString>

class QAbstractButton;
class QMessageBox;
class QWidget;

class AlertStyle {
public:
    AlertStyle() = delete;

    static void apply(QMessageBox *box);
    // The window's question box for `question`, styled, modal to the parent's window, not yet
    // shown: the title in bold above the text, the buttons in the question's order (the first
    // the default unless it destroys something; Escape never picks the destructive one). Its
    // buttons, in the question's order, go to `buttons`.
    static QMessageBox *questionBox(QWidget *parent, const Alerts::Question &question,
                                    QList<QAbstractButton *> *buttons);
    // "danger", "primary" or "plain": how the box draws this button of its.
    static QString kind(const QMessageBox *box, QAbstractButton *button);
};
