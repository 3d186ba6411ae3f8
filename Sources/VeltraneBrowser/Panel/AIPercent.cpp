#include "Panel/AIPercent.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

std::optional<double> AIPercent::clean(std::optional<double> prob)
{
    if (!prob || std::isnan(*prob))
        return std::nullopt;
    return std::clamp(*prob, 0.0, 1.0);
}

int AIPercent::of(double prob)
{
    const std::optional<double> p = clean(prob);
    // std::round rounds halves away from zero.
    return p ? int(std::round(*p * 100.0)) : 0;
}

int AIPercent::orFull(std::optional<double> prob)
{
    const std::optional<double> p = clean(prob);
    return p ? of(*p) : 100;
}

std::optional<qint64> AIPercent::likes(std::optional<double> count)
{
    if (!count || std::isnan(*count) || *count < 0)
        return std::nullopt;
    // Well inside qint64, and more likes than any post has.
    return qint64(std::min(std::floor(*count), 1e15));
}
