#include "Shell/PostDockModel.h"

#include "Base/DateText.h"

#include "Panel/RunText.h"

#include <QRegularExpression>

#include <algorithm>

QString PostDockModel::caption()
{
    return tr("POSTS");
}

QString PostDockModel::selectAllText()
{
    return tr("Select all");
}

QString PostDockModel::deselectAllText()
{
    return tr("Deselect all");
}

QString PostDockModel::searchText()
{
    return tr("Search posts");
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

QList<PostDockModel::Part> PostDockModel::status(const ChannelPost &post, bool queueScan)
{
    using State = ChannelPost::State;
    if (post.state == State::waiting && queueScan)
        return {{tr("Queued"), Tone::muted}};
    if (post.state == State::scanning)
        return {{tr("Scanning"), Tone::accent}};
    if (post.state == State::failed)
        return {{tr("Scan failed"), Tone::accent}};
    if (!post.scannedAt) {
        if (post.watched)
            return {{tr("Not scanned · Monitoring"), Tone::muted}};
        return {{tr("Not scanned"), Tone::muted}};
    }
    QList<Part> parts{{tr("%1 comments").arg(post.total), Tone::muted}};
    if (post.flagged > 0) {
        parts.append({QStringLiteral(" · "), Tone::muted});
        parts.append({tr("%1 flagged").arg(post.flagged), Tone::accent});
    }
    if (post.watched)
        parts.append({tr(" · Monitoring"), Tone::muted});
    return parts;
}

QString PostDockModel::statusText(const QList<Part> &parts)
{
    QString out;
    for (const Part &p : parts)
        out += p.text;
    return out;
}

QString PostDockModel::scanned(const QDateTime &date, const QDateTime &now)
{
    const QDateTime local = date.toLocalTime();
    if (local.date() == now.toLocalTime().date())
        return tr("Today %1").arg(DateText::clock(local.time()));
    return DateText::monthDayClock(local);
}

QString PostDockModel::name(const ChannelPost &post)
{
    return post.title.isEmpty() ? post.url : post.title;
}

QString PostDockModel::tickText()
{
    return tr("Scan this post");
}

int PostDockModel::arrivalDelayMs(int order)
{
    return std::clamp(order, 0, 12) * 30;
}

QString PostDockModel::monitorText(bool watched)
{
    if (watched)
        return tr("Stop monitoring");
    return tr("Monitor");
}

QString PostDockModel::removeText()
{
    return tr("Remove from list");
}

Alerts::Question PostDockModel::removeQuestion(const QString &name)
{
    return {tr("Remove this post from the list?"),
            tr("%1\n\nIts scan and deletion history on this computer is deleted too, and loading posts will not "
               "bring it back.")
                .arg(name),
            {tr("Cancel"), tr("Remove")},
            removeButton};
}

QString PostDockModel::emptyHint(const ActionsInput &in)
{
    if (in.count > 0 || in.findingPosts)
        return {};
    if (!in.signedIn)
        return tr("Sign in to %1, then load your latest posts and pick the ones to check.").arg(in.siteName);
    return tr("Load your latest posts and pick the ones to check.");
}

PostDockModel::Actions PostDockModel::actions(const ActionsInput &in)
{
    Actions a;
    const bool hasPosts = in.count > 0;
    a.progress = !in.removing && (in.scanning || in.preparing || in.touring);
    a.stopText = tr("Stop");
    a.stopEnabled = in.scanning || in.touring;

    a.stopLoading = in.findingPosts;
    a.loadFullWidth = !hasPosts;
    if (in.findingPosts) {
        a.loadText = tr("Stop loading");
        a.loadEnabled = true;
    } else {
        a.loadText = hasPosts ? tr("Load 30 more") : tr("Load latest posts");
        a.loadTip = tr("Loads the next 30 posts you haven't scanned yet on this channel.");
        // Another load would only say the same again; choosing another site clears it.
        a.loadEnabled = !in.locked && !in.working && !in.nothingMore;
        a.loadProminent = !hasPosts && in.signedIn;
    }

    const bool idle = !in.locked && !in.working;
    if (hasPosts) {
        a.showScan = true;
        a.scanText = RunText::scan(in.ticked);
        a.scanEnabled = idle && in.ticked > 0;
        a.scanTip = in.ticked > 0 ? tr("Checks the ticked posts one by one.") : tr("Tick the posts to check.");
    } else if (!in.signedIn && !in.findingPosts) {
        a.showSignIn = true;
        a.signInText = tr("Sign in to %1").arg(in.siteName);
        a.signInEnabled = idle;
    }
    return a;
}
