#pragma once
// A separator line: 1 point of Design's border colour, as wide as its container.

#include <QWidget>

class Hairline : public QWidget {
    Q_OBJECT
public:
    explicit Hairline(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *) override;
};
