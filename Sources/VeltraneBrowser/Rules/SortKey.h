#pragma once
// The order in which the open page's comments are listed ("vt.sort"). SpamModel::applySort sorts
// with sortInPlace; missing values (no time, likes or AI probability) always come last, ties keep
// page order.

#include "Wire/Comment.h"

#include <QList>
#include <QString>

#include <optional>

class SortKey {
public:
    enum Value { page, newest, oldest, likes, ai };

    constexpr SortKey(Value value = page)
        : m_value(value)
    {
    }
    constexpr operator Value() const { return m_value; }

    static QList<SortKey> allCases();
    // Exactly "page", "newest", "oldest", "likes" or "ai"; nothing else (case matters).
    static std::optional<SortKey> fromRawValue(const QString &raw);
    QString rawValue() const;
    QString id() const { return rawValue(); }

    // The number a comment sorts by: smaller first.
    double sortValue(const Comment &comment) const;
    // Whether a comes before b: smaller value, or equal value and smaller page order.
    bool before(const Comment &a, const Comment &b) const;
    // Sorts in place in one step.
    void sortInPlace(QList<Comment> &comments) const;

private:
    Value m_value;
};
