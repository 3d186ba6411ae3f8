#pragma once
// A small window over the main one (a menu, a setup card, a log): the panel colour inside a
// visible edge, so that it stands apart from the dark window it opens over. A pop-up gets no frame
// from the window manager; this one draws its own.

#include <QFrame>

class Popover : public QFrame {
    Q_OBJECT
public:
    explicit Popover(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::Popup);

protected:
    void paintEvent(QPaintEvent *event) override;
};
