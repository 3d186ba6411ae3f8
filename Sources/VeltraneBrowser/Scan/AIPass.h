#pragma once
// One AI pass of a scan: the comments the rules left undecided go to the service in batches of
// batchSize, at most maxInFlight at once; answers are applied in the
// order they arrive (one per turn of the event loop), stored one batch per transaction, and the
// pass ends in the sentence the scan's summary carries. A page change ends it at once; Stop lets
// the batches out finish, or drops them once Stop gave up waiting. Also the one-time question
// whether comment text may go to the AI check.

#include "Base/Alerts.h"
#include "Scan/JobState.h"
#include "Scan/OpenPage.h"
#include "Scan/OwnerSettings.h"
#include "Scan/PostReview.h"
#include "Scan/ScanReport.h"
#include "Scan/StatusLine.h"
#include "Store/ScanStore.h"
#include "Wire/AIScore.h"
#include "Wire/APIFailure.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QUuid>
#include <QCoro/QCoroTask>

#include <memory>
#include <optional>

class VeltraneAccount;

class AIPass {
    Q_DECLARE_TR_FUNCTIONS(AIPass)

public:
    static constexpr int batchSize = 20;
    static constexpr int maxInFlight = 4;

    // What a pass works with; each must outlive the pass (a pass whose job state is gone ends).
    struct Inputs {
        PostReview &review;
        OpenPage &page;
        ScanReport &report;
        const OwnerSettings &owner;
        JobState &jobs;
        StatusLine &status;
        VeltraneAccount *account = nullptr;
        ScanStore *store = nullptr;
    };

    // The question whether comment text may go to the AI check; the first button agrees.
    static Alerts::Question consentQuestion();
    // Puts the question; true for the first button. Stores nothing.
    static QCoro::Task<bool> askConsent(Alerts *alerts);

    // Nothing is stored without `page`. With `answers`, the scores are gathered there for the
    // scan's record instead of being written as they come.
    AIPass(const Inputs &in, QUuid pageID, std::optional<ScanStore::PostKey> page,
           QList<ScanStore::AIAnswer> *answers = nullptr);
    // Runs the pass over what the store knows (reused answers count with `before`); the closing
    // sentence, empty when there was nothing to ask.
    QCoro::Task<QString> run(QHash<QString, ScanStore::Known> known, PostReview::Reuse before);

    struct Arrivals;

private:
    // Sends batches while fewer than the limit are out and no failure or stop came.
    void fill();
    // Applies one batch's answer: stores the scores, places them, updates the activity and line.
    void take(int batch, const QList<std::optional<AIScore>> &scores);
    void showProgress(int batch);
    QString closing() const;

    PostReview &m_review;
    OpenPage &m_openPage;
    ScanReport &m_report;
    const OwnerSettings &m_owner;
    JobState &m_jobs;
    StatusLine &m_status;
    VeltraneAccount *m_account = nullptr;
    ScanStore *m_store = nullptr;
    QPointer<JobState> m_alive;
    QUuid m_pageID;
    std::optional<ScanStore::PostKey> m_page;
    QList<ScanStore::AIAnswer> *m_answers = nullptr;
    QStringList m_kinds;
    QString m_optionsKey;
    bool m_keepPraise = false;
    QHash<QString, qsizetype> m_position;
    QList<QList<Comment>> m_batches;
    std::shared_ptr<Arrivals> m_arrivals;
    QString m_reuseNote;
    int m_reused = 0;
    int m_found = 0;
    int m_unsure = 0;
    int m_total = 0;
    int m_answered = 0;
    int m_sent = 0;
    int m_inFlight = 0;
    int m_next = 0;
    bool m_abandoned = false;
    std::optional<APIFailure> m_firstFailure;
};
