#pragma once
// Small texts about runs: the scan button of the post list, the delete button of the panel and
// the time of a logged action (in the interface language).

#include <QDateTime>
#include <QString>

class RunText {
public:
    RunText() = delete;

    static QString scan(int posts);
    static QString scan(int posts, bool korean);
    static QString deletion(int count);
    static QString deletion(int count, bool korean);
    // Only the short time for a date of today, else month, day and time (no year).
    static QString time(const QDateTime &date);
    static QString time(const QDateTime &date, const QDateTime &now, bool korean);
};
