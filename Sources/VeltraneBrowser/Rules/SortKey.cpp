#include "Rules/SortKey.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kLast = std::numeric_limits<double>::max();

// A value that is missing or not a number sorts last, so the comparison stays a strict weak order.
double orLast(const std::optional<double> &value, bool negate)
{
    if (!value || std::isnan(*value))
        return kLast;
    return negate ? -*value : *value;
}

}   // namespace

QList<SortKey> SortKey::allCases()
{
    return {page, newest, oldest, likes, ai};
}

std::optional<SortKey> SortKey::fromRawValue(const QString &raw)
{
    for (const SortKey key : allCases()) {
        if (key.rawValue() == raw)
            return key;
    }
    return std::nullopt;
}

QString SortKey::rawValue() const
{
    switch (m_value) {
    case page:
        return QStringLiteral("page");
    case newest:
        return QStringLiteral("newest");
    case oldest:
        return QStringLiteral("oldest");
    case likes:
        return QStringLiteral("likes");
    case ai:
        return QStringLiteral("ai");
    }
    return QStringLiteral("page");
}

double SortKey::sortValue(const Comment &c) const
{
    switch (m_value) {
    case page:
        return double(c.order);
    case newest:
        return orLast(c.publishedAt, true);
    case oldest:
        return orLast(c.publishedAt, false);
    case likes:
        return orLast(c.likeCount, false);
    case ai:
        return orLast(c.aiProb, true);
    }
    return double(c.order);
}

bool SortKey::before(const Comment &a, const Comment &b) const
{
    const double va = sortValue(a);
    const double vb = sortValue(b);
    if (va != vb)
        return va < vb;
    return a.order < b.order;
}

void SortKey::sortInPlace(QList<Comment> &comments) const
{
    // Stable, so comments equal in value and order keep their relative place.
    std::stable_sort(comments.begin(), comments.end(),
                     [this](const Comment &a, const Comment &b) { return before(a, b); });
}
