#include "Wire/Comment.h"

Comment Comment::fromJson(const QJsonValue &value, const QString &path)
{
    const JsonReader r(value, path);
    Comment c;
    c.id = r.string(QStringLiteral("id"));
    c.text = r.string(QStringLiteral("text"));
    c.authorName = r.string(QStringLiteral("authorName"));
    c.authorId = r.optionalString(QStringLiteral("authorId"));
    c.publishedAt = r.optionalNumber(QStringLiteral("publishedAt"));
    c.likeCount = r.optionalNumber(QStringLiteral("likeCount"));
    c.order = r.integer(QStringLiteral("order"));
    c.state = r.string(QStringLiteral("state"));
    c.reason = r.string(QStringLiteral("reason"));
    c.score = r.number(QStringLiteral("score"));
    c.checked = r.booleanOr(QStringLiteral("checked"), true);
    c.aiKind = r.optionalString(QStringLiteral("aiKind"));
    c.aiProb = r.optionalNumber(QStringLiteral("aiProb"));
    c.knownSpammer = r.booleanOr(QStringLiteral("knownSpammer"), false);
    c.isOwner = r.booleanOr(QStringLiteral("isOwner"), false);
    c.avatar = r.optionalString(QStringLiteral("avatar"));
    c.hits = r.optionalStrings(QStringLiteral("hits")).value_or(QStringList());
    return c;
}

Comment Comment::fromJsonBytes(const QByteArray &json, qsizetype maxBytes)
{
    return fromJson(JsonReader::parse(json, maxBytes));
}

QList<Comment> Comment::listFromJson(const QJsonValue &value, const QString &path)
{
    const QJsonArray array = JsonReader::toArray(value, path);
    QList<Comment> out;
    out.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i)
        out.append(fromJson(array.at(i), JsonReader::elementPath(path, i)));
    return out;
}

QJsonObject Comment::toJson() const
{
    QJsonObject o;
    o.insert(QStringLiteral("id"), id);
    o.insert(QStringLiteral("text"), text);
    o.insert(QStringLiteral("authorName"), authorName);
    if (authorId)
        o.insert(QStringLiteral("authorId"), *authorId);
    if (publishedAt)
        o.insert(QStringLiteral("publishedAt"), *publishedAt);
    if (likeCount)
        o.insert(QStringLiteral("likeCount"), *likeCount);
    o.insert(QStringLiteral("order"), order);
    o.insert(QStringLiteral("state"), state);
    o.insert(QStringLiteral("reason"), reason);
    o.insert(QStringLiteral("score"), score);
    o.insert(QStringLiteral("checked"), checked);
    if (aiKind)
        o.insert(QStringLiteral("aiKind"), *aiKind);
    if (aiProb)
        o.insert(QStringLiteral("aiProb"), *aiProb);
    o.insert(QStringLiteral("knownSpammer"), knownSpammer);
    o.insert(QStringLiteral("isOwner"), isOwner);
    if (avatar)
        o.insert(QStringLiteral("avatar"), *avatar);
    o.insert(QStringLiteral("hits"), QJsonArray::fromStringList(hits));
    return o;
}

QJsonArray Comment::toJsonArray(const QList<Comment> &comments)
{
    QJsonArray out;
    for (const Comment &c : comments)
        out.append(c.toJson());
    return out;
}

Comment::Verdict Comment::verdictOf(QStringView text)
{
    static const QString spam = verdictText(Verdict::spam);
    static const QString ok = verdictText(Verdict::ok);
    static const QString skip = verdictText(Verdict::skip);
    if (text == spam)
        return Verdict::spam;
    if (text == ok)
        return Verdict::ok;
    if (text == skip)
        return Verdict::skip;
    return Verdict::other;
}

QString Comment::verdictText(Verdict verdict)
{
    static const QString spam = QStringLiteral("spam");
    static const QString ok = QStringLiteral("ok");
    static const QString skip = QStringLiteral("skip");
    switch (verdict) {
    case Verdict::spam:
        return spam;
    case Verdict::ok:
        return ok;
    case Verdict::skip:
        return skip;
    case Verdict::other:
        break;
    }
    return {};
}
