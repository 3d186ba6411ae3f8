#pragma once
// The application's local history: one SQLite file with posts, comments and their
// verdicts, AI answers, deletions, runs, found and dismissed posts.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

class ScanStore {
public:
    // A post's site key ("youtube" or "instagram") and its canonical address.
    struct PostKey {
        QString site;
        QString url;
        bool operator==(const PostKey &) const = default;
    };

    // The key under which the store files a post, or none when the address is not a post.
    static std::optional<PostKey> canonical(const QString &address);
    // SHA-256 of the UTF-8 text as 64 lower-case hex digits.
    static QString hash(const QString &text);
    // A browser page title as stored for a post: no "(N)" counter, no " - YouTube".
    static QString cleanTitle(const QString &title);
    // Whether a video id or post code may be put into an address unencoded:
    // letters, digits, "-" and "_", 1 to 64 characters.
    static bool isKeyId(QStringView id);
};
