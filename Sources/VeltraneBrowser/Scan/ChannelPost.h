#pragma once
// One row of the owner's post list: a post of one of the owner's channels, with what the
// application knows of it and the state of its scan in a queue. The spam model names it
// SpamModel::ChannelPost.

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

struct ChannelPost {
    enum class State { waiting, scanning, done, failed };

    QString site;   // "youtube" or "instagram"
    QString url;    // canonical post key; the row's identity
    QString title;
    State state = State::waiting;
    int total = 0;                        // comments known on the post
    int flagged = 0;                      // comments flagged as spam now
    QString note;                         // short status text; empty for a row made from a stored post
    std::optional<QDateTime> scannedAt;   // none: never scanned
    bool watched = false;                 // monitored
    int deleted = 0;                      // comments deleted from the post
    std::optional<QString> thumbnail;     // address of the post's image
    int added = 0;                        // new comments found by the last scan

    // Rows are identified by url; equal only when every field is equal.
    QString id() const { return url; }
    bool operator==(const ChannelPost &) const = default;

    // The image address of a post: for a YouTube watch address with a usable "v" item the
    // video's still on the thumbnail host; otherwise the first https candidate; else none.
    static std::optional<QString> thumbnailOf(const QString &site, const QString &url,
                                              const QList<std::optional<QString>> &candidates);
    // A video id or post code in the sites' own alphabet (letters, digits, "-", "_"), 1 to 64
    // characters: only such a value is put into an address.
    static bool isSiteId(const QString &id);
    // The host of YouTube's video stills.
    static const QString thumbnailHost;
};
