#include "Agent/AgentReplies.h"

double AgentReplies::seconds(const QDateTime &time)
{
    return time.isValid() ? double(time.toMSecsSinceEpoch()) / 1000.0 : 0.0;
}

QString AgentReplies::uuidText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

QJsonObject AgentReplies::pageState(const PageState &state)
{
    QJsonObject lastScan;
    for (auto it = state.lastScan.cbegin(); it != state.lastScan.cend(); ++it)
        lastScan.insert(it.key(), it.value());
    return {
        {QStringLiteral("url"), state.url},
        {QStringLiteral("documentID"), uuidText(state.documentID)},
        {QStringLiteral("items"), Comment::toJsonArray(state.items)},
        {QStringLiteral("status"), state.status},
        {QStringLiteral("busy"), state.busy},
        {QStringLiteral("hasScanned"), state.hasScanned},
        {QStringLiteral("recentOnly"), state.recentOnly},
        {QStringLiteral("lastScan"), lastScan},
    };
}

QJsonObject AgentReplies::record(const ScanStore::Record &record)
{
    QJsonObject object{
        {QStringLiteral("id"), record.id},
        {QStringLiteral("author"), record.author},
        {QStringLiteral("text"), record.text},
        {QStringLiteral("state"), record.state},
        {QStringLiteral("kind"), record.kind},
        {QStringLiteral("reason"), record.reason},
        {QStringLiteral("firstSeenAt"), seconds(record.firstSeenAt)},
        {QStringLiteral("lastSeenAt"), seconds(record.lastSeenAt)},
    };
    if (record.aiProb)
        object.insert(QStringLiteral("aiProb"), *record.aiProb);
    if (record.publishedAt)
        object.insert(QStringLiteral("publishedAt"), *record.publishedAt);
    if (record.likeCount)
        object.insert(QStringLiteral("likeCount"), *record.likeCount);
    if (record.deletedAt)
        object.insert(QStringLiteral("deletedAt"), seconds(*record.deletedAt));
    if (record.avatar)
        object.insert(QStringLiteral("avatar"), *record.avatar);
    return object;
}

QJsonObject AgentReplies::post(const ScanStore::Post &post)
{
    return {
        {QStringLiteral("site"), post.site},
        {QStringLiteral("url"), post.url},
        {QStringLiteral("title"), post.title},
        {QStringLiteral("scannedAt"), seconds(post.scannedAt)},
        {QStringLiteral("total"), post.total},
        {QStringLiteral("flagged"), post.flagged},
        {QStringLiteral("deleted"), post.deleted},
        {QStringLiteral("watched"), post.watched},
        {QStringLiteral("thumbnail"), post.thumbnail.value_or(QString())},
    };
}

QJsonObject AgentReplies::run(const ScanStore::Run &run, const QList<ScanStore::Record> &items)
{
    QJsonArray comments;
    for (const ScanStore::Record &item : items)
        comments.append(record(item));
    return {
        {QStringLiteral("id"), run.id},
        {QStringLiteral("session"), run.session},
        {QStringLiteral("kind"), ScanStore::Run::kindName(run.kind)},
        {QStringLiteral("at"), seconds(run.at)},
        {QStringLiteral("total"), run.total},
        {QStringLiteral("flagged"), run.flagged},
        {QStringLiteral("added"), run.added},
        {QStringLiteral("deleted"), run.deleted},
        {QStringLiteral("failed"), run.failed},
        {QStringLiteral("note"), run.note},
        {QStringLiteral("auto"), run.automatic},
        {QStringLiteral("comments"), comments},
    };
}

QJsonObject AgentReplies::posts(ScanStore &store)
{
    QJsonArray rows;
    for (const ScanStore::Post &p : store.posts(postLimit))
        rows.append(post(p));
    return {{QStringLiteral("posts"), rows}};
}

QJsonObject AgentReplies::history(ScanStore &store, const QString &postUrl)
{
    QJsonArray runs;
    for (const ScanStore::Run &r : store.runs(postUrl))
        runs.append(run(r, store.items(r.id)));
    QJsonArray comments;
    for (const ScanStore::Record &r : store.comments(postUrl, commentLimit))
        comments.append(record(r));
    return {{QStringLiteral("post"), postUrl}, {QStringLiteral("runs"), runs}, {QStringLiteral("comments"), comments}};
}
