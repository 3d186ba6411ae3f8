#pragma once
// What the owner is told about a scan and what a scan leaves in the history: the note sentences
// in their fixed order, the closing status line, the line shown while a page call runs, the run
// of a recorded scan with its items, and whether every history write of the running scan landed.
// Texts are in the run's language. Reads the owner's settings, the page's information and
// comments; writes the status line and its own issue text, which views listen to.

#include "Scan/HistoryState.h"
#include "Scan/OpenPage.h"
#include "Scan/OwnerSettings.h"
#include "Scan/PostReview.h"
#include "Scan/StatusLine.h"
#include "Store/ScanStore.h"
#include "Wire/ScanProgress.h"
#include "Wire/ScanResult.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <optional>

class ScanReport : public QObject {
    Q_OBJECT

public:
    // A status line and its tone.
    using StatusLine = ::StatusLine::Value;

    // What the report of one scan of a post is made of.
    struct Facts {
        qint64 total = 0;   // T: the page's total
        bool siteSorted = false;
        bool likesUnknown = false;
        std::optional<bool> caughtUp;
        std::optional<bool> hidden;
        std::optional<bool> limited;
        qint64 flagged = 0;           // F: spam after the final overlay
        qint64 added = 0;             // N: new comments (0 for a post never scanned)
        bool storeKnewSome = false;   // the store knew at least one collected id
        qint64 unknown = 0;           // U: collected ids the store did not know
        qint64 edited = 0;            // E: known ids whose text changed
        QString repeatNote;           // from flagRepeatOffenders, when that rule ran
        qint64 skipped = 0;           // S: cleared before and unchanged
        QString aiNote;
        std::optional<QString> partial;   // why the page stopped short of the end, if it did

        static Facts of(const ScanResult &answer);
    };

    // Every object given must outlive the report; `store` is the window's own history.
    ScanReport(OwnerSettings &owner, const OpenPage &page, const PostReview &review, HistoryState &history,
               ScanStore *store, ::StatusLine &status, QObject *parent = nullptr)
        : QObject(parent)
        , m_owner(owner)
        , m_page(page)
        , m_review(review)
        , m_history(history)
        , m_store(store)
        , m_status(status)
    {
    }

    // The note sentences of a scan, in their fixed order; each begins with a blank.
    QString note(const Facts &facts) const;
    // The status line that ends a scan.
    StatusLine status(const Facts &facts, const QString &note) const;
    // Sets the closing status line of a scan and adds what the review must keep to the issue;
    // the line it set.
    StatusLine publish(const Facts &facts);
    // The status line of a running page call, from its counts; none when the report leaves the
    // line alone.
    static std::optional<StatusLine> progressLine(const ScanProgress &progress);

    // The items of a scan's run: the post's pending spam records (store order), then the fresh
    // comments of the page that are not among them (page order).
    // The kind a history run records for a flagged comment: its AI category, its built-in list's
    // kind, or spam; none for a comment that was not flagged.
    static QString runItemKind(const Comment &c);
    static QList<ScanStore::Item> runItems(const QList<Comment> &comments, const QList<ScanStore::Record> &pending,
                                           const QSet<QString> &fresh);
    // The same with the post's pending spam as stored now.
    QList<ScanStore::Item> runItems(const QString &post, const QSet<QString> &fresh,
                                    qsizetype *pendingCount = nullptr) const;
    // Writes the run of a recorded scan with those items; whether it was stored.
    bool logRun(const ScanStore::PostKey &page, const Facts &facts, const QSet<QString> &fresh);
    // The run of a recorded scan, in its session, to be stored with the scan's record (which
    // fills in its counts and items).
    ScanStore::Run scanRun(const ScanStore::PostKey &page, const Facts &facts) const;

    // The history writes of one scan: begin() forgets the last scan's, noteStored() keeps the
    // reason of the first write that failed, finish() settles whether the scan reached the history.
    void begin();
    // `reason`: why it failed, when the write was not the window's own store's.
    void noteStored(bool stored, const QString &reason = QString());
    void finish(bool hasPost);
    // The sentence a scan's status line ends with when its results did not all reach the history.
    QString unsavedSentence() const;
    // Whether the last scan's results all reached the history; when not, why (empty for a page
    // that has nothing to store).
    bool recorded() const { return m_recorded; }
    QString unsaved() const { return m_unsaved; }

    // What the review must keep in mind, in the notes' order.
    const QString &issue() const { return m_issue; }
    // Adds a note to the issue text, once.
    void report(const QString &note);
    // Replaces the issue text.
    void setIssue(const QString &text);
    // The facts of the last scan the agent reads back, by name.
    const QHash<QString, bool> &lastFacts() const { return m_lastFacts; }
    void setLastFacts(const QHash<QString, bool> &facts) { m_lastFacts = facts; }

signals:
    void issueChanged();

private:
    OwnerSettings &m_owner;
    const OpenPage &m_page;
    const PostReview &m_review;
    HistoryState &m_history;
    ScanStore *m_store = nullptr;
    ::StatusLine &m_status;
    QString m_issue;
    QHash<QString, bool> m_lastFacts;
    bool m_recorded = false;
    QString m_unsaved;
};
