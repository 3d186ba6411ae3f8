// Scans of several posts: a queue of posts the owner ticked, and the channel scan that finds each
// signed-in site's latest posts and scans them with the monitored ones.
#include "Scan/SpamModel.h"

#include "Base/ImageStore.h"
#include "Base/Lang.h"
#include "Browser/BrowserError.h"

#include <QUuid>

namespace {

constexpr int kStoredRows = 200;

QString newSession()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

QString openingText()
{
    return Lang::pick(QStringLiteral("게시물을 여는 중…"), QStringLiteral("Opening the post…"));
}

QString couldNotOpenText()
{
    return Lang::pick(QStringLiteral("댓글 화면을 열지 못했습니다."), QStringLiteral("Couldn't open the comments."));
}

bool unfinished(const ChannelPost &row)
{
    return row.state == ChannelPost::State::waiting || row.state == ChannelPost::State::scanning;
}

} // namespace

void SpamModel::setRow(const QString &url, const std::function<void(ChannelPost &)> &change)
{
    QList<ChannelPost> rows = m_posts;
    for (ChannelPost &row : rows) {
        if (row.url == url) {
            change(row);
            setPosts(rows);
            return;
        }
    }
}

// ---- the steps of one queued post --------------------------------------------------------------

QCoro::Task<bool> SpamModel::openQueuedPost(QString url)
{
    if (queueSteps.open)
        co_return co_await queueSteps.open(url);
    if (m_tourStop)
        co_return false;
    co_return co_await load(url, queuedLoadBudget);
}

QCoro::Task<bool> SpamModel::waitForQueuedComments()
{
    if (queueSteps.waitForComments)
        co_return co_await queueSteps.waitForComments();
    co_return co_await waitForComments(queuedCommentsBudget);
}

QCoro::Task<void> SpamModel::scanQueuedPost()
{
    if (queueSteps.scan)
        co_await queueSteps.scan();
    else
        co_await scan(false, true);
}

// ---- the queue ---------------------------------------------------------------------------------

QCoro::Task<void> SpamModel::scanQueuedPosts(QStringList urls)
{
    QPointer<SpamModel> self(this);
    for (const QString &url : std::as_const(urls)) {
        if (m_tourStop)
            break;
        bool listed = false;
        for (const ChannelPost &row : std::as_const(m_posts))
            listed |= row.url == url;
        if (!listed)
            continue;
        setRow(url, [](ChannelPost &row) { row.state = ChannelPost::State::scanning; });
        setHasScanned(false);
        setScanActivity(ScanActivity::fresh(m_aiOn));
        setProgress(std::nullopt);
        setStatus(openingText(), QString());
        m_loggedRun = false;

        bool opened = co_await openQueuedPost(url);
        if (!self)
            co_return;
        if (opened) {
            opened = co_await waitForQueuedComments();
            if (!self)
                co_return;
            opened = opened && !m_tourStop;
        }
        if (!opened) {
            const QString note = couldNotOpenText();
            const bool stopped = m_tourStop;
            setRow(url, [&](ChannelPost &row) {
                row.state = stopped ? ChannelPost::State::waiting : ChannelPost::State::failed;
                row.note = note;
            });
            if (!stopped)
                logFailedScan(url, note);
            continue;
        }

        co_await scanQueuedPost();
        if (!self)
            co_return;
        if (m_hasScanned)
            continue;
        // A scan that refused silently left the opening text: that is no reason to show.
        const QString note = m_status == openingText() ? couldNotOpenText() : m_status;
        bool marked = false;
        setRow(url, [&](ChannelPost &row) {
            row.state = ChannelPost::State::failed;
            row.note = note;
            marked = true;
        });
        if (marked && !m_loggedRun && !m_tourStop)
            logFailedScan(url, note);
    }
}

QCoro::Task<void> SpamModel::scanSelectedPosts(QList<ChannelPost> posts)
{
    if (working() || !m_browser || m_browser->accounts()->isAuthenticating())
        co_return;
    QList<ChannelPost> queue;
    QSet<QString> taken;
    for (const ChannelPost &post : std::as_const(posts)) {
        const std::optional<ScanStore::PostKey> key = ScanStore::canonical(post.url);
        if (!key || taken.contains(key->url))
            continue;
        taken.insert(key->url);
        ChannelPost row = post;
        row.site = key->site;
        row.url = key->url;
        row.state = ChannelPost::State::waiting;
        row.note.clear();
        row.added = 0;
        queue.append(row);
    }
    if (queue.isEmpty())
        co_return;

    assign(m_issue, QString(), &SpamModel::issueChanged);
    setTouring(true);
    setRunSession(newSession());
    m_sessionAuto = false;
    takeOverBrowser();
    const QList<ChannelPost> old = m_posts;
    setPosts(queue);
    QStringList urls;
    for (const ChannelPost &row : std::as_const(queue))
        urls.append(row.url);

    QPointer<SpamModel> self(this);
    co_await scanQueuedPosts(urls);
    if (!self)
        co_return;

    int done = 0;
    int failed = 0;
    int flagged = 0;
    for (const ChannelPost &row : std::as_const(m_posts)) {
        if (row.state == ChannelPost::State::done) {
            ++done;
            flagged += row.flagged;
        } else if (row.state == ChannelPost::State::failed) {
            ++failed;
        }
    }
    const int queued = int(queue.size());

    QList<ChannelPost> rows = m_posts;
    QSet<QString> listed;
    for (ChannelPost &row : rows) {
        if (unfinished(row)) {
            for (const ChannelPost &before : old) {
                if (before.url == row.url) {
                    row = before;
                    break;
                }
            }
        }
        listed.insert(row.url);
    }
    for (const ChannelPost &before : old)
        if (!listed.contains(before.url))
            rows.append(before);
    setPosts(rows);
    setStats(m_store->stats());

    const bool korean = Lang::system();
    QString summary = korean ? QStringLiteral("게시물 %1/%2개 검사 · 의심 댓글 %3개").arg(done).arg(queued).arg(flagged)
                             : QStringLiteral("%1/%2 posts checked · %3 flagged").arg(done).arg(queued).arg(flagged);
    if (m_tourStop)
        summary += korean ? QStringLiteral(" · 중지됨") : QStringLiteral(" · Stopped");
    setStatus(summary, failed == 0 && flagged == 0 ? QStringLiteral("ok") : QStringLiteral("warn"));
    if (failed > 0)
        report(korean ? QStringLiteral("%1개 게시물을 검사하지 못했습니다. 게시물 상태를 확인해 주세요.").arg(failed)
                      : QStringLiteral("%1 posts could not be checked. See their statuses.").arg(failed));
    setTouring(false);
    setProgress(std::nullopt);
    setRunSession(std::nullopt);
    m_sessionAuto = false;
}

// ---- channel scans -----------------------------------------------------------------------------

QCoro::Task<void> SpamModel::scanChannels(TourScope scope, bool automatic)
{
    Q_UNUSED(scope);
    if (working() || !m_browser || m_browser->accounts()->isAuthenticating())
        co_return;
    const bool korean = Lang::system();
    const QList<LoginProvider> sites = tourProviders();
    if (sites.isEmpty()) {
        const QString text = korean ? QStringLiteral("먼저 왼쪽에서 YouTube 나 Instagram 에 로그인해 주세요.")
                                    : QStringLiteral("Sign in to YouTube or Instagram on the left first.");
        setStatus(text, QStringLiteral("warn"));
        assign(m_issue, text, &SpamModel::issueChanged);
        co_return;
    }

    assign(m_issue, QString(), &SpamModel::issueChanged);
    setTouring(true);
    setRunSession(newSession());
    m_sessionAuto = automatic;
    m_tourStop = false;
    setAutoScan(std::nullopt);
    setPosts({});
    QStringList notes;
    QPointer<SpamModel> self(this);

    for (const LoginProvider site : sites) {
        if (m_tourStop)
            continue;
        const QString name = site.displayName();
        const QString raw = site.rawValue();
        setStatus(korean ? name + QStringLiteral("의 최신 게시물을 찾는 중…")
                         : QStringLiteral("Finding your latest ") + name + QStringLiteral(" posts…"),
                  QString());
        QList<FoundPost> found;
        std::optional<QString> failure;
        try {
            found = co_await discover(site, std::nullopt);
        } catch (const BrowserError &e) {
            failure = e.description();
        } catch (const std::exception &e) {
            failure = QString::fromUtf8(e.what());
        }
        if (!self)
            co_return;
        if (failure) {
            if (!m_tourStop)
                notes.append(name + QStringLiteral(": ") + localizedSiteMessage(*failure));
            continue;
        }
        for (FoundPost &post : found)
            if (const std::optional<ScanStore::PostKey> key = ScanStore::canonical(post.url))
                post.url = key->url;
        if (found.isEmpty() && !m_tourStop)
            notes.append(name + (korean ? QStringLiteral(": 게시물을 찾지 못했습니다.") : QStringLiteral(": no posts found.")));

        // The found posts, then the monitored ones; one candidate per address (a Shorts and a
        // watch address of one video are one post once made canonical).
        const QList<ScanStore::Post> stored = m_store->posts(kStoredRows);
        QHash<QString, ScanStore::Post> storedByUrl;
        for (const ScanStore::Post &p : stored)
            storedByUrl.insert(p.url, p);
        QList<FoundPost> candidates;
        QSet<QString> seen;
        for (const FoundPost &post : std::as_const(found)) {
            if (seen.contains(post.url))
                continue;
            seen.insert(post.url);
            candidates.append(post);
        }
        for (const ScanStore::Post &p : stored) {
            if (!p.watched || p.site != raw || seen.contains(p.url))
                continue;
            seen.insert(p.url);
            candidates.append(FoundPost {p.url, p.title, p.thumbnail});
        }
        QSet<QString> listed;
        for (const ChannelPost &row : std::as_const(m_posts))
            listed.insert(row.url);
        QList<ChannelPost> rows = m_posts;
        QStringList urls;
        for (const FoundPost &c : std::as_const(candidates)) {
            urls.append(c.url);
            if (listed.contains(c.url))
                continue;
            const auto known = storedByUrl.constFind(c.url);
            const bool isStored = known != storedByUrl.constEnd();
            ChannelPost row;
            row.site = raw;
            row.url = c.url;
            row.title = !c.title.isEmpty() ? c.title : isStored ? known->title : QString();
            row.watched = isStored && known->watched;
            row.deleted = isStored ? known->deleted : 0;
            row.thumbnail = ChannelPost::thumbnailOf(raw, c.url, {c.thumb, isStored ? known->thumbnail : std::nullopt});
            if (row.thumbnail)
                ImageStore::shared().prefetch(*row.thumbnail);
            rows.append(row);
        }
        setPosts(rows);
        co_await scanQueuedPosts(urls);
        if (!self)
            co_return;
    }

    QList<ChannelPost> rows;
    int scanned = 0;
    int flagged = 0;
    QSet<QString> listed;
    for (const ChannelPost &row : std::as_const(m_posts)) {
        if (unfinished(row))
            continue;
        rows.append(row);
        listed.insert(row.url);
        if (row.state == ChannelPost::State::done) {
            ++scanned;
            flagged += row.flagged;
        }
    }
    for (const ScanStore::Post &p : m_store->posts(kStoredRows))
        if (!listed.contains(p.url))
            rows.append(row(p, ChannelPost::State::done));
    setPosts(rows);
    setStats(m_store->stats());

    QString tail = m_tourStop ? (korean ? QStringLiteral(" 중지했습니다.") : QStringLiteral(" Stopped.")) : QString();
    for (const QString &note : std::as_const(notes))
        tail += u' ' + note;
    for (const QString &note : std::as_const(notes))
        report(note);
    if (scanned == 0) {
        const QString none = korean ? QStringLiteral("검사한 게시물이 없습니다.") : QStringLiteral("No posts were scanned.");
        setStatus(none + tail, QStringLiteral("warn"));
        if (!m_tourStop)
            report(none);
    } else if (flagged >= 1) {
        const QString hint = korean ? QStringLiteral(" 게시물을 눌러 확인하고 삭제하세요.") : QStringLiteral(" Open a post to review and delete.");
        setStatus((korean ? QStringLiteral("게시물 %1개를 검사해 %2개를 검출했습니다.") : QStringLiteral("Scanned %1 posts and flagged %2."))
                          .arg(scanned)
                          .arg(flagged)
                      + hint + tail,
                  QStringLiteral("warn"));
    } else {
        setStatus((korean ? QStringLiteral("게시물 %1개를 검사했고 스팸 의심 댓글이 없습니다.") : QStringLiteral("Scanned %1 posts; no suspected spam."))
                          .arg(scanned)
                      + tail,
                  notes.isEmpty() ? QStringLiteral("ok") : QStringLiteral("warn"));
    }
    setTouring(false);
    setProgress(std::nullopt);
    setRunSession(std::nullopt);
    m_sessionAuto = false;
}
