#pragma once
// The style sheet of the panel's buttons and scroll bars, in the theme's colours.

#include <QString>

class PanelStyle {
public:
    PanelStyle() = delete;

    // Buttons by their "look" property: "header", "critical", "plain".
    static QString styleSheet();
};
