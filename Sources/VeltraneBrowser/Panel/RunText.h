#pragma once
// Small texts about runs: the scan button of the post list, the delete button of the panel and
// the time of a logged action (in the run's language).

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

class RunText {
    Q_DECLARE_TR_FUNCTIONS(RunText)
public:
    RunText() = delete;

    static QString scan(int posts);
    static QString deletion(int count);
    // Only the short time for a date of today, else month, day and time (no year).
    static QString time(const QDateTime &date);
    static QString time(const QDateTime &date, const QDateTime &now);
};
