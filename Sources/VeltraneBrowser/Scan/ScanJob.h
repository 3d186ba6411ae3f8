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
// still the scanned one. Made and run by SpamModel::scan once its silent guards passed.

#include "Scan/ScanReport.h"
#include "Scan/SpamModel.h"
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

class ScanJob {
    Q_DECLARE_TR_FUNCTIONS(ScanJob)

public:
    // A full scan collects every comment; otherwise a rescan may collect only the newest. A
    // recorded scan writes its run (or its failure) to the history.
    ScanJob(SpamModel &model, bool full, bool record);

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

    // Waits until `landing` is done or Stop gave up on the scan; false when the model is gone.
    template <typename T>
    QCoro::Task<bool> wait(std::shared_ptr<Landing<T>> landing);
    // Lets the window's event loop run; whether the job can go on (the model remains).
    QCoro::Task<bool> turn();
    bool abandoned() const;
    bool samePage() const;
    void fail(std::exception_ptr error);
    void end();

    QPointer<SpamModel> m_model;
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
    SpamModel::Reuse m_reuse;
    // What the record needs besides the final comments.
    std::optional<QString> m_rules;
    TextHashes m_hashes;
    QList<ScanStore::AIAnswer> m_answers;
    QString m_aiOptions;
    std::optional<ScanStore::Post> m_post;
};
