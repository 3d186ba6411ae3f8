#pragma once
// The on/off switch of the settings: a capsule track with a sliding knob, 44x26 (large 52x30).

#include <QAbstractButton>

class BrandSwitch : public QAbstractButton {
    Q_OBJECT
public:
    // `name` is read by accessibility; the row beside the switch shows the text.
    BrandSwitch(const QString &name, bool large, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    // "On" or "Off" as accessibility reads the value.
    static QString valueText(bool on);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_large;
};
