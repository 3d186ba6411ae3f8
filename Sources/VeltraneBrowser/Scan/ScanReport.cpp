#include "Scan/ScanReport.h"

#include "Base/Lang.h"
#include "Rules/SpamRules.h"

namespace {

const QString kSpam = QStringLiteral("spam");
constexpr StatusKind kWarn = StatusKind::warn;
constexpr StatusKind kOk = StatusKind::ok;

QString hiddenSentence()
{
    return QCoreApplication::translate("ScanReport",
                                       " The window was covered, so some comments may not have loaded."
                                       " Scan again with the window visible to check them all.");
}

// A sentence of the fixed table of page messages, which has an English row. The deleting prefix
// is not a row: what follows it is the page's own wording.
bool tableText(const QString &text)
{
    static const QString deletingPrefix = QStringLiteral("삭제 중… ");
    return !text.isEmpty() && !text.startsWith(deletingPrefix) && isSiteMessage(text);
}

}   // namespace

ScanReport::Facts ScanReport::Facts::of(const ScanResult &answer)
{
    Facts facts;
    facts.total = answer.total;
    facts.siteSorted = answer.siteSorted;
    facts.likesUnknown = answer.likesUnknown;
    facts.caughtUp = answer.caughtUp;
    facts.hidden = answer.hidden;
    facts.limited = answer.limited;
    if (answer.partial && !answer.partial->trimmed().isEmpty())
        facts.partial = answer.partial->trimmed();
    return facts;
}

QString ScanReport::note(const Facts &f) const
{
    const bool caughtUp = f.caughtUp.value_or(false);
    const qint64 limit = m_owner.limit();
    QString note;
    if (f.storeKnewSome && !caughtUp)
        note += tr(" Since the last scan: %1 new, %2 edited.").arg(f.unknown).arg(f.edited);
    note += f.repeatNote;
    if (f.skipped >= 1)
        note += tr(" %1 cleared last time and unchanged were skipped.").arg(f.skipped);
    note += f.aiNote;
    const bool limited = f.limited ? *f.limited : (limit > 0 && limit <= f.total);
    if (limited && !caughtUp)
        note += tr(" Loaded only up to the collection limit (%1).").arg(limit);
    if (m_owner.sort() == SortKey::newest && !f.siteSorted)
        note += tr(" This page can't be switched to newest, so sorting covers only what was loaded.");
    if (m_owner.noLikesOnly() && f.likesUnknown)
        note += tr(" Like counts couldn't be read on this page, so \"skip comments with likes\" was not applied.");
    if (f.hidden.value_or(false) && !caughtUp)
        note += hiddenSentence();
    return note;
}

ScanReport::StatusLine ScanReport::status(const Facts &f, const QString &note) const
{
    // A collection that stopped short says why, after the counts, so that the owner scans again.
    if (f.partial) {
        const QString why = localizedSiteMessage(*f.partial);
        if (f.total == 0)
            return {why, kWarn};
        Facts whole = f;
        whole.partial.reset();
        const StatusLine line = status(whole, note);
        return {line.text + u' ' + why, kWarn};
    }

    if (f.total == 0) {
        // The page's own sentence when it has one the owner can read; else the fixed sentence.
        const std::optional<SiteInfo> &info = m_page.info();
        if (info && !info->emptyText.isEmpty() && (Lang::system() || tableText(info->emptyText)))
            return {localizedSiteMessage(info->emptyText), kWarn};
        return {tr("No comments found."), kWarn};
    }
    const QString untick = tr("Untick anything that isn't spam.");
    if (!f.caughtUp.value_or(false)) {
        if (f.flagged == 0)
            return {tr("Checked %1 comments; no suspected spam.").arg(f.total) + note, kOk};
        return {tr("%1 of %2 comments flagged. ").arg(f.flagged).arg(f.total) + untick + note, kWarn};
    }
    const QString head = f.added <= 0 ? tr("No new comments.") : tr("Collected %1 new comments.").arg(f.added);
    QString tail;
    if (f.flagged > 0)
        tail = tr(" %1 flagged to review. ").arg(f.flagged) + untick;
    return {head + tail + note, f.flagged == 0 ? kOk : kWarn};
}

ScanReport::StatusLine ScanReport::publish(const Facts &facts)
{
    const QString text = note(facts);
    if (facts.hidden.value_or(false) && !facts.caughtUp.value_or(false))
        report(hiddenSentence());
    const StatusLine line = status(facts, text);
    m_status.set(line.text, line.kind);
    if (facts.total == 0)
        report(line.text);
    return line;
}

QList<ScanStore::Item> ScanReport::runItems(const QList<Comment> &comments, const QList<ScanStore::Record> &pending,
                                            const QSet<QString> &fresh)
{
    QHash<QString, QStringList> words;
    for (const Comment &c : comments) {
        if (!words.contains(c.id))
            words.insert(c.id, c.hits);
    }
    QList<ScanStore::Item> items;
    QSet<QString> pendingIds;
    for (const ScanStore::Record &r : pending) {
        pendingIds.insert(r.id);
        items.append({r.id, r.state, r.kind, r.reason, r.aiProb, words.value(r.id), fresh.contains(r.id)});
    }
    for (const Comment &c : comments) {
        if (!fresh.contains(c.id) || pendingIds.contains(c.id))
            continue;
        items.append({c.id, c.state, runItemKind(c), c.reason, c.aiProb, c.hits, true});
    }
    return items;
}

QString ScanReport::runItemKind(const Comment &c)
{
    if (c.verdict() != Comment::Verdict::spam)
        return {};
    if (c.aiKind)
        return *c.aiKind;
    if (const std::optional<BuiltinWords::Hit> hit = SpamRules::builtinHit(c.reason))
        return hit->kind;
    return kSpam;
}

QList<ScanStore::Item> ScanReport::runItems(const QString &post, const QSet<QString> &fresh,
                                            qsizetype *pendingCount) const
{
    const QList<ScanStore::Record> pending = m_store->pending(post);
    if (pendingCount)
        *pendingCount = pending.size();
    return runItems(m_review.comments(), pending, fresh);
}

bool ScanReport::logRun(const ScanStore::PostKey &page, const Facts &facts, const QSet<QString> &fresh)
{
    qsizetype pending = 0;
    const QList<ScanStore::Item> items = runItems(page.url, fresh, &pending);
    const std::optional<ScanStore::Post> post = m_store->post(page.url);
    ScanStore::Run run = scanRun(page, facts);
    if (post)
        run.total = post->total;
    run.flagged = int(pending);
    const bool logged = m_store->log(run, items) != 0;
    m_history.runLogged();
    return logged;
}

ScanStore::Run ScanReport::scanRun(const ScanStore::PostKey &page, const Facts &facts) const
{
    ScanStore::Run run;
    run.kind = ScanStore::Run::Kind::Scan;
    run.site = page.site;
    run.post = page.url;
    run.at = QDateTime::currentDateTime();
    run.total = int(facts.total);
    run.added = int(facts.added);
    run.note = facts.total == 0 ? QString() : m_issue;
    return m_history.inSession(run);
}

void ScanReport::report(const QString &note)
{
    // Only blanks and tabs are trimmed: a note may end in a line break on purpose.
    qsizetype start = 0;
    qsizetype end = note.size();
    const auto horizontal = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (start < end && horizontal(note.at(start)))
        ++start;
    while (end > start && horizontal(note.at(end - 1)))
        --end;
    const QString trimmed = note.mid(start, end - start);
    if (trimmed.isEmpty() || m_issue.contains(trimmed))
        return;
    setIssue(m_issue.isEmpty() ? trimmed : m_issue + u' ' + trimmed);
}

void ScanReport::setIssue(const QString &text)
{
    if (m_issue == text)
        return;
    m_issue = text;
    emit issueChanged();
}

void ScanReport::begin()
{
    m_recorded = false;
    m_unsaved.clear();
}

void ScanReport::noteStored(bool stored, const QString &reason)
{
    if (!stored && m_unsaved.isEmpty())
        m_unsaved = reason.isEmpty() ? m_history.writeError() : reason;
}

void ScanReport::finish(bool hasPost)
{
    // A scan whose results did not all reach the history never reads as a plain success.
    m_recorded = hasPost && m_unsaved.isEmpty();
}

QString ScanReport::unsavedSentence() const
{
    // A history that is off was explained once already (and stays in the settings); a single
    // failed write says its own reason.
    if (!m_history.notice().isEmpty())
        return tr(
            " This scan was not recorded: history is off for this run (Settings › History says why and what to do).");
    return tr(" This scan was not fully recorded in the history: ") + m_unsaved;
}

std::optional<ScanReport::StatusLine> ScanReport::progressLine(const ScanProgress &p)
{
    if (p.phase == QLatin1String("collect"))
        return StatusLine{tr("Collecting comments… %1").arg(p.count), StatusKind::plain};
    if (p.phase == QLatin1String("check"))
        return StatusLine{tr("Checking… %1/%2").arg(p.count).arg(p.total), StatusKind::plain};
    if (p.phase == QLatin1String("delete")) {
        // Only a sentence of the fixed message table is shown as the page wrote it (translated);
        // any other wording is rebuilt from the counts, so that no Korean reaches an English line.
        if (tableText(p.text))
            return StatusLine{localizedSiteMessage(p.text), kWarn};
        if (p.total > 0)
            return StatusLine{tr("Deleting… %1/%2").arg(p.count).arg(p.total), kWarn};
        return StatusLine{tr("Deleting…"), kWarn};
    }
    return std::nullopt;
}
