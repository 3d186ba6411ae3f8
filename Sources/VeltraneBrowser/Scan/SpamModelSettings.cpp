// The model's side of the owner's settings: the effects a set sets off on the open page and the
// history.
#include "Scan/SpamModel.h"

#include "Scan/OwnerSettings.h"

// The settings are read once, after their effects are wired, so that reading runs them as a
// later set would.
void SpamModel::readSettings()
{
    OwnerSettings *o = m_owner.get();
    connect(o, &OwnerSettings::applied, this, [this, o](OwnerSettings::Effect effect) {
        switch (effect) {
        case OwnerSettings::Effect::words:
            wordsChanged();
            break;
        case OwnerSettings::Effect::sort:
            m_review.applySort();
            break;
        case OwnerSettings::Effect::keepDays:
            m_store->keepDays = o->keepDays();
            purgeInSteps();
            break;
        case OwnerSettings::Effect::storeText:
            m_store->storeText = o->storeText();
            break;
        case OwnerSettings::Effect::notifications:
            m_autoScans->requestNotifications();
            break;
        case OwnerSettings::Effect::none:
        case OwnerSettings::Effect::consent:
            break;
        }
    });
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
    m_owner->set(OwnerSettings::Key::keywords, SpamRules::addKeywords(m_owner->keywords(), text));
}

void SpamModel::removeKeyword(const QString &word)
{
    m_owner->set(OwnerSettings::Key::keywords, SpamRules::removeKeyword(m_owner->keywords(), word));
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
        verdicts.append(m_review.comments().at(i));
    m_store->rememberVerdicts(page->site, verdicts);
    m_history.syncPost(page->url);
}
