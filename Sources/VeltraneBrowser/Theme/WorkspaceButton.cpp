#include "Theme/WorkspaceButton.h"

#include "Theme/Design.h"
#include "Theme/HoverFade.h"
#include "Theme/Symbol.h"

#include <QPainter>

WorkspaceButton::Look WorkspaceButton::look(Flags flags, bool enabled, bool hovered, bool pressed, bool reduceMotion)
{
    Look l;
    if (flags.large) {
        l.fontSize = 15;
        l.radius = 12;
        l.padding = 18;
        l.minHeight = 50;
    }
    if (flags.critical || flags.prominent) {
        l.label = flags.critical ? Design::onBrand() : Design::onAccent();
        l.fill = flags.critical ? Design::brand() : Design::accent();
        if (enabled) {
            l.shadow = Design::shadow();
            if (hovered)
                l.brightness = flags.critical ? 0.045 : -0.07;
        }
    } else if (flags.strong) {
        l.label = Design::text();
        l.fill = hovered ? Design::elevated() : Design::surface();
        l.border = Design::strongBorder();
    } else {
        l.label = Design::secondary();
        l.fill = hovered ? Design::surface() : Design::card();
        l.border = hovered ? Design::strongBorder() : Design::border();
    }
    l.opacity = !enabled ? 0.4 : pressed ? 0.76 : 1;
    l.scale = (pressed && enabled && !reduceMotion) ? 0.97 : 1;
    return l;
}

WorkspaceButton::WorkspaceButton(const QString &text, Flags flags, QWidget *parent)
    : QAbstractButton(parent)
    , m_flags(flags)
    , m_hover(new HoverFade(this))
{
    setText(text);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::pressed, this, qOverload<>(&QWidget::update));
    connect(this, &QAbstractButton::released, this, qOverload<>(&QWidget::update));
}

QSize WorkspaceButton::sizeHint() const
{
    const Look l = look(m_flags, true, false, false, false);
    QFont f = font();
    f.setPixelSize(l.fontSize);
    f.setWeight(QFont::DemiBold);
    const QFontMetrics fm(f);
    // Room around the shape for its shadow.
    // A symbol and its gap, and a little room so that the text is never cut by rounding.
    const int symbolWidth = m_symbol.isEmpty() ? 0 : l.fontSize + 8;
    return QSize(fm.horizontalAdvance(text()) + symbolWidth + 2 * l.padding + 6,
                 qMax(l.minHeight, int(fm.height()) + 8) + 5);
}

void WorkspaceButton::setSymbol(const QString &name)
{
    if (name == m_symbol)
        return;
    m_symbol = name;
    updateGeometry();
    update();
}

void WorkspaceButton::enterEvent(QEnterEvent *)
{
    m_hover->set(true);
}

void WorkspaceButton::leaveEvent(QEvent *)
{
    m_hover->set(false);
}

void WorkspaceButton::paintEvent(QPaintEvent *)
{
    const bool enabled = isEnabled();
    const bool down = isDown();
    const Look rest = look(m_flags, enabled, false, down, Design::reduceMotion());
    const Look hover = look(m_flags, enabled, true, down, Design::reduceMotion());
    const double t = m_hover->value();

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(rest.opacity);
    const QRectF full = QRectF(rect());
    p.translate(full.center());
    p.scale(rest.scale, rest.scale);
    p.translate(-full.center());
    const QRectF box = full.adjusted(3, 1, -3, -4);   // room for the shadow
    const QPainterPath shape = Design::rounded(box, rest.radius);
    if (rest.shadow)
        Design::dropShadow(p, shape, *rest.shadow, 4, QPointF(0, 2));
    QColor fill = HoverFade::mix(rest.fill, hover.fill, t);
    const double brightness = hover.brightness * t;
    if (brightness != 0)
        fill = QColor::fromRgbF(qBound(0.0, fill.redF() + brightness, 1.0),
                                qBound(0.0, fill.greenF() + brightness, 1.0),
                                qBound(0.0, fill.blueF() + brightness, 1.0), fill.alphaF());
    p.fillPath(shape, fill);
    if (rest.border)
        Design::innerStroke(p, box, rest.radius, HoverFade::mix(*rest.border, *hover.border, t));
    QFont f = font();
    f.setPixelSize(rest.fontSize);
    f.setWeight(QFont::DemiBold);
    p.setFont(f);
    p.setPen(rest.label);
    if (m_symbol.isEmpty()) {
        p.drawText(box, Qt::AlignCenter, text());
        return;
    }
    // Symbol and text centred together; the text is cut short when the button is narrow.
    const QFontMetricsF fm(f);
    const double symbolWidth = rest.fontSize + 6;
    const double room = qMax(0.0, box.width() - 2 * rest.padding - symbolWidth);
    const QString shown = fm.elidedText(text(), Qt::ElideRight, room);
    const double width = symbolWidth + fm.horizontalAdvance(shown);
    const double left = box.center().x() - width / 2;
    Symbol::paint(p, m_symbol, QRectF(left, box.top(), rest.fontSize, box.height()), rest.label, rest.fontSize);
    p.drawText(QRectF(left + symbolWidth, box.top(), width - symbolWidth + 1, box.height()),
               Qt::AlignLeft | Qt::AlignVCenter, shown);
}
