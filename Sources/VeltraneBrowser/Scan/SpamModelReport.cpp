// What the spam model tells the owner about a scan: the note sentences, the closing status line,
// the run written to the history, and the line shown while a page call runs.
#include "Scan/SpamModel.h"

#include "Base/Lang.h"

namespace {

const QString kSpam = QStringLiteral("spam");

QString num(qint64 n)
{
    return QString::number(n);
}

QString hiddenSentence(bool korean)
{
    return korean ? QStringLiteral(" 창이 가려져 있어 댓글을 다 불러오지 못했을 수 있습니다. 창이 보이는 상태에서 다시 스캔하면 전부 확인합니다.")
                  : QStringLiteral(" The window was covered, so some comments may not have loaded. Scan again with the window visible to check them all.");
}

// A sentence of the fixed table of page messages, which has an English row. The deleting prefix
// is not a row: what follows it is the page's own wording.
bool tableText(const QString &text)
{
    static const QString deletingPrefix = QStringLiteral("삭제 중… ");
    return !text.isEmpty() && !text.startsWith(deletingPrefix) && isSiteMessage(text);
}

} // namespace

SpamModel::ScanFacts SpamModel::ScanFacts::of(const ScanResult &answer)
{
    ScanFacts facts;
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

QString SpamModel::scanNote(const ScanFacts &f, bool korean) const
{
    const bool caughtUp = f.caughtUp.value_or(false);
    QString note;
    if (f.storeKnewSome && !caughtUp) {
        note += korean ? QStringLiteral(" 지난 검사 이후 새 댓글 ") + num(f.unknown) + QStringLiteral("개, 수정된 댓글 ")
                    + num(f.edited) + QStringLiteral("개.")
                       : QStringLiteral(" Since the last scan: ") + num(f.unknown) + QStringLiteral(" new, ")
                    + num(f.edited) + QStringLiteral(" edited.");
    }
    note += f.repeatNote;
    if (f.skipped >= 1) {
        note += korean ? QStringLiteral(" 지난 검사에서 정상이던 ") + num(f.skipped) + QStringLiteral("개는 그대로라 건너뛰었습니다.")
                       : QStringLiteral(" ") + num(f.skipped) + QStringLiteral(" cleared last time and unchanged were skipped.");
    }
    note += f.aiNote;
    const bool limited = f.limited ? *f.limited : (m_limit > 0 && m_limit <= f.total);
    if (limited && !caughtUp) {
        note += korean ? QStringLiteral(" 수집 개수 설정(최대 ") + num(m_limit) + QStringLiteral("개)까지만 불러왔습니다.")
                       : QStringLiteral(" Loaded only up to the collection limit (") + num(m_limit) + QStringLiteral(").");
    }
    if (m_sort == SortKey::newest && !f.siteSorted) {
        note += korean ? QStringLiteral(" 이 화면은 최신순으로 바꿀 수 없어 불러온 범위 안에서만 정렬했습니다.")
                       : QStringLiteral(" This page can't be switched to newest, so sorting covers only what was loaded.");
    }
    if (m_noLikesOnly && f.likesUnknown) {
        note += korean ? QStringLiteral(" 이 화면에서는 좋아요 수를 읽지 못해 \"좋아요 없는 댓글만\" 기준은 적용되지 않았습니다.")
                       : QStringLiteral(" Like counts couldn't be read on this page, so \"skip comments with likes\" was not applied.");
    }
    if (f.hidden.value_or(false) && !caughtUp)
        note += hiddenSentence(korean);
    return note;
}

SpamModel::StatusLine SpamModel::scanStatus(const ScanFacts &f, const QString &note, bool korean) const
{
    // A collection that stopped short says why, after the counts, so that the owner scans again.
    if (f.partial) {
        const QString why = localizedSiteMessage(*f.partial);
        if (f.total == 0)
            return {why, QStringLiteral("warn")};
        ScanFacts whole = f;
        whole.partial.reset();
        const StatusLine line = scanStatus(whole, note, korean);
        return {line.text + u' ' + why, QStringLiteral("warn")};
    }

    const QString warn = QStringLiteral("warn");
    const QString ok = QStringLiteral("ok");
    if (f.total == 0) {
        // The page's own sentence when it has one the owner can read; else the fixed sentence.
        if (m_info && !m_info->emptyText.isEmpty() && (korean || tableText(m_info->emptyText)))
            return {localizedSiteMessage(m_info->emptyText), warn};
        return {korean ? QStringLiteral("댓글을 찾지 못했습니다.") : QStringLiteral("No comments found."), warn};
    }
    const QString untick = korean ? QStringLiteral("아닌 것은 체크를 해제하세요.") : QStringLiteral("Untick anything that isn't spam.");
    if (!f.caughtUp.value_or(false)) {
        if (f.flagged == 0) {
            return {(korean ? QStringLiteral("댓글 ") + num(f.total) + QStringLiteral("개를 검사했고 스팸 의심 댓글이 없습니다.")
                            : QStringLiteral("Checked ") + num(f.total) + QStringLiteral(" comments; no suspected spam."))
                        + note,
                    ok};
        }
        return {(korean ? QStringLiteral("댓글 ") + num(f.total) + QStringLiteral("개 중 ") + num(f.flagged) + QStringLiteral("개 검출. ")
                        : num(f.flagged) + QStringLiteral(" of ") + num(f.total) + QStringLiteral(" comments flagged. "))
                    + untick + note,
                warn};
    }
    QString head;
    if (f.added <= 0)
        head = korean ? QStringLiteral("새 댓글이 없습니다.") : QStringLiteral("No new comments.");
    else
        head = korean ? QStringLiteral("새 댓글 ") + num(f.added) + QStringLiteral("개를 수집했습니다.")
                      : QStringLiteral("Collected ") + num(f.added) + QStringLiteral(" new comments.");
    QString tail;
    if (f.flagged > 0) {
        tail = korean ? QStringLiteral(" 검토할 의심 댓글 ") + num(f.flagged) + QStringLiteral("개. ") + untick
                      : QStringLiteral(" ") + num(f.flagged) + QStringLiteral(" flagged to review. ") + untick;
    }
    return {head + tail + note, f.flagged == 0 ? ok : warn};
}

void SpamModel::reportScan(const ScanFacts &facts)
{
    const bool korean = Lang::system();
    const QString note = scanNote(facts, korean);
    if (facts.hidden.value_or(false) && !facts.caughtUp.value_or(false))
        report(hiddenSentence(korean));
    const StatusLine line = scanStatus(facts, note, korean);
    setStatus(line.text, line.kind);
    if (facts.total == 0)
        report(line.text);
}

QList<ScanStore::Item> SpamModel::scanRunItems(const QString &post, const QSet<QString> &fresh,
                                               qsizetype *pendingCount) const
{
    QHash<QString, QStringList> words;
    for (const Comment &c : m_comments) {
        if (!words.contains(c.id))
            words.insert(c.id, c.hits);
    }
    const QList<ScanStore::Record> pending = m_store->pending(post);
    if (pendingCount)
        *pendingCount = pending.size();
    QList<ScanStore::Item> items;
    QSet<QString> pendingIds;
    for (const ScanStore::Record &r : pending) {
        pendingIds.insert(r.id);
        items.append({r.id, r.state, r.kind, r.reason, r.aiProb, words.value(r.id), fresh.contains(r.id)});
    }
    for (const Comment &c : m_comments) {
        if (!fresh.contains(c.id) || pendingIds.contains(c.id))
            continue;
        QString kind;
        if (c.state == kSpam) {
            if (c.aiKind)
                kind = *c.aiKind;
            else if (const std::optional<BuiltinWords::Hit> hit = builtinHit(c.reason))
                kind = hit->kind;
            else
                kind = kSpam;
        }
        items.append({c.id, c.state, kind, c.reason, c.aiProb, c.hits, true});
    }
    return items;
}

bool SpamModel::logScanRun(const ScanStore::PostKey &page, const ScanFacts &facts, const QSet<QString> &fresh)
{
    qsizetype pending = 0;
    const QList<ScanStore::Item> items = scanRunItems(page.url, fresh, &pending);
    const std::optional<ScanStore::Post> post = m_store->post(page.url);
    ScanStore::Run run;
    run.kind = ScanStore::Run::Kind::Scan;
    run.site = page.site;
    run.post = page.url;
    run.at = QDateTime::currentDateTime();
    run.total = post ? post->total : int(facts.total);
    run.flagged = int(pending);
    run.added = int(facts.added);
    run.note = facts.total == 0 ? QString() : m_issue;
    return logRun(run, items);
}

void SpamModel::noteStored(bool stored)
{
    if (stored || !m_scanUnsaved.isEmpty())
        return;
    m_scanUnsaved = m_store->lastError();
    if (m_scanUnsaved.isEmpty())
        m_scanUnsaved = Lang::pick(QStringLiteral("기록 파일에 쓰지 못했습니다."), QStringLiteral("The history file could not be written."));
}

QString SpamModel::unsavedSentence(bool korean) const
{
    // A history that is off was explained once already (and stays in the settings); a single
    // failed write says its own reason.
    if (!m_historyNotice.isEmpty()) {
        return korean ? QStringLiteral(" 기록이 꺼져 있어 이 검사는 기록되지 않았습니다(이유와 할 일은 설정 › 기록에 있습니다).")
                      : QStringLiteral(" This scan was not recorded: history is off for this run (Settings › History says why and what to do).");
    }
    return (korean ? QStringLiteral(" 이 검사는 기록에 다 저장되지 않았습니다: ") : QStringLiteral(" This scan was not fully recorded in the history: "))
        + m_scanUnsaved;
}

std::optional<SpamModel::StatusLine> SpamModel::progressLine(const ScanProgress &p, bool korean)
{
    if (p.phase == QLatin1String("collect")) {
        return StatusLine {korean ? QStringLiteral("댓글 수집 중… ") + num(p.count) + QStringLiteral("개")
                                  : QStringLiteral("Collecting comments… ") + num(p.count),
                           QString()};
    }
    if (p.phase == QLatin1String("check")) {
        const QString counts = num(p.count) + u'/' + num(p.total);
        return StatusLine {(korean ? QStringLiteral("검사 중… ") : QStringLiteral("Checking… ")) + counts, QString()};
    }
    if (p.phase == QLatin1String("delete")) {
        // Only a sentence of the fixed message table is shown as the page wrote it (translated);
        // any other wording is rebuilt from the counts, so that no Korean reaches an English line.
        if (tableText(p.text))
            return StatusLine {localizedSiteMessage(p.text), QStringLiteral("warn")};
        QString line = korean ? QStringLiteral("삭제 중…") : QStringLiteral("Deleting…");
        if (p.total > 0)
            line += u' ' + num(p.count) + u'/' + num(p.total);
        return StatusLine {line, QStringLiteral("warn")};
    }
    return std::nullopt;
}

void SpamModel::mirrorProgress(const ScanProgress &p)
{
    setProgress(p);
    if (m_scanning && !m_aiChecking) {
        ScanActivity activity = m_scanActivity;
        if (p.collected)
            activity.collected = *p.collected;
        if (p.flagged)
            activity.flagged = *p.flagged;
        if (p.samples && !p.samples->isEmpty())
            activity.samples = *p.samples;
        if (p.phase == QLatin1String("collect")) {
            activity.stage = ScanActivity::Stage::collecting;
        } else if (p.phase == QLatin1String("check") || p.phase == QLatin1String("done")) {
            activity.stage = ScanActivity::Stage::rules;
            activity.rulesChecked = p.count;
        }
        setScanActivity(activity);
    }
    if (const std::optional<StatusLine> line = progressLine(p, Lang::system()))
        setStatus(line->text, line->kind);
}
