#include "Settings/SettingsButton.h"

SettingsButton::SettingsButton(const QString &text, Kind kind, QWidget *parent) : QPushButton(text, parent), m_kind(kind)
{
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setWeight(QFont::DemiBold);
    setFont(f);
    const char *look = nullptr;
    switch (kind) {
    case Kind::primary:
        look = "QPushButton { background: palette(highlight); color: palette(highlighted-text); border: none;"
               " border-radius: 8px; padding: 6px 14px; }"
               "QPushButton:disabled { background: palette(mid); color: palette(base); }";
        break;
    case Kind::plain:
        look = "QPushButton { background: palette(base); color: palette(text); border: 1px solid palette(mid);"
               " border-radius: 8px; padding: 6px 14px; }"
               "QPushButton:hover { border-color: palette(dark); }"
               "QPushButton:disabled { color: palette(mid); }";
        break;
    case Kind::danger:
        look = "QPushButton { background: #d0453a; color: white; border: none; border-radius: 8px; padding: 6px 14px; }"
               "QPushButton:disabled { background: palette(mid); color: palette(base); }";
        break;
    }
    setStyleSheet(QString::fromLatin1(look));
}
