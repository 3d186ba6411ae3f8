#include "Settings/SettingsButton.h"

#include "Theme/Design.h"

namespace {

QString rgba(const QColor &c)
{
    return QStringLiteral("rgba(%1,%2,%3,%4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
}

}   // namespace

SettingsButton::Look SettingsButton::look(Kind kind, bool enabled, bool hovered)
{
    Look l;
    switch (kind) {
    case Kind::primary:
        l.fill = Design::accent();
        l.label = Design::onAccent();
        break;
    case Kind::danger:
        l.fill = Design::brand();
        l.label = Design::onBrand();
        break;
    case Kind::plain:
        l.fill = hovered ? Design::surface() : Design::card();
        l.label = Design::secondary();
        l.border = hovered ? Design::strongBorder() : Design::border();
        break;
    }
    if (!enabled) {
        // A disabled button is the same button at 0.4 opacity, so its kind still shows.
        l.fill = Design::faded(l.fill, 0.4);
        l.label = Design::faded(l.label, 0.4);
        if (l.border)
            l.border = Design::faded(*l.border, 0.4);
    }
    return l;
}

SettingsButton::SettingsButton(const QString &text, Kind kind, QWidget *parent)
    : QPushButton(text, parent)
    , m_kind(kind)
{
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setWeight(QFont::DemiBold);
    setFont(f);
    auto rule = [kind](const QString &state, bool enabled, bool hovered) {
        const Look l = look(kind, enabled, hovered);
        return QStringLiteral("QPushButton%1 { background: %2; color: %3; border: %4; }")
            .arg(state, rgba(l.fill), rgba(l.label),
                 l.border ? QStringLiteral("1px solid ") + rgba(*l.border) : QStringLiteral("none"));
    };
    setStyleSheet(QStringLiteral("QPushButton { border-radius: 8px; padding: 6px 14px; }")
                  + rule(QString(), true, false) + rule(QStringLiteral(":hover"), true, true)
                  + rule(QStringLiteral(":disabled"), false, false));
}
