// Stored comments: the upsert rules, verdicts, AI answers, marks and the read queries.
#include "Store/ScanStore.h"
#include "StoreTestData.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using vt::test::makeComment;
using vt::test::RawDb;

namespace {

const QString yt = QStringLiteral("youtube");
const QString postA = QStringLiteral("https://www.youtube.com/watch?v=aaa");
const QString postB = QStringLiteral("https://www.youtube.com/watch?v=bbb");

QDateTime at(int day, int hour = 12)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, 0));
}

}   // namespace

class StoreRecordsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void rememberTwiceWithSameText();
    void readsRepeatedAndChangingTexts();
    void pendingSummaryCountsWhatTheFlaggedTabLists();
    void statisticsFollowEveryWriter();
    void rememberWithChangedText();
    void rememberManyInOrder();
    void storeTextOffErasesPersonalData();
    void missingAvatarKeepsStoredOne();
    void storedKind_data();
    void storedKind();
    void rememberAIDropsStaleAnswers();
    void knownAndOffendersOverManyIds();
    void authorIdKeptWithTheComment_data();
    void authorIdKeptWithTheComment();
    void offendersByIdAndByName();
    void problemsJudgeStoredScores();
    void currentAndPendingFollowFullScan();
    void completeScanSettlesWhatItNoLongerFinds_data();
    void completeScanSettlesWhatItNoLongerFinds();
    void olderFileGainsTheGoneColumns();
    void defaultsOfUnreadableValues();
    void partsAndOutlineEqualAWholeRead_data();
    void partsAndOutlineEqualAWholeRead();
    void canPick_data();
    void canPick();
    void daily();
    void deletedAuthorsAndRecent();
    void recentIdsOrder();
    void exportOrderAndStreaming();
    void timesAreLocalAcrossDaylightSaving_data();
    void timesAreLocalAcrossDaylightSaving();

private:
    QTemporaryDir m_dir;
    QString m_path;
    ScanStore *m_store = nullptr;
    int m_counter = 0;
};

void StoreRecordsTest::init()
{
    m_path = m_dir.filePath(QStringLiteral("records-%1.sqlite").arg(++m_counter));
    m_store = new ScanStore(m_path);
    m_store->keepDays = 365 * 100;
}

void StoreRecordsTest::cleanup()
{
    delete m_store;
    m_store = nullptr;
}

// Column values that repeat from row to row, then change to none, to empty, to a long text and
// back: every record reads what was stored, in order.
void StoreRecordsTest::readsRepeatedAndChangingTexts()
{
    ScanStore &s = *m_store;
    const QString longText = QString(200, u'x');
    const QList<std::optional<QString>> avatars{QStringLiteral("https://img.example/a.jpg"),
                                                QStringLiteral("https://img.example/a.jpg"),
                                                std::nullopt,
                                                QStringLiteral("https://img.example/a.jpg"),
                                                QString(),
                                                QString(),
                                                longText,
                                                longText,
                                                QString(),
                                                QStringLiteral("https://img.example/b.jpg"),
                                                QStringLiteral("https://img.example/a.jpg"),
                                                std::nullopt,
                                                QString()};
    QList<Comment> page;
    for (qsizetype i = 0; i < avatars.size(); ++i) {
        Comment c = makeComment(QStringLiteral("r%1").arg(i), i % 3 == 0 ? longText : QStringLiteral("same"),
                                i % 2 ? QStringLiteral("spam") : QStringLiteral("ok"));
        c.publishedAt = 1.7e12 - double(i) * 1000.0;   // read back in this order
        c.avatar = avatars.at(i);
        page.append(c);
    }
    QVERIFY(s.remember(yt, postA, page, std::nullopt, at(1)));
    const QList<ScanStore::Record> records = s.comments(postA, 100);
    QCOMPARE(records.size(), page.size());
    for (qsizetype i = 0; i < page.size(); ++i) {
        QCOMPARE(records.at(i).id, page.at(i).id);
        QCOMPARE(records.at(i).text, page.at(i).text);
        QCOMPARE(records.at(i).state, page.at(i).state);
        QCOMPARE(records.at(i).avatar, page.at(i).avatar);
        QCOMPARE(records.at(i).post, postA);
    }
}

void StoreRecordsTest::rememberTwiceWithSameText()
{
    ScanStore &s = *m_store;
    Comment c = makeComment("c1", "hello");
    c.avatar = "https://img.example/1.jpg";
    QVERIFY(s.remember(yt, postA, {c}, QStringLiteral("rules-1"), at(1)));
    QVERIFY(s.rememberAI(yt, {{"c1", ScanStore::hash("hello"), AIScore{0.9, 0.1, 0.0}}}, "spam,abuse"));
    QVERIFY(s.markKept(yt, {"c1"}, at(2)));
    QVERIFY(s.markDeleted(yt, {"c1"}, at(2)));

    c.state = "spam";
    QVERIFY(s.remember(yt, postB, {c}, std::nullopt, at(3)));
    const auto known = s.known(yt, {"c1"});
    QCOMPARE(known.value("c1").score, (AIScore{0.9, 0.1, 0.0}));
    QCOMPARE(known.value("c1").options, QStringLiteral("spam,abuse"));
    QVERIFY(known.value("c1").kept);
    QCOMPARE(known.value("c1").rules, std::nullopt);   // rules take the new value, absent too
    const auto records = s.comments(postB, 10);
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.first().firstSeenAt, at(1));
    QCOMPARE(records.first().lastSeenAt, at(3));
    QCOMPARE(records.first().deletedAt, std::nullopt);   // seen again: no longer deleted
    QCOMPARE(records.first().post, postB);
    QCOMPARE(records.first().state, QStringLiteral("spam"));
}

void StoreRecordsTest::rememberWithChangedText()
{
    ScanStore &s = *m_store;
    QVERIFY(s.remember(yt, postA, {makeComment("c1", "hello")}, std::nullopt, at(1)));
    QVERIFY(s.rememberAI(yt, {{"c1", ScanStore::hash("hello"), AIScore{0.9, 0.1, 0.0}}}, "spam"));
    QVERIFY(s.markKept(yt, {"c1"}, at(2)));
    QVERIFY(s.remember(yt, postA, {makeComment("c1", "hello, edited")}, std::nullopt, at(3)));
    const auto k = s.known(yt, {"c1"}).value("c1");
    QCOMPARE(k.hash, ScanStore::hash("hello, edited"));
    QCOMPARE(k.score, std::nullopt);
    QCOMPARE(k.options, std::nullopt);
    QVERIFY(!k.kept);
    RawDb raw(m_path);
    QCOMPARE(raw.count("comments WHERE spam IS NULL AND abuse IS NULL AND sexual IS NULL AND options IS NULL"), 1);
}

void StoreRecordsTest::rememberManyInOrder()
{
    // 120 comments, one of them twice with different texts: every comment stored, the later
    // sighting of the same id wins as if each were stored on its own.
    ScanStore &s = *m_store;
    QVERIFY(s.remember(yt, postA, {makeComment("dup", "first")}, std::nullopt, at(1)));
    QVERIFY(s.rememberAI(yt, {{"dup", ScanStore::hash("first"), AIScore{0.9, 0.1, 0.0}}}, "spam"));
    QList<Comment> page = vt::test::makePage("m", 120);
    page[10] = makeComment("dup", "first", "spam");
    page[110] = makeComment("dup", "second");
    QVERIFY(s.remember(yt, postA, page, std::nullopt, at(2)));
    QCOMPARE(s.comments(postA, 1000).size(), 119);
    const auto known = s.known(yt, {"dup", "m0", "m119"});
    QCOMPARE(known.size(), 3);
    QCOMPARE(known["dup"].hash, ScanStore::hash("second"));
    QCOMPARE(known["dup"].state, std::optional<QString>("ok"));
    QVERIFY(!known["dup"].score);   // the text changed within the scan
    QCOMPARE(s.stats().comments, 119);
    QCOMPARE(s.stats().flagged, 10);   // every tenth of the page, where "dup" took the places of m10 and m110
}

void StoreRecordsTest::storeTextOffErasesPersonalData()
{
    ScanStore &s = *m_store;
    Comment c = makeComment("c1", "private words");
    c.avatar = "https://img.example/1.jpg";
    QVERIFY(s.remember(yt, postA, {c}, std::nullopt, at(1)));
    s.storeText = false;
    QVERIFY(s.remember(yt, postA, {c}, std::nullopt, at(2)));
    RawDb raw(m_path);
    const auto row = raw.rows("SELECT author, text, avatar, hash FROM comments").first();
    QVERIFY(row.at(0).isNull() && row.at(1).isNull() && row.at(2).isNull());
    QCOMPARE(row.at(3).toString(), ScanStore::hash("private words"));
}

void StoreRecordsTest::missingAvatarKeepsStoredOne()
{
    ScanStore &s = *m_store;
    Comment c = makeComment("c1", "hi");
    c.avatar = "https://img.example/1.jpg";
    QVERIFY(s.remember(yt, postA, {c}, std::nullopt, at(1)));
    c.avatar.reset();
    QVERIFY(s.remember(yt, postA, {c}, std::nullopt, at(2)));
    QCOMPARE(s.comments(postA, 1).first().avatar, QStringLiteral("https://img.example/1.jpg"));
    c.avatar = "https://img.example/2.jpg";
    QVERIFY(s.remember(yt, postA, {c}, std::nullopt, at(3)));
    QCOMPARE(s.comments(postA, 1).first().avatar, QStringLiteral("https://img.example/2.jpg"));
}

void StoreRecordsTest::storedKind_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("aiKind");   // empty: none
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("kind");
    QTest::newRow("AI kind wins") << "spam"
                                  << "sexual"
                                  << "dict:abuse:word"
                                  << "sexual";
    QTest::newRow("word list kind") << "spam"
                                    << ""
                                    << "dict:abuse:word"
                                    << "abuse";
    QTest::newRow("word with colons") << "spam"
                                      << ""
                                      << "dict:sexual:a:b"
                                      << "sexual";
    QTest::newRow("no word") << "spam"
                             << ""
                             << "dict:abuse:"
                             << "spam";
    QTest::newRow("no word list hit") << "spam"
                                      << ""
                                      << "link,promo"
                                      << "spam";
    QTest::newRow("own keyword") << "spam"
                                 << ""
                                 << "custom:word"
                                 << "spam";
    QTest::newRow("ok with AI kind") << "ok"
                                     << "abuse"
                                     << ""
                                     << "";
    QTest::newRow("skip") << "skip"
                          << ""
                          << "dict:abuse:word"
                          << "";
}

void StoreRecordsTest::storedKind()
{
    QFETCH(QString, state);
    QFETCH(QString, aiKind);
    QFETCH(QString, reason);
    QFETCH(QString, kind);
    ScanStore &s = *m_store;
    Comment c = makeComment("c1", "text", state, reason);
    if (!aiKind.isEmpty())
        c.aiKind = aiKind;
    QVERIFY(s.remember(yt, postA, {c}, std::nullopt, at(1)));
    RawDb raw(m_path);
    QCOMPARE(raw.value("SELECT kind FROM comments").toString(), kind);
    QCOMPARE(raw.value("SELECT kind FROM comments").isNull(), false);

    // rememberVerdicts writes the same kind; unknown comments are not created.
    QVERIFY(s.rememberVerdicts(yt, {makeComment("c1", "text", "ok"), makeComment("zz", "new")}));
    QCOMPARE(raw.value("SELECT kind FROM comments").toString(), QString());
    QVERIFY(s.rememberVerdicts(yt, {c}));
    QCOMPARE(raw.value("SELECT kind FROM comments").toString(), kind);
    QCOMPARE(raw.count("comments"), 1);
}

void StoreRecordsTest::rememberAIDropsStaleAnswers()
{
    ScanStore &s = *m_store;
    QVERIFY(s.remember(yt, postA, {makeComment("c1", "now")}, std::nullopt, at(1)));
    QVERIFY(
        s.rememberAI(yt, {{"c1", ScanStore::hash("before"), AIScore{0.9, 0, 0}}, {"nope", "x", AIScore{}}}, "spam"));
    QCOMPARE(s.known(yt, {"c1"}).value("c1").score, std::nullopt);
    QCOMPARE(s.known(yt, {"c1"}).value("c1").options, std::nullopt);
}

void StoreRecordsTest::knownAndOffendersOverManyIds()
{
    ScanStore &s = *m_store;
    const auto page = vt::test::makePage("k", 1100);
    QVERIFY(s.remember(yt, postA, page, std::nullopt, at(1)));
    QStringList ids;
    for (int i = 0; i < 1200; ++i)   // 100 of them were never stored
        ids.append(QStringLiteral("k%1").arg(i));
    const auto known = s.known(yt, ids);
    QCOMPARE(known.size(), 1100);
    QCOMPARE(known.value("k1099").hash, ScanStore::hash(page.last().text));
    QVERIFY(s.known("instagram", ids).isEmpty());

    // Authors: every comment of k0..k599 deleted; the list holds 1,200 names and an empty one.
    QVERIFY(s.markDeleted(yt, ids.mid(0, 600), at(2)));
    QStringList authors{QString()};
    for (int i = 0; i < 1200; ++i)
        authors.append(QStringLiteral("author-k%1").arg(i));
    const auto offenders = s.offenders(yt, authors);
    QCOMPARE(offenders.size(), 600);
    QCOMPARE(offenders.value("author-k599"), 1);
    QVERIFY(!offenders.contains("author-k600"));
    QVERIFY(!offenders.contains(QString()));
    QVERIFY(s.markDeleted(yt, {}, at(2)));
    QVERIFY(s.known(yt, {}).isEmpty());
}

void StoreRecordsTest::authorIdKeptWithTheComment_data()
{
    // Two sightings of one comment; an invalid id means the page gave none.
    QTest::addColumn<bool>("textFirst");   // storeText at the first sighting
    QTest::addColumn<QVariant>("idFirst");
    QTest::addColumn<bool>("seenAgain");
    QTest::addColumn<bool>("textSecond");
    QTest::addColumn<QVariant>("idSecond");
    QTest::addColumn<QVariant>("stored");   // the author_id column afterwards; invalid: null

    const QVariant none;
    const QVariant uc1(QStringLiteral("UCaaaaaaaaaaaaaaaaaaaaa1"));
    const QVariant uc2(QStringLiteral("UCbbbbbbbbbbbbbbbbbbbbb2"));
    QTest::newRow("kept") << true << uc1 << false << true << none << uc1;
    QTest::newRow("none") << true << none << false << true << none << none;
    QTest::newRow("blank is none") << true << QVariant(QStringLiteral("  ")) << false << true << none << none;
    QTest::newRow("read without id later: kept") << true << uc1 << true << true << none << uc1;
    QTest::newRow("id given later") << true << none << true << true << uc1 << uc1;
    QTest::newRow("the page's newer id") << true << uc1 << true << true << uc2 << uc2;
    QTest::newRow("author texts off: not written") << false << uc1 << false << false << none << none;
    QTest::newRow("author texts turned off: erased") << true << uc1 << true << false << uc1 << none;
    QTest::newRow("author texts turned off, no id: erased") << true << uc1 << true << false << none << none;
}

void StoreRecordsTest::authorIdKeptWithTheComment()
{
    QFETCH(bool, textFirst);
    QFETCH(QVariant, idFirst);
    QFETCH(bool, seenAgain);
    QFETCH(bool, textSecond);
    QFETCH(QVariant, idSecond);
    QFETCH(QVariant, stored);
    ScanStore &s = *m_store;
    const auto sighting = [&](const QVariant &id) {
        Comment c = makeComment("c1", "hello");
        if (id.isValid())
            c.authorId = id.toString();
        return c;
    };
    s.storeText = textFirst;
    QVERIFY(s.remember(yt, postA, {sighting(idFirst)}, std::nullopt, at(1)));
    if (seenAgain) {
        s.storeText = textSecond;
        QVERIFY(s.remember(yt, postA, {sighting(idSecond)}, std::nullopt, at(2)));
    }
    RawDb raw(m_path);
    const QVariant value = raw.value("SELECT author_id FROM comments WHERE id = 'c1'");
    QCOMPARE(value.isNull(), !stored.isValid());
    if (stored.isValid())
        QCOMPARE(value.toString(), stored.toString());
}

void StoreRecordsTest::offendersByIdAndByName()
{
    ScanStore &s = *m_store;
    // 1,100 deleted comments, each author with an id, plus deletions stored without one.
    QList<Comment> page = vt::test::makePage("k", 1100);
    for (Comment &c : page)
        c.authorId = QStringLiteral("UC-") + c.id;
    Comment sameName = makeComment("x1", "old");
    sameName.authorName = QStringLiteral("author-k5");   // someone else under k5's name, no id
    Comment noId = makeComment("x2", "old");
    noId.authorName = QStringLiteral("nameless");
    page << sameName << noId;
    QVERIFY(s.remember(yt, postA, page, std::nullopt, at(1)));
    QStringList stored;
    for (const Comment &c : page)
        stored.append(c.id);
    QVERIFY(s.markDeleted(yt, stored, at(2)));
    // Another site and a comment not deleted count for nothing.
    Comment elsewhere = makeComment("i1", "x");
    elsewhere.authorId = QStringLiteral("UC-k1");
    QVERIFY(s.remember(QStringLiteral("instagram"), QStringLiteral("https://www.instagram.com/p/q/"), {elsewhere},
                       std::nullopt, at(1)));
    Comment alive = makeComment("a1", "x");
    alive.authorId = QStringLiteral("UC-k2");
    QVERIFY(s.remember(yt, postB, {alive}, std::nullopt, at(1)));

    QStringList ids{QString(), QStringLiteral("  ")};
    for (int i = 0; i < 1200; ++i)
        ids.append(QStringLiteral("UC-k%1").arg(i));
    const QHash<QString, int> byId = s.offenderIds(yt, ids);
    QCOMPARE(byId.size(), 1100);
    QCOMPARE(byId.value("UC-k1"), 1);
    QCOMPARE(byId.value("UC-k2"), 1);
    QCOMPARE(byId.value("UC-k1099"), 1);
    QVERIFY(!byId.contains("UC-k1100") && !byId.contains(QString()));
    QCOMPARE(s.offenderIds(QStringLiteral("instagram"), {"UC-k1"}), (QHash<QString, int>{}));

    const QStringList names{"author-k5", "author-k6", "author-x2", "nameless", "nobody"};
    QCOMPARE(s.offenders(yt, names), (QHash<QString, int>{{"author-k5", 2}, {"author-k6", 1}, {"nameless", 1}}));
    QCOMPARE(s.offenders(yt, names, true), (QHash<QString, int>{{"author-k5", 1}, {"nameless", 1}}));
}

void StoreRecordsTest::problemsJudgeStoredScores()
{
    ScanStore &s = *m_store;
    QVERIFY(s.remember(yt, postA,
                       {makeComment("a", "a"), makeComment("b", "b"), makeComment("c", "c"), makeComment("d", "d"),
                        makeComment("e", "e")},
                       std::nullopt, at(1)));
    QVERIFY(s.rememberAI(yt,
                         {{"a", ScanStore::hash("a"), AIScore{0.5, 0.4, 0.9}},
                          {"d", ScanStore::hash("d"), AIScore{0.9, 0, 0}},
                          {"e", ScanStore::hash("e"), AIScore{0.9, 0, 0}}},
                         "spam,abuse"));
    QVERIFY(s.rememberAI(yt, {{"b", ScanStore::hash("b"), AIScore{0.1, 0.3, 0.2}}}, "spam,abuse,sexual"));
    QVERIFY(s.markDeleted(yt, {"d"}, at(2)));
    QVERIFY(s.markKept(yt, {"e"}, at(2)));
    const auto problems = s.problems(postA);
    QCOMPARE(problems.size(), 2);                                 // c has no answer, d is deleted, e is kept
    QCOMPARE(problems.value("a").kind, QStringLiteral("spam"));   // sexual was not asked
    QCOMPARE(problems.value("a").prob, 0.9);
    QCOMPARE(problems.value("b").kind, QStringLiteral("abuse"));
    QVERIFY(qFuzzyCompare(problems.value("b").prob, 0.6));
}

void StoreRecordsTest::currentAndPendingFollowFullScan()
{
    ScanStore &s = *m_store;
    QVERIFY(
        s.remember(yt, postA,
                   {makeComment("old-del", "x", "spam"), makeComment("old", "y", "spam"), makeComment("old-ok", "y2")},
                   std::nullopt, at(1)));
    QVERIFY(s.markDeleted(yt, {"old-del"}, at(1, 13)));
    QVERIFY(s.remember(yt, postA, {makeComment("new", "z", "spam"), makeComment("new-ok", "w")}, std::nullopt, at(3)));
    QVERIFY(s.record(ScanStore::Post{yt, postA, "A", at(3), 0, 0, false, 0, {}, at(3)}));   // a full scan at day 3

    QStringList seen;
    for (const auto &r : s.comments(postA, 100))
        seen.append(r.id);
    QCOMPARE(seen, QStringList({"new", "new-ok", "old-del"}));   // newest sighting first, then storage order
    QCOMPARE(s.pendingIDs(postA), QStringList{"new"});
    QCOMPARE(s.pending(postA).size(), 1);
    QVERIFY(s.pending(postA).first().isPendingSpam());
    QCOMPARE(s.syncCounts(postA), (ScanStore::Counts{2, 1}));
    QCOMPARE(s.comments(postA, 1).size(), 1);
    // recentIDs ignores the full scan: every undeleted comment.
    QCOMPARE(s.recentIDs(postA, 100).size(), 4);
}

// A complete scan of a post that no longer finds a stored comment: one our deletion was under way
// for when it was cut short counts as deleted (on the post too); any other is gone from the site,
// never counted as the owner's deletion; nothing stays pending. What the scan saw, what is
// deleted already and replies gone with their thread are left as they are.
void StoreRecordsTest::completeScanSettlesWhatItNoLongerFinds_data()
{
    QTest::addColumn<QString>("before");    // "spam", "ok", "removing" (spam being deleted), "deleted", "thread"
    QTest::addColumn<bool>("seen");         // whether the complete scan found it
    QTest::addColumn<QString>("deleted");   // "yes" when it is recorded deleted afterwards
    QTest::addColumn<QString>("gone");
    QTest::newRow("spam gone from the site") << "spam" << false << ""
                                             << "site";
    QTest::newRow("unflagged gone from the site") << "ok" << false << ""
                                                  << "site";
    QTest::newRow("our deletion was under way") << "removing" << false << "yes"
                                                << "";
    QTest::newRow("our deletion did not happen") << "removing" << true << ""
                                                 << "";
    QTest::newRow("still there") << "spam" << true << ""
                                 << "";
    QTest::newRow("deleted before") << "deleted" << false << "yes"
                                    << "";
    QTest::newRow("went with its thread") << "thread" << false << ""
                                          << "thread";
}

void StoreRecordsTest::completeScanSettlesWhatItNoLongerFinds()
{
    QFETCH(QString, before);
    QFETCH(bool, seen);
    QFETCH(QString, deleted);
    QFETCH(QString, gone);
    ScanStore &s = *m_store;
    const ScanStore::PostKey key{yt, postA};
    const QString state = before == QLatin1String("ok") ? QStringLiteral("ok") : QStringLiteral("spam");
    QVERIFY(
        s.remember(yt, postA, {makeComment("c", "x", state), makeComment("keep", "y", "spam")}, std::nullopt, at(1)));
    QVERIFY(s.record(ScanStore::Post{yt, postA, "A", at(1), 2, 2, false, 0, {}, at(1)}));
    if (before == QLatin1String("removing"))
        QVERIFY(s.markRemoving(key, {"c"}, at(2)));
    else if (before == QLatin1String("deleted"))
        QVERIFY(s.markDeleted(key, {"c"}, at(2)));
    else if (before == QLatin1String("thread"))
        QVERIFY(s.markGone(key, {"c"}, ScanStore::Gone::withThread, at(2)));
    const int deletedBefore = s.posts(10).value(0).deleted;

    // The rescan: sightings first, then the post row, then what it no longer found.
    QList<Comment> page{makeComment("keep", "y", "spam")};
    if (seen)
        page.append(makeComment("c", "x", state));
    QVERIFY(s.remember(yt, postA, page, std::nullopt, at(3)));
    QVERIFY(s.record(ScanStore::Post{yt, postA, "A", at(3), int(page.size()), 0, false, deletedBefore, {}, at(3)}));
    const std::optional<ScanStore::Unseen> settled = s.settleUnseen(key, {"keep", seen ? "c" : "keep"}, at(3, 13));
    QVERIFY(settled);

    std::optional<ScanStore::Record> c;
    for (const ScanStore::Record &r : s.allComments(100))
        if (r.id == QLatin1String("c"))
            c = r;
    QVERIFY(c);
    QCOMPARE(c->deletedAt.has_value() ? QStringLiteral("yes") : QString(), deleted);
    QCOMPARE(c->gone, gone);
    QVERIFY(!c->isPendingSpam() || seen);
    QCOMPARE(s.pendingIDs(postA).contains("c"), seen && state == QLatin1String("spam"));
    const bool countedNow = before == QLatin1String("removing") && !seen;
    QCOMPARE(settled->deleted, countedNow ? QStringList{"c"} : QStringList());
    QCOMPARE(settled->gone, !seen && gone == QLatin1String("site") ? QStringList{"c"} : QStringList());
    QCOMPARE(s.posts(10).value(0).deleted, deletedBefore + (countedNow ? 1 : 0));
    QCOMPARE(s.stats().deleted, deleted == QLatin1String("yes") ? 1 : 0);
    // A later scan that finds it again takes the mark away.
    QVERIFY(s.remember(yt, postA, {makeComment("c", "x", state)}, std::nullopt, at(4)));
    for (const ScanStore::Record &r : s.allComments(100))
        if (r.id == QLatin1String("c"))
            QCOMPARE(r.gone, QString());
}

// A history written before comments could be gone opens with the new columns added, its
// comments all still on their posts.
void StoreRecordsTest::olderFileGainsTheGoneColumns()
{
    {
        RawDb raw(m_path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        QVERIFY(
            raw.exec("CREATE TABLE comments (site TEXT NOT NULL, id TEXT NOT NULL, post TEXT NOT NULL, "
                     "hash TEXT NOT NULL, options TEXT, spam REAL, abuse REAL, sexual REAL, seen_at REAL NOT NULL, "
                     "author TEXT, text TEXT, published_at REAL, like_count REAL, state TEXT, kind TEXT, reason TEXT, "
                     "ai_prob REAL, first_seen_at REAL, deleted_at REAL, avatar TEXT, rules TEXT, kept_at REAL, "
                     "PRIMARY KEY (site, id))"));
        QVERIFY(raw.exec("INSERT INTO comments (site, id, post, hash, seen_at, state, text) VALUES "
                         "('youtube', 'old', 'https://www.youtube.com/watch?v=aaa', 'h', 1.7e9, 'spam', 'x')"));
    }
    ScanStore &s = *m_store;
    QCOMPARE(s.pendingIDs(postA), QStringList{"old"});
    QVERIFY(s.markGone(ScanStore::PostKey{yt, postA}, {"old"}, ScanStore::Gone::fromSite, at(2)));
    QCOMPARE(s.pendingIDs(postA), QStringList());
    QCOMPARE(s.allComments(10).value(0).gone, QStringLiteral("site"));
}

void StoreRecordsTest::defaultsOfUnreadableValues()
{
    ScanStore &s = *m_store;
    QVERIFY(s.remember(yt, postA, {makeComment("c1", "x"), makeComment("c2", "y")}, std::nullopt, at(1)));
    RawDb raw(m_path);
    QVERIFY(raw.exec("UPDATE comments SET state = NULL, first_seen_at = NULL, author = NULL WHERE id = 'c1'"));
    QVERIFY(raw.exec("UPDATE comments SET seen_at = 'yesterday' WHERE id = 'c2'"));   // unreadable: left out
    const auto records = s.comments(postA, 10);
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.first().state, QStringLiteral("ok"));
    QCOMPARE(records.first().firstSeenAt, records.first().lastSeenAt);
    QCOMPARE(records.first().author, QString());
    QCOMPARE(records.first().kind, QString());
}

void StoreRecordsTest::partsAndOutlineEqualAWholeRead_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<QStringList>("changes");   // raw SQL on the stored post
    QTest::newRow("whole post") << 100 << QStringList();
    QTest::newRow("cut by the limit") << 9 << QStringList();
    QTest::newRow("older sightings before a full scan")
        << 100 << QStringList{"UPDATE posts SET full_at = (SELECT MAX(seen_at) FROM comments)"};
    QTest::newRow("unreadable and odd values")
        << 100
        << QStringList{"UPDATE comments SET state = NULL WHERE id = 's1'",
                       "UPDATE comments SET text = NULL WHERE id = 's2'",
                       "UPDATE comments SET deleted_at = 'soon' WHERE id = 's3'",
                       "UPDATE comments SET seen_at = 'yesterday' WHERE id IN ('s4', 'o4')",
                       "UPDATE comments SET state = x'7370616d' WHERE id = 's5'",
                       "UPDATE comments SET id = 7 WHERE id = 'o5'"};
    QTest::newRow("unreadable values, cut by the limit")
        << 7
        << QStringList{"UPDATE comments SET seen_at = 'yesterday' WHERE id IN ('s0', 'o0')",
                       "UPDATE comments SET text = '' WHERE id = 'o1'"};
}

void StoreRecordsTest::partsAndOutlineEqualAWholeRead()
{
    QFETCH(int, limit);
    QFETCH(QStringList, changes);
    ScanStore &s = *m_store;
    // Three sightings of spam, other comments and deletions, with and without publication times.
    for (int round = 0; round < 3; ++round) {
        QList<Comment> comments;
        for (int i = round; i < 8; i += 3) {
            comments.append(makeComment(QStringLiteral("s%1").arg(i), QStringLiteral("buy %1").arg(i), "spam", "link"));
            Comment other = makeComment(QStringLiteral("o%1").arg(i), QStringLiteral("hello %1").arg(i));
            if (i % 2)
                other.publishedAt = 1000.0 * i;
            comments.append(other);
        }
        QVERIFY(s.remember(yt, postA, comments, std::nullopt, at(1 + round)));
    }
    QVERIFY(s.record(ScanStore::Post{yt, postA, "A", at(3), 0, 0, false, 0, {}, std::nullopt}));
    QVERIFY(s.markDeleted(yt, {"s6", "o7"}, at(4)));
    QVERIFY(s.remember(yt, postB, {makeComment("b1", "elsewhere", "spam", "link")}, std::nullopt, at(3)));
    {
        RawDb raw(m_path);
        for (const QString &sql : changes)
            QVERIFY2(raw.exec(sql), qPrintable(sql));
    }

    const QList<ScanStore::Record> whole = s.comments(postA, limit);
    QVERIFY(!whole.isEmpty());
    QList<ScanStore::Record> parts;
    for (int offset = 0; offset < limit + 3; offset += 2)
        parts += s.comments(postA, limit, offset, 2);
    QCOMPARE(parts, whole);
    QCOMPARE(s.comments(postA, limit, 0, 1000), whole);

    QList<ScanStore::Record> pending;
    int others = 0;
    for (const ScanStore::Record &r : whole) {
        if (r.text.isEmpty() || r.deletedAt)
            continue;
        if (r.isPendingSpam())
            pending.append(r);
        else
            ++others;
    }
    const ScanStore::Outline outline = s.outline(postA, limit);
    QCOMPARE(outline.pending, pending);
    QCOMPARE(outline.others, others);
}

void StoreRecordsTest::canPick_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<bool>("canPick");
    QTest::newRow("deleted spam") << "spam"
                                  << "" << true << false;
    QTest::newRow("skip other") << "skip"
                                << "owner" << false << false;
    QTest::newRow("skip kept") << "skip"
                               << "kept" << false << true;
    QTest::newRow("skip unchanged") << "skip"
                                    << "unchanged" << false << true;
    QTest::newRow("ok") << "ok"
                        << "" << false << true;
    QTest::newRow("spam") << "spam"
                          << "link" << false << true;
}

void StoreRecordsTest::canPick()
{
    QFETCH(QString, state);
    QFETCH(QString, reason);
    QFETCH(bool, deleted);
    QFETCH(bool, canPick);
    ScanStore::Record r;
    r.state = state;
    r.reason = reason;
    if (deleted)
        r.deletedAt = at(1);
    QCOMPARE(r.canPick(), canPick);
    QCOMPARE(r.isPendingSpam(), state == QLatin1String("spam") && !deleted);
}

void StoreRecordsTest::daily()
{
    ScanStore &s = *m_store;
    const QDateTime now = at(20, 18);
    QVERIFY(s.remember(yt, postA, {makeComment("s1", "a", "spam"), makeComment("s2", "b", "spam")}, std::nullopt,
                       at(17, 1)));
    QVERIFY(s.remember(yt, postA, {makeComment("o1", "c", "ok")}, std::nullopt, at(17, 2)));
    QVERIFY(s.remember(yt, postA, {makeComment("s3", "d", "spam")}, std::nullopt, at(2)));   // before the window
    QVERIFY(s.markDeleted(yt, {"s1", "o1"}, at(19, 23)));
    QVERIFY(s.markDeleted(yt, {"s3"}, at(20, 0)));

    const auto days = s.daily(7, now);
    QCOMPARE(days.size(), 7);
    QCOMPARE(days.first().day, QDateTime(QDate(2026, 3, 14), QTime(0, 0)));
    QCOMPARE(days.last().day, QDateTime(QDate(2026, 3, 20), QTime(0, 0)));
    QCOMPARE(days.at(3), (ScanStore::DayCount{QDateTime(QDate(2026, 3, 17), QTime(0, 0)), 0, 2}));
    QCOMPARE(days.at(5).deleted, 2);
    QCOMPARE(days.at(6).deleted, 1);
    QCOMPARE(days.at(0), (ScanStore::DayCount{QDateTime(QDate(2026, 3, 14), QTime(0, 0)), 0, 0}));
    QVERIFY(s.daily(0, now).isEmpty());
    QVERIFY(s.daily(-3, now).isEmpty());
}

void StoreRecordsTest::deletedAuthorsAndRecent()
{
    ScanStore &s = *m_store;
    Comment a1 = makeComment("a1", "x");
    a1.authorName = "Ann";
    a1.avatar = "https://img.example/a.jpg";
    Comment a2 = makeComment("a2", "y");
    a2.authorName = "Ann";
    a2.avatar = "https://img.example/b.jpg";
    Comment b1 = makeComment("b1", "z");
    b1.authorName = "Bob";
    Comment e1 = makeComment("e1", "w");
    e1.authorName = "";
    QVERIFY(s.remember(yt, postA, {a1, a2, b1, e1}, std::nullopt, at(1)));
    QVERIFY(s.markDeleted(yt, {"a1", "b1", "e1"}, at(2)));
    QVERIFY(s.markDeleted(yt, {"a2"}, at(3)));
    const auto authors = s.topAuthors(10);
    QCOMPARE(authors.size(), 2);
    QCOMPARE(authors.first(), (ScanStore::Author{yt, "Ann", 2, QStringLiteral("https://img.example/b.jpg")}));
    QCOMPARE(authors.first().identity(), QStringLiteral("youtube:Ann"));
    QCOMPARE(authors.last().avatar, std::nullopt);
    QStringList order;
    for (const auto &r : s.recentDeleted(3))
        order.append(r.id);
    QCOMPARE(order, QStringList({"a2", "e1", "b1"}));   // equal times: the later stored row first
}

void StoreRecordsTest::recentIdsOrder()
{
    ScanStore &s = *m_store;
    Comment p = makeComment("published", "x");
    p.publishedAt = double(at(5).toMSecsSinceEpoch());
    Comment q = makeComment("unpublished", "y");   // placed by its first sighting
    QVERIFY(s.remember(yt, postA, {p}, std::nullopt, at(1)));
    QVERIFY(s.remember(yt, postA, {q}, std::nullopt, at(4)));
    QCOMPARE(s.recentIDs(postA, 10), QStringList({"published", "unpublished"}));
    QCOMPARE(s.recentIDs(postA, 1), QStringList{"published"});
}

void StoreRecordsTest::exportOrderAndStreaming()
{
    ScanStore &s = *m_store;
    QVERIFY(s.remember("instagram", "https://www.instagram.com/p/z/", {makeComment("i1", "x")}, std::nullopt, at(1)));
    QVERIFY(s.remember(yt, postB, {makeComment("b1", "x")}, std::nullopt, at(1)));
    QVERIFY(s.remember(yt, postA, {makeComment("a1", "x")}, std::nullopt, at(1)));
    QVERIFY(s.remember(yt, postA, {makeComment("a2", "x")}, std::nullopt, at(2)));
    QStringList order;
    for (const auto &r : s.allComments(10))
        order.append(r.id);
    QCOMPARE(order, QStringList({"i1", "a2", "a1", "b1"}));
    QCOMPARE(s.allComments(2).size(), 2);
    QStringList streamed;
    QVERIFY(s.eachComment([&](const ScanStore::Record &r) {
        streamed.append(r.id);
        return true;
    }));
    QCOMPARE(streamed, order);
}

void StoreRecordsTest::timesAreLocalAcrossDaylightSaving_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDateTime>("change");   // a daylight-saving change of the zone
    QTest::newRow("Berlin, spring") << QByteArray("Europe/Berlin")
                                    << QDateTime(QDate(2026, 3, 29), QTime(1, 0), Qt::UTC);
    QTest::newRow("Berlin, autumn") << QByteArray("Europe/Berlin")
                                    << QDateTime(QDate(2026, 10, 25), QTime(1, 0), Qt::UTC);
    QTest::newRow("Lord Howe, half an hour")
        << QByteArray("Australia/Lord_Howe") << QDateTime(QDate(2026, 4, 4), QTime(15, 0), Qt::UTC);
}

void StoreRecordsTest::timesAreLocalAcrossDaylightSaving()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDateTime, change);
    const QByteArray oldZone = qgetenv("TZ");
    const bool hadZone = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", zone);
    auto restore = qScopeGuard([&] {
        if (hadZone)
            qputenv("TZ", oldZone);
        else
            qunsetenv("TZ");
    });
    QVERIFY(QDateTime::fromMSecsSinceEpoch(change.toMSecsSinceEpoch() - 1, Qt::LocalTime).offsetFromUtc()
            != QDateTime::fromMSecsSinceEpoch(change.toMSecsSinceEpoch(), Qt::LocalTime).offsetFromUtc());

    // Scans every 10 minutes around the change, three comments each, then deletions of some.
    ScanStore &s = *m_store;
    QList<QDateTime> times;
    for (int step = -4; step <= 4; ++step) {
        const QDateTime t = change.addSecs(600 * step).addMSecs(step * 7);
        times.append(t);
        const QString k = QString::number(step + 4);
        QVERIFY(s.remember(yt, postA, {makeComment("a" + k, "x"), makeComment("b" + k, "y"), makeComment("c" + k, "z")},
                           std::nullopt, t));
    }
    QVERIFY(s.markDeleted(yt, {"a0", "a8"}, change.addSecs(-1)));
    QVERIFY(s.markDeleted(yt, {"b0", "b8"}, change));

    const auto records = s.comments(postA, 100);
    QCOMPARE(records.size(), 27);
    for (const auto &r : records) {
        const QDateTime seen = times.at(r.id.mid(1).toInt());
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(seen.toMSecsSinceEpoch(), Qt::LocalTime);
        QCOMPARE(r.lastSeenAt.timeSpec(), Qt::LocalTime);
        QCOMPARE(r.lastSeenAt, local);
        QCOMPARE(r.lastSeenAt.offsetFromUtc(), local.offsetFromUtc());
        QCOMPARE(r.lastSeenAt.toString(Qt::ISODateWithMs), local.toString(Qt::ISODateWithMs));
        QCOMPARE(r.firstSeenAt.toString(Qt::ISODateWithMs), local.toString(Qt::ISODateWithMs));
        if (r.deletedAt) {
            const QDateTime gone =
                QDateTime::fromMSecsSinceEpoch((r.id.startsWith('a') ? change.addSecs(-1) : change).toMSecsSinceEpoch(),
                                               Qt::LocalTime);
            QCOMPARE(r.deletedAt->toString(Qt::ISODateWithMs), gone.toString(Qt::ISODateWithMs));
            QCOMPARE(r.deletedAt->offsetFromUtc(), gone.offsetFromUtc());
        }
    }
    // The day of the change is one day, of 23 or 25 hours (or 23.5, 24.5), in the statistics too.
    const QDate changeDay = change.toLocalTime().date();
    const auto days = s.daily(3, QDateTime(changeDay.addDays(1), QTime(12, 0)));
    QCOMPARE(days.size(), 3);
    QCOMPARE(days.at(1).day, changeDay.startOfDay());
    int deleted = 0;
    int flagged = 0;
    for (const auto &d : days) {
        deleted += d.deleted;
        flagged += d.flagged;
    }
    QCOMPARE(deleted, 4);
    QCOMPARE(flagged, 0);
}

void StoreRecordsTest::pendingSummaryCountsWhatTheFlaggedTabLists()
{
    ScanStore &s = *m_store;
    auto spam = [](const QString &id, std::optional<double> prob) {
        Comment c = makeComment(id, "buy now", "spam", "link");
        c.aiProb = prob;
        return c;
    };
    // Before a full scan of post B: its older pending comments are no longer current.
    QVERIFY(s.remember(yt, postB, {spam("old", 0.2)}, std::nullopt, at(1)));
    QVERIFY(s.remember(yt, postA,
                       {spam("a1", 0.91), spam("a2", 0.55), spam("a3", std::nullopt), makeComment("ok", "hi"),
                        spam("gone", 0.1)},
                       std::nullopt, at(2)));
    QVERIFY(s.markDeleted(yt, {"gone"}, at(3)));
    QVERIFY(s.remember(yt, postB, {spam("b1", 0.7)}, std::nullopt, at(4)));
    QVERIFY(s.record(ScanStore::Post{yt, postB, "B", at(4), 1, 1, false, 0, {}, at(4)}));
    s.storeText = false;   // stored without its text: the panel does not list it
    QVERIFY(s.remember(yt, postA, {spam("blind", 0.05)}, std::nullopt, at(5)));
    s.storeText = true;
    QVERIFY(s.remember("instagram", postA, {spam("elsewhere", 0.01)}, std::nullopt, at(5)));

    QCOMPARE(s.pendingSummary(yt, {postA, postB}), (ScanStore::PendingSummary{4, 0.55}));
    QCOMPARE(s.pendingSummary(yt, {postB}), (ScanStore::PendingSummary{1, 0.7}));
    QCOMPARE(s.pendingSummary(yt, {}), ScanStore::PendingSummary{});
    // The same as counting the records themselves.
    int listed = 0;
    for (const QString &post : {postA, postB}) {
        for (const auto &r : s.pending(post))
            listed += r.site == yt && !r.text.isEmpty() ? 1 : 0;
    }
    QCOMPARE(listed, 4);
}

void StoreRecordsTest::statisticsFollowEveryWriter()
{
    // The counts are kept between calls: each change, ours or another copy's, is seen at once.
    ScanStore &s = *m_store;
    QVERIFY(s.remember(yt, postA, {makeComment("a1", "buy", "spam"), makeComment("a2", "hi")}, std::nullopt, at(1)));
    QVERIFY(s.remember("instagram", postB, {makeComment("i1", "x", "spam")}, std::nullopt, at(1)));
    QCOMPARE(s.stats(), (ScanStore::Stats{0, 0, 3, 2, 0}));
    QCOMPARE(s.stats(yt), (ScanStore::Stats{0, 0, 2, 1, 0}));
    QVERIFY(s.markDeleted(yt, {"a1"}, at(2)));
    QCOMPARE(s.stats(yt), (ScanStore::Stats{0, 0, 2, 0, 1}));
    {
        vt::test::RawDb other(m_path);
        QVERIFY(other.exec("INSERT INTO comments (site, id, post, hash, seen_at, state) VALUES ('youtube', 'o1', "
                           "'https://www.youtube.com/watch?v=aaa', 'h', 1, 'spam')"));
        QVERIFY(other.exec("INSERT INTO posts (url, site, title, scanned_at, total, flagged, watched) VALUES "
                           "('https://www.youtube.com/watch?v=aaa', 'youtube', 'A', 1, 3, 1, 1)"));
    }
    QCOMPARE(s.stats(yt), (ScanStore::Stats{1, 1, 3, 1, 1}));
    QCOMPARE(s.stats(), (ScanStore::Stats{1, 1, 4, 2, 1}));
    QCOMPARE(s.stats(QStringLiteral("elsewhere")), ScanStore::Stats{});
    QVERIFY(s.clear(false));
    QCOMPARE(s.stats(), ScanStore::Stats{});
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    StoreRecordsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_store_records.moc"
