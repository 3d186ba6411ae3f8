#include "Shell/PostDockModel.h"

#include "Base/DateText.h"

#include "Panel/RunText.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

QString pick(bool korean, const QString &ko, const QString &en)
{
    return korean ? ko : en;
}

} // namespace

QString PostDockModel::caption(bool korean)
{
    return pick(korean, QStringLiteral("게시물"), QStringLiteral("POSTS"));
}

QString PostDockModel::selectAllText(bool korean)
{
    return pick(korean, QStringLiteral("전체 선택"), QStringLiteral("Select all"));
}

QString PostDockModel::deselectAllText(bool korean)
{
    return pick(korean, QStringLiteral("전체 해제"), QStringLiteral("Deselect all"));
}

QString PostDockModel::searchText(bool korean)
{
    return pick(korean, QStringLiteral("게시물 검색"), QStringLiteral("Search posts"));
}

PostDockModel::Header PostDockModel::header(const HeaderInput &in)
{
    Header h;
    h.showCount = in.count > 0;
    if (!h.showCount)
        return h;
    const bool idle = !in.locked && !in.working;
    h.selectAllEnabled = idle && !in.allChecked;
    h.deselectAllEnabled = idle && in.ticked > 0;
    return h;
}

QList<ChannelPost> PostDockModel::visible(const QList<ChannelPost> &posts, const QString &query, const QLocale &locale)
{
    const QString needle = query.trimmed();
    if (needle.isEmpty())
        return posts;
    // Case folding under the user's locale (Turkish dotted and dotless i, for one).
    const QString folded = locale.toLower(needle);
    QList<ChannelPost> out;
    for (const ChannelPost &p : posts) {
        if (locale.toLower(p.title).contains(folded) || locale.toLower(p.url).contains(folded))
            out.append(p);
    }
    return out;
}

QHash<QString, ChannelPost> PostDockModel::liveCopies(const QList<ChannelPost> &modelPosts)
{
    QHash<QString, ChannelPost> out;
    for (const ChannelPost &p : modelPosts) {
        if (!out.contains(p.url))
            out.insert(p.url, p);
    }
    return out;
}

std::optional<QString> PostDockModel::focusAfterNavigation(const std::optional<QString> &focused,
                                                           const std::optional<QString> &openPost)
{
    return openPost ? openPost : focused;
}

std::optional<QString> PostDockModel::hoverAfterLeave(const std::optional<QString> &hovered, const QString &url)
{
    if (hovered && *hovered == url)
        return std::nullopt;
    return hovered;
}

QList<QRect> PostDockModel::grid(int width, int count)
{
    QList<QRect> out;
    if (count <= 0)
        return out;
    const int columns = std::max(1, (std::max(width, 0) + spacing) / (minTileWidth + spacing));
    const int tileWidth = std::max(minTileWidth, (width - spacing * (columns - 1)) / columns);
    for (int i = 0; i < count; ++i) {
        const int column = i % columns;
        const int row = i / columns;
        out.append(QRect(column * (tileWidth + spacing), row * (tileHeight + spacing), tileWidth, tileHeight));
    }
    return out;
}

QList<PostDockModel::Part> PostDockModel::status(const ChannelPost &post, bool queueScan, bool korean)
{
    using State = ChannelPost::State;
    if (post.state == State::waiting && queueScan)
        return {{pick(korean, QStringLiteral("대기 중"), QStringLiteral("Queued")), Tone::muted}};
    if (post.state == State::scanning)
        return {{pick(korean, QStringLiteral("검사 중"), QStringLiteral("Scanning")), Tone::accent}};
    if (post.state == State::failed)
        return {{pick(korean, QStringLiteral("검사 실패"), QStringLiteral("Scan failed")), Tone::accent}};
    if (!post.scannedAt) {
        if (post.watched)
            return {{pick(korean, QStringLiteral("검사 전 · 모니터링"), QStringLiteral("Not scanned · Monitoring")), Tone::muted}};
        return {{pick(korean, QStringLiteral("검사 전"), QStringLiteral("Not scanned")), Tone::muted}};
    }
    const QString total = QString::number(post.total);
    QList<Part> parts {{pick(korean, QStringLiteral("댓글 ") + total, total + QStringLiteral(" comments")), Tone::muted}};
    if (post.flagged > 0) {
        const QString flagged = QString::number(post.flagged);
        parts.append({QStringLiteral(" · "), Tone::muted});
        parts.append({pick(korean, QStringLiteral("의심 ") + flagged, flagged + QStringLiteral(" flagged")), Tone::accent});
    }
    if (post.watched)
        parts.append({pick(korean, QStringLiteral(" · 모니터링"), QStringLiteral(" · Monitoring")), Tone::muted});
    return parts;
}

QString PostDockModel::statusText(const QList<Part> &parts)
{
    QString out;
    for (const Part &p : parts)
        out += p.text;
    return out;
}

QString PostDockModel::scanned(const QDateTime &date, const QDateTime &now, bool korean)
{
    const QDateTime local = date.toLocalTime();
    if (local.date() == now.toLocalTime().date())
        return pick(korean, QStringLiteral("오늘 "), QStringLiteral("Today ")) + DateText::clock(local.time());
    return DateText::monthDayClock(local);
}

QString PostDockModel::name(const ChannelPost &post)
{
    return post.title.isEmpty() ? post.url : post.title;
}

QString PostDockModel::tickText(bool korean)
{
    return pick(korean, QStringLiteral("스캔 대상"), QStringLiteral("Scan this post"));
}

int PostDockModel::arrivalDelayMs(int order)
{
    return std::clamp(order, 0, 12) * 30;
}

QString PostDockModel::monitorText(bool watched, bool korean)
{
    if (watched)
        return pick(korean, QStringLiteral("모니터링 끄기"), QStringLiteral("Stop monitoring"));
    return pick(korean, QStringLiteral("모니터링 켜기"), QStringLiteral("Monitor"));
}

QString PostDockModel::removeText(bool korean)
{
    return pick(korean, QStringLiteral("목록에서 지우기"), QStringLiteral("Remove from list"));
}

Alerts::Question PostDockModel::removeQuestion(const QString &name, bool korean)
{
    if (korean) {
        return {QStringLiteral("이 게시물을 목록에서 지울까요?"),
                name + QStringLiteral("\n\n이 컴퓨터에 저장된 이 게시물의 검사 기록과 삭제 기록도 함께 지워지고, "
                                      "게시물을 불러올 때 다시 나타나지 않습니다."),
                {QStringLiteral("취소"), QStringLiteral("지우기")}, removeButton};
    }
    return {QStringLiteral("Remove this post from the list?"),
            name + QStringLiteral("\n\nIts scan and deletion history on this computer is deleted too, and loading "
                                  "posts will not bring it back."),
            {QStringLiteral("Cancel"), QStringLiteral("Remove")}, removeButton};
}

QString PostDockModel::emptyHint(const ActionsInput &in, bool korean)
{
    if (in.count > 0 || in.findingPosts)
        return {};
    if (!in.signedIn)
        return korean ? in.siteName + QStringLiteral("에 로그인한 다음 최신 게시물을 불러와 검사할 게시물을 고르세요.")
                      : QStringLiteral("Sign in to ") + in.siteName
                            + QStringLiteral(", then load your latest posts and pick the ones to check.");
    return pick(korean, QStringLiteral("최신 게시물을 불러와 검사할 게시물을 고르세요."),
                QStringLiteral("Load your latest posts and pick the ones to check."));
}

PostDockModel::Actions PostDockModel::actions(const ActionsInput &in, bool korean)
{
    Actions a;
    const bool hasPosts = in.count > 0;
    a.progress = !in.removing && (in.scanning || in.preparing || in.touring);
    a.stopText = pick(korean, QStringLiteral("중지"), QStringLiteral("Stop"));
    a.stopEnabled = in.scanning || in.touring;

    a.stopLoading = in.findingPosts;
    a.loadFullWidth = !hasPosts;
    if (in.findingPosts) {
        a.loadText = pick(korean, QStringLiteral("불러오기 중지"), QStringLiteral("Stop loading"));
        a.loadEnabled = true;
    } else {
        a.loadText = hasPosts ? pick(korean, QStringLiteral("30개 더 불러오기"), QStringLiteral("Load 30 more"))
                              : pick(korean, QStringLiteral("최신 게시물 불러오기"), QStringLiteral("Load latest posts"));
        a.loadTip = pick(korean, QStringLiteral("이 채널에서 아직 검사하지 않은 최신 게시물을 30개 더 불러옵니다."),
                         QStringLiteral("Loads the next 30 posts you haven't scanned yet on this channel."));
        // Another load would only say the same again; choosing another site clears it.
        a.loadEnabled = !in.locked && !in.working && !in.nothingMore;
        a.loadProminent = !hasPosts && in.signedIn;
    }

    const bool idle = !in.locked && !in.working;
    if (hasPosts) {
        a.showScan = true;
        a.scanText = RunText::scan(in.ticked);
        a.scanEnabled = idle && in.ticked > 0;
        a.scanTip = in.ticked > 0 ? pick(korean, QStringLiteral("체크한 게시물을 차례로 검사합니다."),
                                         QStringLiteral("Checks the ticked posts one by one."))
                                  : pick(korean, QStringLiteral("검사할 게시물을 체크하세요."),
                                         QStringLiteral("Tick the posts to check."));
    } else if (!in.signedIn && !in.findingPosts) {
        a.showSignIn = true;
        a.signInText = korean ? in.siteName + QStringLiteral(" 로그인") : QStringLiteral("Sign in to ") + in.siteName;
        a.signInEnabled = idle;
    }
    return a;
}
