#pragma once
// Logged runs grouped into the owner's actions: neighbouring runs with the same session string
// form one session, with a title (its time) and a one-line summary of its counts.

#include "Store/ScanStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

struct ScanSession {
    Q_DECLARE_TR_FUNCTIONS(ScanSession)
public:
    QList<ScanStore::Run> runs;   // in logging order; never empty

    static QList<ScanSession> group(const QList<ScanStore::Run> &runs);
    // The runs of ScanStore::runs(site, limit): beyond the newest `limit` runs it adds the last
    // scan of older posts. Those come first and are grouped on their own, so that an old run never
    // joins the session at the start of the window (the window may cut a session in two).
    static QList<ScanSession> group(const QList<ScanStore::Run> &runs, int limit);

    qint64 id() const { return runs.isEmpty() ? 0 : runs.first().id; }
    // In the run's language; only the time for a session of the day of `now`.
    QString title() const;
    QString title(const QDateTime &now) const;
    QString summary() const;
    // Worth a look: something was flagged or failed.
    bool marked() const;

    bool operator==(const ScanSession &) const = default;
};
