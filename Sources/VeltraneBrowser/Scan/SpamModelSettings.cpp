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
    // The open runs a first batch itself; a store that cannot open has nothing to purge.
    if (!m_store->isOpen())
        return;
    // A first call runs a batch unless the open left the rest waiting; later calls one each.
    const qint64 start = before < 0 ? m_store->purged() : before;
    if (before >= 0 || !m_store->purgePending())
        m_store->purgeSome();
    if (m_store->purgePending()) {
        QTimer::singleShot(0, this, [this, start] { purgeInSteps(start); });
        return;
    }
    if (m_store->purged() != start) {
        setStats(m_store->stats());
        m_history.raiseRunsVersion();
    }
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
    if (!hasScanned() || working())
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

