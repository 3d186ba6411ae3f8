#pragma once
// One scan of the open post, in named steps:
//   prepare  the status line, progress polling, the service account brought up to date meanwhile
//   collect  the page call (given up when Stop has waited long enough)
//   judge    the owner's words over the page's verdicts, the order, the AI gate
//   compare  what the history knows of these comments: new, edited, skipped, repeat offenders,
//            reused AI answers
//   askAI    the AI pass
//   store    the final verdicts and the post's row made ready for the history
//   report   the closing status line, then the scan's whole record (its comments, AI answers, the
//            post's row and the run of a recorded scan) written in one transaction on the
//            history's own thread, and the post's row in the post list
// A step that ends the scan returns false; every failure leaves through fail(), which says why
// in the status line and the issue (and logs a failed run of a recorded scan) while the page is
// still the scanned one. Made and run by the spam model's scan() once its silent guards passed.

#include "Scan/ChannelPost.h"
#include "Scan/HistoryState.h"
#include "Scan/JobState.h"
#include "Scan/OpenPage.h"
#include "Scan/OwnerSettings.h"
#include "Scan/PostReview.h"
#include "Scan/ScanReport.h"
#include "Scan/StatusLine.h"
#include "Store/ScanStore.h"
#include "Wire/Recent.h"
#include "Wire/ScanResult.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QPointer>
#include <QSet>
#include <QUuid>
#include <QCoro/QCoroTask>

#include <exception>
#include <functional>
#include <memory>
#include <optional>

class Alerts;
class Browser;
class SpamEngine;
class VeltraneAccount;

class ScanJob {
    Q_DECLARE_TR_FUNCTIONS(ScanJob)

public:
    // What a scan works with; each must outlive the job (a job whose job state is gone ends).
    struct Inputs {
        Browser *browser = nullptr;
        SpamEngine *engine = nullptr;
        ScanStore *store = nullptr;
        VeltraneAccount *account = nullptr;
        Alerts *alerts = nullptr;
        OwnerSettings &owner;
        PostReview &review;
        OpenPage &page;
        ScanReport &report;
        HistoryState &history;
        JobState &jobs;
        StatusLine &status;
    };
    // What the coordinator does for a scan.
    struct Hooks {
        // Forgets the open page's results and review marks.
        std::function<void()> resetResults;
        // Whether a rescan of the post may collect only the newest comments, and what it sends.
        std::function<std::optional<Recent>(const std::optional<ScanStore::PostKey> &)> recentOptions;
        // The owner is taken to the service account.
        std::function<void()> requestAccount;
        // The post list's rows, and a stored post put into it with its count of new comments.
        std::function<QList<ChannelPost>()> posts;
        std::function<void(const ScanStore::Post &, int)> listPost;
        // Writes the scan's whole record off the window's thread.
        std::function<QCoro::Task<ScanStore::Recorded>(ScanStore::ScanRecord)> record;
    };

    // A full scan collects every comment; otherwise a rescan may collect only the newest. A
    // recorded scan writes its run (or its failure) to the history.
    ScanJob(const Inputs &in, Hooks hooks, bool full, bool record);

    // Runs the steps to the end of the scan; never throws.
    QCoro::Task<void> run();

    // The outcome of a call the scan waits for on its own terms (Stop may give up on it).
    template <typename T>
    struct Landing {
        std::optional<T> value;
        std::exception_ptr error;
        bool done = false;
    };

private:
    void prepare();
    QCoro::Task<bool> collect();
    QCoro::Task<bool> judge();
    QCoro::Task<bool> compare();
    QCoro::Task<bool> askAI();
    QCoro::Task<bool> store();
    QCoro::Task<void> report();

    // Waits until `landing` is done or Stop gave up on the scan; false when the job state is gone.
    template <typename T>
    QCoro::Task<bool> wait(std::shared_ptr<Landing<T>> landing);
    // Lets the window's event loop run; whether the job can go on (the job state remains).
    QCoro::Task<bool> turn();
    bool abandoned() const;
    bool samePage() const;
    void fail(std::exception_ptr error);
    void end();

    QPointer<Browser> m_browser;
    SpamEngine *m_engine = nullptr;
    ScanStore *m_store = nullptr;
    VeltraneAccount *m_account = nullptr;
    Alerts *m_alerts = nullptr;
    OwnerSettings &m_owner;
    PostReview &m_review;
    OpenPage &m_page;
    ScanReport &m_report;
    HistoryState &m_history;
    JobState &m_jobs;
    StatusLine &m_status;
    QPointer<JobState> m_alive;
    Hooks m_hooks;
    bool m_full = false;
    bool m_record = false;
    QUuid m_pageID;
    quint64 m_serial = 0;
    std::optional<ScanStore::PostKey> m_key;
    std::optional<ScanStore::Post> m_before;
    std::optional<Recent> m_recent;
    std::shared_ptr<Landing<bool>> m_accountRefresh;
    bool m_accountAsked = false;
    ScanResult m_result;
    bool m_caughtUp = false;
    bool m_settle = false;
    bool m_runAI = false;
    QString m_aiNote;
    QDateTime m_now;
    ScanReport::Facts m_facts;
    QSet<QString> m_fresh;
    qint64 m_added = 0;
    PostReview::Reuse m_reuse;
    // What the record needs besides the final comments.
    std::optional<QString> m_rules;
    TextHashes m_hashes;
    QList<ScanStore::AIAnswer> m_answers;
    QString m_aiOptions;
    std::optional<ScanStore::Post> m_post;
};
