#pragma once
// Contrast of two rendered colours as the web's accessibility guidelines define it (1 to 21), for
// tests that check a chosen control stands out as drawn.

#include <QRgb>

#include <algorithm>
#include <cmath>

namespace vt::test {

inline double luminance(QRgb c)
{
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

inline double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}   // namespace vt::test
