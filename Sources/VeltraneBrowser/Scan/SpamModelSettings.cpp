// The model's side of the owner's settings: the settings' change signals shown as the model's own,
// and the effects a change sets off on the open page and the history.
#include "Scan/SpamModel.h"

#include "Scan/OwnerSettings.h"

// The settings are read once, after their effects are wired, so that reading runs them as a
// later change would.
void SpamModel::readSettings()
{
    OwnerSettings *o = m_owner.get();
    connect(o, &OwnerSettings::scanOnOpenChanged, this, &SpamModel::scanOnOpenChanged);
    connect(o, &OwnerSettings::aiOnChanged, this, &SpamModel::aiOnChanged);
    connect(o, &OwnerSettings::aiAbuseChanged, this, &SpamModel::aiAbuseChanged);
    connect(o, &OwnerSettings::aiSexualChanged, this, &SpamModel::aiSexualChanged);
    connect(o, &OwnerSettings::aiKeepPraiseChanged, this, &SpamModel::aiKeepPraiseChanged);
    connect(o, &OwnerSettings::keywordsChanged, this, &SpamModel::keywordsChanged);
    connect(o, &OwnerSettings::builtinWordsChanged, this, &SpamModel::builtinWordsChanged);
    connect(o, &OwnerSettings::limitChanged, this, &SpamModel::limitChanged);
    connect(o, &OwnerSettings::sortChanged, this, &SpamModel::sortChanged);
    connect(o, &OwnerSettings::noLikesOnlyChanged, this, &SpamModel::noLikesOnlyChanged);
    connect(o, &OwnerSettings::minLikesChanged, this, &SpamModel::minLikesChanged);
    connect(o, &OwnerSettings::postLimitChanged, this, &SpamModel::postLimitChanged);
    connect(o, &OwnerSettings::keepDaysChanged, this, &SpamModel::keepDaysChanged);
    connect(o, &OwnerSettings::storeTextChanged, this, &SpamModel::storeTextChanged);
    connect(o, &OwnerSettings::flagKnownSpammersChanged, this, &SpamModel::flagKnownSpammersChanged);
    connect(o, &OwnerSettings::skipUnchangedChanged, this, &SpamModel::skipUnchangedChanged);
    connect(o, &OwnerSettings::autoScanHoursChanged, this, &SpamModel::autoScanHoursChanged);
    connect(o, &OwnerSettings::aiOptionsChanged, this, &SpamModel::aiOptionsChanged);

    connect(o, &OwnerSettings::wordsSet, this, &SpamModel::wordsChanged);
    connect(o, &OwnerSettings::sortSet, this, [this] { m_review.applySort(); });
    connect(o, &OwnerSettings::keepDaysSet, this, [this](int days) {
        m_store->keepDays = days;
        purgeInSteps();
    });
    connect(o, &OwnerSettings::storeTextSet, this, [this](bool on) { m_store->storeText = on; });
    connect(o, &OwnerSettings::notificationsWanted, this, [this] { m_autoScans->requestNotifications(); });
    o->read();
}

void SpamModel::purgeInSteps(qint64 before)
{
    // A store that cannot open has nothing to purge.
    if (!m_store->isOpen())
        return;
    const qint64 days = m_store->keepDays;
    struct Step {
        bool more = false;
        qint64 removed = 0;
        ScanStore::Stats stats;   // read there as well once the expiry is done
    };
    QFuture<Step> step = m_storeThread->run<Step>([days](ScanStore &store) {
        store.keepDays = days;
        if (!store.isOpen())
            return Step{};
        const qint64 was = store.purged();
        const bool ok = store.purgeSome(StoreThread::expiryBatch);
        Step step{ok && store.purgePending(), store.purged() - was, {}};
        if (!step.more)
            step.stats = store.stats();
        return step;
    });
    const qint64 earlier = std::max<qint64>(0, before);
    step.then(this, [this, earlier](const Step &done) {
        const qint64 removed = earlier + done.removed;
        if (done.more) {
            purgeInSteps(removed);
            return;
        }
        if (removed > 0) {
            m_history.setStats(done.stats);
            m_history.raiseRunsVersion();
        }
    });
}

// ---- keyword edits and re-judging ------------------------------------------------------

void SpamModel::addKeywords(const QString &text)
{
    setKeywords(SpamRules::addKeywords(keywords(), text));
}

void SpamModel::removeKeyword(const QString &word)
{
    setKeywords(SpamRules::removeKeyword(keywords(), word));
}

void SpamModel::wordsChanged()
{
    if (!m_openPage.hasScanned() || m_jobs.working())
        return;
    const QList<int> changed = m_review.overlayWords(true);
    const std::optional<ScanStore::PostKey> page = m_openPage.scannedPage();
    if (changed.isEmpty() || !page)
        return;
    QList<Comment> verdicts;
    verdicts.reserve(changed.size());
    for (const int i : changed)
        verdicts.append(comments().at(i));
    m_store->rememberVerdicts(page->site, verdicts);
    m_history.syncPost(page->url);
}

