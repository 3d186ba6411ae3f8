#include "Settings/BrandSwitch.h"

#include <QPainter>
#include <QPainterPath>

BrandSwitch::BrandSwitch(const QString &name, bool large, QWidget *parent)
    : QAbstractButton(parent)
    , m_large(large)
{
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(name);
    setToolTip(name);
    setFixedSize(sizeHint());
    connect(this, &QAbstractButton::toggled, this, [this](bool on) { setAccessibleDescription(valueText(on)); });
    setAccessibleDescription(valueText(false));
}

QSize BrandSwitch::sizeHint() const
{
    return m_large ? QSize(52, 30) : QSize(44, 26);
}

QString BrandSwitch::valueText(bool on)
{
    return on ? tr("On") : tr("Off");
}

void BrandSwitch::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        p.setOpacity(0.5);
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal r = track.height() / 2;
    const QPalette &pal = palette();
    if (isChecked()) {
        p.setPen(Qt::NoPen);
        p.setBrush(pal.color(QPalette::Highlight));
    } else {
        p.setPen(QPen(pal.color(QPalette::Mid), 1));
        p.setBrush(pal.color(QPalette::AlternateBase));
    }
    p.drawRoundedRect(track, r, r);
    const qreal knob = height() - 8;
    const qreal x = isChecked() ? width() - 4 - knob : 4;
    p.setPen(Qt::NoPen);
    p.setBrush(isChecked() ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::PlaceholderText));
    p.drawEllipse(QRectF(x, 4, knob, knob));
}
