#include "Panel/PanelStyle.h"

#include "Theme/Design.h"

QString PanelStyle::styleSheet()
{
    auto rgba = [](const QColor &c) {
        return QStringLiteral("rgba(%1,%2,%3,%4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alphaF(), 0, 'f', 3);
    };
    return QStringLiteral(
               "QPushButton { color: %1; background: transparent; border: 1px solid %2; border-radius: 8px;"
               " padding: 4px 12px; font-size: 12px; }"
               "QPushButton:hover { background: %3; }"
               "QPushButton:disabled { color: %4; border-color: %5; }"
               "QPushButton[look=\"header\"] { border-radius: 7px; min-height: 24px; max-height: 26px; }"
               "QPushButton[look=\"header\"][active=\"true\"] { background: %6; border-color: %7; }"
               "QPushButton[look=\"critical\"] { background: %8; color: white; border: none; min-height: 40px;"
               " font-size: 14px; font-weight: 600; border-radius: 10px; }"
               "QPushButton[look=\"critical\"]:disabled { background: %9; color: %4; }"
               "QPushButton[look=\"plain\"] { min-height: 40px; font-size: 14px; font-weight: 600; border-radius: 10px; }"
               "QScrollBar:vertical { background: transparent; width: 8px; margin: 2px; }"
               "QScrollBar::handle:vertical { background: %6; border-radius: 3px; min-height: 24px; }"
               "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
               "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }")
        .arg(rgba(Design::text()), rgba(Design::strongBorder()), rgba(Design::surface()), rgba(Design::muted()),
             rgba(Design::border()), rgba(Design::elevated()), rgba(Design::strongBorder()), rgba(Design::brand()),
             rgba(Design::faded(Design::brand(), 0.3)));
}
