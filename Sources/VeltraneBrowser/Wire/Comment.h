#pragma once
// One comment as collected on the open post: the unit that flows from the page scripts through
// the rules, the AI pass and the store. `id` identifies it everywhere and is not changed once made.
//
//   Comment c = Comment::fromJson(value);           // throws DecodeError (see JsonReader.h for the rules)
//   Comment c = Comment::fromJsonBytes(bytes);      // parses first; size-capped
//   QJsonObject o = c.toJson();                     // absent optionals are left out, never null

#include "Wire/JsonReader.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct Comment {
    QString id;
    QString text;
    QString authorName;
    // The author's stable id where the page gives one (a YouTube channel id, an Instagram user
    // id): display names change and can be shared, so the history matches authors by it.
    std::optional<QString> authorId;
    std::optional<double> publishedAt;   // milliseconds since 1970 (UTC)
    std::optional<double> likeCount;     // absent when the page could not read it
    qint64 order = 0;                    // position in the page's collection order
    QString state;                       // "spam", "ok", "skip" mean something to the rules (verdict())
    QString reason;
    double score = 0;
    bool checked = true;   // ticked for deletion in the review
    std::optional<QString> aiKind;
    std::optional<double> aiProb;   // 0 to 1
    bool knownSpammer = false;
    bool isOwner = false;
    std::optional<QString> avatar;
    QStringList hits;

    static Comment fromJson(const QJsonValue &value, const QString &path = QString());
    static Comment fromJsonBytes(const QByteArray &json, qsizetype maxBytes = JsonReader::defaultMaxBytes);
    QJsonObject toJson() const;

    // The state as the rules read it; any other text is `other`. The wire text stays in `state`.
    enum class Verdict { other, ok, spam, skip };
    Verdict verdict() const { return verdictOf(state); }
    // The verdict a stored or wire text names; any other text is `other`.
    static Verdict verdictOf(QStringView text);
    void setVerdict(Verdict verdict) { state = verdictText(verdict); }
    // "ok", "spam", "skip"; empty for other.
    static QString verdictText(Verdict verdict);

    static QList<Comment> listFromJson(const QJsonValue &value, const QString &path = QString());
    static QJsonArray toJsonArray(const QList<Comment> &comments);

    bool operator==(const Comment &) const = default;
};
