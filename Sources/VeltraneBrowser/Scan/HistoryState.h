#pragma once
// What the model knows of the history for its views: the totals, the counters that tell views to
// read the runs or the deletions again, why the history is off (if it is), and the runs it logs
// (a job over several posts gives its runs one session). Views listen to its signals.

#include "Scan/StatusLine.h"
#include "Store/ScanStore.h"

#include <QObject>
#include <QString>

#include <optional>

class HistoryState : public QObject {
    Q_OBJECT

public:
    // The store must outlive it; the status line hears of a history found off.
    HistoryState(ScanStore *store, StatusLine &status, QObject *parent = nullptr)
        : QObject(parent)
        , m_store(store)
        , m_status(status)
    {
    }

    const ScanStore::Stats &stats() const { return m_stats; }
    // Takes the totals; a history found off on the way is made known with them.
    void setStats(const ScanStore::Stats &stats);
    // The session of the running job over several posts; none between jobs.
    const std::optional<QString> &runSession() const { return m_runSession; }
    void setRunSession(const std::optional<QString> &session) { m_runSession = session; }
    // Whether the runs logged now belong to an automatic scan.
    bool sessionAuto() const { return m_sessionAuto; }
    void setSessionAuto(bool on) { m_sessionAuto = on; }
    // Whether a run was logged since the flag was last cleared.
    bool loggedRun() const { return m_loggedRun; }
    void setLoggedRun(bool on) { m_loggedRun = on; }
    int runsVersion() const { return m_runsVersion; }
    void raiseRunsVersion();
    int deletionsVersion() const { return m_deletionsVersion; }
    void raiseDeletionsVersion();

    // Why the history is off for this run (the store's own words, with what to do); empty while
    // it works. Learnt whenever the model reads or writes the history.
    const QString &notice() const { return m_notice; }
    // Publishes the store's state; the first time the history is found off, the status line
    // says so too.
    void check();
    // Why the last history write failed: the store's own reason, or a plain sentence.
    QString writeError() const;

    // Recounts a stored post and brings its row (through postCounted) and the totals up to date.
    void syncPost(const QString &url);
    // Whether the run was stored.
    bool logRun(const ScanStore::Run &run, const QList<ScanStore::Item> &items);
    // The run with the session it belongs to, as logRun() stores it.
    ScanStore::Run inSession(const ScanStore::Run &run) const;
    // What follows a run that was logged (or tried), when it was written elsewhere.
    void runLogged();
    // The run of a scan or deletion that failed; whether it was stored (an address that is no
    // post has nothing to store).
    bool logFailedScan(const QString &url, const QString &note);
    bool logFailedRemoval(const QString &url, int count, const QString &note);

signals:
    void statsChanged();
    void runsVersionChanged();
    void deletionsVersionChanged();
    void noticeChanged();
    // A stored post was recounted; its row in the post list takes the counts.
    void postCounted(const QString &url, const ScanStore::Counts &counts);

private:
    // Sets a field and announces it when it changed; whether it did.
    template <typename T>
    bool update(T &field, const T &value, void (HistoryState::*changed)());

    ScanStore *m_store = nullptr;
    StatusLine &m_status;
    ScanStore::Stats m_stats;
    std::optional<QString> m_runSession;
    bool m_sessionAuto = false;
    bool m_loggedRun = false;
    int m_runsVersion = 0;
    int m_deletionsVersion = 0;
    QString m_notice;
    bool m_noticeShown = false;
};
