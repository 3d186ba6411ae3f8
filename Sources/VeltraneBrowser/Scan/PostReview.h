#pragma once
// The open post's comments under review: the only writer of the comment list and of the marks
// the review keeps on it (the comments the word rules flagged with what they were before, the
// owner's restored picks, the ids the AI check has scored, "only spam"). It lays the owner's
// words and the built-in lists over the page's verdicts, orders the list, restores stored picks,
// reuses stored AI answers, places AI answers against the threshold and flags authors deleted
// before. It reads the owner's settings and the history it is given.

#include "Rules/AIRules.h"
#include "Rules/SpamRules.h"
#include "Store/ScanStore.h"
#include "Store/TextHashes.h"
#include "Wire/Comment.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class OwnerSettings;

class PostReview : public QObject {
    Q_OBJECT

public:
    // The AI answers reused from the store.
    struct Reuse {
        int reused = 0;
        int found = 0;
        int unsure = 0;
        bool operator==(const Reuse &) const = default;
    };

    // Whether the list is the last scan of the browser's page with no job running: only then
    // may the agent tick comments of it.
    using Current = std::function<bool()>;

    // The settings and the store must outlive the review.
    PostReview(const OwnerSettings &settings, ScanStore &store, Current current, QObject *parent = nullptr);

    const QList<Comment> &comments() const { return m_comments; }
    void setComments(const QList<Comment> &comments);
    // The spam comments, in list order.
    QList<Comment> spam() const;
    bool onlySpam() const { return m_onlySpam; }
    void setOnlySpam(bool on);
    const QHash<QString, Comment> &justKept() const { return m_justKept; }
    void setJustKept(const QHash<QString, Comment> &kept);

    // Ids whose text the AI check has scored on the open page.
    const QSet<QString> &aiSeen() const { return m_aiSeen; }
    void noteAISeen(const QString &id) { m_aiSeen.insert(id); }
    // Each comment as it was before the word rules first flagged it.
    const QHash<QString, Comment> &wordBase() const { return m_wordBase; }
    // Forgets what comments were before the words flagged them (a fresh page answer).
    void forgetWordBase() { m_wordBase.clear(); }
    // Ids whose spam verdict came from the owner's stored picks.
    const QSet<QString> &restored() const { return m_restored; }
    // The text hashes of the page's comments, made once per scan by hashTexts() and used by every
    // step that compares texts with the history or stores them.
    const TextHashes &textHashes() const { return m_hashes; }
    void hashTexts() { m_hashes.add(m_comments, &m_hashAt); }

    // Forgets which texts the AI check scored and the keyword answers of the page's texts.
    void forgetPage();
    // Forgets the marks of the current review, keeping the comments.
    void clearMarks();

    // Lays the owner's keywords (and the built-in lists when `dictionary` and the setting is
    // on) over the comments; gives back comments that no rule flags any more. Returns the
    // positions changed, ascending.
    QList<int> overlayWords(bool dictionary);
    // Orders the comments by the sort setting (page order breaks ties), in one change.
    void applySort();
    // Lays stored picks onto a rescanned post: restores their spam verdict, ticks exactly the
    // picked spam. Returns how many spam comments are ticked.
    int applyPicks(const QList<ScanStore::Record> &records, const QString &post);
    // Judges comments from stored AI answers given under the same options to the same text.
    Reuse reuseAI(const QHash<QString, ScanStore::Known> &known);
    // Places the AI answer of the comment at `index` against the threshold; none when the
    // comment has no answer or the index is outside the list.
    std::optional<AIRules::Placement> applyAI(qsizetype index);
    // Takes the AI's answer for the comment at `index` and places it, without announcing the
    // change (the AI pass announces once per batch); none when the index is outside the list.
    std::optional<AIRules::Placement> answerAI(qsizetype index, const QString &kind, double prob);
    // Announces changes made without announcing.
    void announce() { emit commentsChanged(); }
    // Flags the harmless comments of authors whose comments were deleted before on the site;
    // returns the sentence for the summary (empty when none).
    QString flagRepeatOffenders(const QString &site);
    // The summary sentence for that many flagged comments; empty for none.
    static QString repeatNote(int flagged);
    // Marks as skipped the comments cleared or kept before whose text did not change, judged
    // under the same rules (and the same AI options when given). Returns how many it marked.
    // `hashes` are the texts' hashes when already made.
    static int skipCleared(QList<Comment> &comments, const QHash<QString, ScanStore::Known> &known,
                           const QString &rules, const std::optional<QString> &aiOptions,
                           const TextHashes &hashes = {});
    // Ticks exactly these spam comments of the open page; throws BrowserError when the results
    // are not this page's or an id is not one of its spam comments (nothing changed then).
    void selectReviewed(const QStringList &ids);

signals:
    void commentsChanged();
    void onlySpamChanged();
    void justKeptChanged();
    // The owner's picks restored on a post were stored: its counts want reading again.
    void verdictsStored(const QString &url);

private:
    // applyAI without announcing the change, for callers that announce once for many.
    std::optional<AIRules::Placement> placeAt(qsizetype index);
    // Prepares the owner's current keywords; forgets the answers found with other ones.
    void prepareKeywords();
    // The keyword reason ("custom:<word>") of the text of the comment at `index`, empty when no
    // keyword occurs in it.
    const QString &keywordReason(qsizetype index, const QString &text);
    // Places a comment that has an AI answer by it.
    const AIRules::Placement &place(Comment &c);
    // place() against the threshold, remembered per kind and whole percent.
    const AIRules::Placement &placement(double prob, const QString &kind);

    const OwnerSettings &m_settings;
    ScanStore &m_store;
    Current m_current;
    QList<Comment> m_comments;
    bool m_onlySpam = false;
    QHash<QString, Comment> m_justKept;
    QSet<QString> m_restored;
    QHash<QString, Comment> m_wordBase;
    QSet<QString> m_aiSeen;
    TextHashes m_hashes;
    // Each position's text and hash as hashTexts() made them: found without a lookup while the
    // text there is the same.
    std::vector<std::pair<QString, QString>> m_hashAt;
    QHash<std::pair<QString, int>, AIRules::Placement> m_placements;
    static constexpr int kSlots = 202;   // 0 to 100 percent, each below and from 10 %
    std::vector<std::optional<AIRules::Placement>> m_placed;
    AIRules::Placement m_outOfRange;
    SpamRules::Keywords m_keywordMatcher;
    QStringList m_keywordMatcherFor;
    // The keyword answers found for the texts of the list, and where each position's answer is
    // (the sort moves these places, not the answers).
    struct KeywordAnswer {
        bool known = false;
        QString text;
        QString reason;
    };
    std::vector<KeywordAnswer> m_keywordAnswers;
    std::vector<quint32> m_answerAt;
};
