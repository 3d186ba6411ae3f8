#pragma once
// A toggle drawn as the check glyph (on or off, never mixed) followed by its label; the whole
// row takes the click.

#include <QAbstractButton>

class CheckStyle : public QAbstractButton {
    Q_OBJECT
public:
    explicit CheckStyle(const QString &label, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;
};
