#pragma once
// The store's hash of each comment's text (SHA-256 of the UTF-8 text in lower-case hex), made once
// per scan and handed to every step that compares a text with the history or stores it: a long
// page would otherwise be hashed once per step.

#include "Wire/Comment.h"

#include <QHash>
#include <QList>
#include <QString>

#include <utility>
#include <vector>

class TextHashes {
public:
    // Hashes the texts of these comments, each id once. When given, `inOrder` receives each
    // comment's text and hash in list order.
    void add(const QList<Comment> &comments, std::vector<std::pair<QString, QString>> *inOrder = nullptr);
    // The hash of `text`: the one made for this id when it was made for this same text, else made
    // now (a text edited since, or a comment added later).
    QString of(const QString &id, const QString &text) const;
    // Whether `hash` is the hash of `text`, as of() would say, without copying the hash made.
    bool matches(const QString &id, const QString &text, const QString &hash) const;
    // The hash made for this id; empty when none was.
    QString of(const QString &id) const { return m_entries.value(id).hash; }
    void clear() { m_entries.clear(); }
    qsizetype size() const { return m_entries.size(); }

private:
    struct Entry {
        QString text;
        QString hash;
    };
    QHash<QString, Entry> m_entries;
};
