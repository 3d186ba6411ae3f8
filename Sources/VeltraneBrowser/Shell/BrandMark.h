#pragma once
// The product mark: a shield with a check, dark on a near-white rounded square of side `size`.

#include <QWidget>

class BrandMark : public QWidget {
    Q_OBJECT
public:
    explicit BrandMark(int size, QWidget *parent = nullptr);

    static void paint(QPainter &painter, const QRectF &box);

protected:
    void paintEvent(QPaintEvent *) override;
};
