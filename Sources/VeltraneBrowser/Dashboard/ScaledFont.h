#pragma once
// A font made larger or smaller by a factor, whether its size is set in points or in pixels
// (the application's theme sets pixel sizes).

#include <QFont>

class ScaledFont {
public:
    ScaledFont() = delete;

    static QFont of(QFont font, double factor);
};
