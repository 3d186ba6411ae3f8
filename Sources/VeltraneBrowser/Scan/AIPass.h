#pragma once
// One AI pass of a scan: the comments the rules left undecided go to the service in batches of
// SpamModel::aiBatchSize, at most SpamModel::aiMaxInFlight at once; answers are applied in the
// order they arrive (one per turn of the event loop), stored one batch per transaction, and the
// pass ends in the sentence the scan's summary carries. A page change ends it at once; Stop lets
// the batches out finish, or drops them once Stop gave up waiting. Also the one-time question
// whether comment text may go to the AI check.

#include "Base/Alerts.h"
#include "Scan/PostReview.h"
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

class SpamModel;

class AIPass {
    Q_DECLARE_TR_FUNCTIONS(AIPass)

public:
    // The question whether comment text may go to the AI check; the first button agrees.
    static Alerts::Question consentQuestion();
    // Puts the question; true for the first button. Stores nothing.
    static QCoro::Task<bool> askConsent(Alerts *alerts);

    // Nothing is stored without `page`. With `answers`, the scores are gathered there for the
    // scan's record instead of being written as they come.
    AIPass(SpamModel &model, QUuid pageID, std::optional<ScanStore::PostKey> page,
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

    QPointer<SpamModel> m_model;
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
