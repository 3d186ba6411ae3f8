#pragma once
// The content of a settings pane, made anew whenever what it shows changes; the focused control
// (found again by its accessible name) keeps the focus.

#include <QVBoxLayout>
#include <QWidget>

class PaneContent {
public:
    // Takes the old content off the screen at once (it is deleted later: a signal of one of its
    // controls may have led here) and makes a new one inside the pane; returns its column, which
    // the pane fills before adding the content to its layout.
    static QVBoxLayout *renew(QWidget *pane, QVBoxLayout *paneLayout, QWidget *&content);
};
