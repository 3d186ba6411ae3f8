// The spam model's rules over the open page: the word overlay with its give-back, the issue notes
// and resets, the order, stored picks, reuse and placement of AI answers, repeat offenders and the
// options of an incremental scan.
#include "ModelHarness.h"
#include "Base/Lang.h"
#include "LanguageScope.h"
#include "TestMain.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QString kPost = QStringLiteral("https://www.youtube.com/watch?v=abcdefghijk");
const QString kIgPost = QStringLiteral("https://www.instagram.com/p/Cabc123/");

QStringList ids(const QList<Comment> &comments)
{
    QStringList out;
    for (const Comment &c : comments)
        out.append(c.id);
    return out;
}

QDateTime wholeSecondNow()
{
    return QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch());
}

}   // namespace

class PostReviewTest : public QObject {
    Q_OBJECT
private slots:
    void overlay_data();
    void overlay();
    void overlayTwiceChangesNothing();
    void removingAKeywordRestoresTheAIVerdict();
    void overlayAfterChangesAsAFreshOverlay_data();
    void overlayAfterChangesAsAFreshOverlay();
    void report_data();
    void report();
    void resetForgetsThePage();
    void sort_data();
    void sort();
    void picks();
    void picksFirstRecordDecides();
    void reuse_data();
    void reuse();
    void reuseAfterTheListChanged_data();
    void reuseAfterTheListChanged();
    void applyAIChecksItsIndex();
    void repeatOffenders();
    void repeatOffendersPerSite();
    void repeatOffendersById_data();
    void repeatOffendersById();
    void recentOptions_data();
    void recentOptions();
};

void PostReviewTest::overlay_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("aiScored");   // has an AI probability
    QTest::addColumn<bool>("aiSeen");     // the AI check has seen its text
    QTest::addColumn<bool>("owner");
    QTest::addColumn<QStringList>("keywords");
    QTest::addColumn<bool>("dictionary");
    QTest::addColumn<bool>("builtinOn");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("stateAfter");
    QTest::addColumn<QString>("reasonAfter");
    QTest::addColumn<QStringList>("hitsAfter");

    const QStringList eggs{"eggs"};
    const QStringList none;
    QTest::newRow("keyword flags") << "buy eggs"
                                   << "ok"
                                   << "" << false << false << false << eggs << false << true << true << "spam"
                                   << "custom:eggs" << none;
    QTest::newRow("keyword comma becomes blank")
        << "BUY NOW!"
        << "ok"
        << "" << false << false << false << QStringList{"buy,now"} << false << true << true << "spam"
        << "custom:buy now" << none;
    QTest::newRow("keyword wins over AI")
        << "eggs"
        << "spam"
        << "AI: Spam 91%" << true << true << false << eggs << true << true << true << "spam"
        << "custom:eggs" << none;
    QTest::newRow("keyword wins over a built-in word")
        << "eggs idiot"
        << "ok"
        << "" << false << false << false << eggs << true << true << true << "spam"
        << "custom:eggs" << none;
    QTest::newRow("built-in word") << "you idiot"
                                   << "ok"
                                   << "" << false << false << false << none << true << true << true << "spam"
                                   << "dict:abuse:idiot" << QStringList{"idiot"};
    QTest::newRow("built-in without dictionary")
        << "you idiot"
        << "ok"
        << "" << false << false << false << none << false << true << false << "ok"
        << "" << none;
    QTest::newRow("built-in lists off") << "you idiot"
                                        << "ok"
                                        << "" << false << false << false << none << true << false << false << "ok"
                                        << "" << none;
    QTest::newRow("built-in never overrides spam")
        << "you idiot"
        << "spam"
        << "page:link" << false << false << false << none << true << true << false << "spam"
        << "page:link" << none;
    QTest::newRow("built-in never judges AI-scored")
        << "you idiot"
        << "ok"
        << "AI: OK" << true << false << false << none << true << true << false << "ok"
        << "AI: OK" << none;
    QTest::newRow("built-in never judges AI-seen")
        << "you idiot"
        << "ok"
        << "" << false << true << false << none << true << true << false << "ok"
        << "" << none;
    QTest::newRow("kept is left alone") << "eggs"
                                        << "skip"
                                        << "kept" << false << false << false << eggs << true << true << false << "skip"
                                        << "kept" << none;
    QTest::newRow("unchanged takes part")
        << "eggs"
        << "skip"
        << "unchanged" << false << false << false << eggs << true << true << true << "spam"
        << "custom:eggs" << none;
    QTest::newRow("owner is never changed") << "eggs"
                                            << "ok"
                                            << "" << false << false << true << eggs << true << true << false << "ok"
                                            << "" << none;
    QTest::newRow("no words, nothing") << "eggs"
                                       << "ok"
                                       << "" << false << false << false << none << false << true << false << "ok"
                                       << "" << none;
    QTest::newRow("flagged, no base, given back")
        << "hello"
        << "spam"
        << "custom:old" << false << false << false << none << false << true << true << "ok"
        << "" << none;
    QTest::newRow("flagged by a list, given back")
        << "hello"
        << "spam"
        << "dict:abuse:x" << false << false << false << none << true << true << true << "ok"
        << "" << none;
    QTest::newRow("flagged, new keyword")
        << "eggs"
        << "spam"
        << "custom:old" << false << false << false << eggs << false << true << true << "spam"
        << "custom:eggs" << none;
    QTest::newRow("flagged, same keyword")
        << "eggs"
        << "spam"
        << "custom:eggs" << false << false << false << eggs << false << true << false << "spam"
        << "custom:eggs" << none;
}

void PostReviewTest::overlay()
{
    QFETCH(QString, text);
    QFETCH(QString, state);
    QFETCH(QString, reason);
    QFETCH(bool, aiScored);
    QFETCH(bool, aiSeen);
    QFETCH(bool, owner);
    QFETCH(QStringList, keywords);
    QFETCH(bool, dictionary);
    QFETCH(bool, builtinOn);
    QFETCH(bool, changed);
    QFETCH(QString, stateAfter);
    QFETCH(QString, reasonAfter);
    QFETCH(QStringList, hitsAfter);

    ModelHarness h({{"vt.keywords", keywords}, {"vt.builtinWords", builtinOn}});
    SpamModel &m = h.model();
    Comment c = ModelHarness::comment("c1", text, state);
    c.reason = reason;
    c.isOwner = owner;
    c.score = 0.5;
    if (aiScored) {
        c.aiKind = QStringLiteral("spam");
        c.aiProb = 0.91;
    }
    if (aiSeen)
        m.review().noteAISeen(c.id);
    const Comment other = ModelHarness::comment("c0", "plain words", "ok");
    m.review().setComments({other, c});
    QSignalSpy spy(&m.review(), &PostReview::commentsChanged);

    const QList<int> positions = m.review().overlayWords(dictionary);
    QCOMPARE(positions, changed ? QList<int>{1} : QList<int>{});
    QCOMPARE(spy.count(), changed ? 1 : 0);
    const Comment &after = m.review().comments().at(1);
    QCOMPARE(after.state, stateAfter);
    QCOMPARE(after.reason, reasonAfter);
    QCOMPARE(after.hits, hitsAfter);
    QCOMPARE(m.review().comments().at(0), other);
    if (changed && stateAfter == QLatin1String("spam") && state != QLatin1String("spam")) {
        // Newly flagged: ticked, rule score, no AI answer, remembered as it was.
        QCOMPARE(after.score, 1.0);
        QVERIFY(after.checked);
        QVERIFY(!after.aiProb && !after.aiKind);
        QCOMPARE(m.review().wordBase().value(c.id), c);
    }
    if (stateAfter == QLatin1String("ok") && state == QLatin1String("spam")) {
        QCOMPARE(after.score, 0.0);
        QVERIFY(!after.checked);
    }
}

void PostReviewTest::overlayTwiceChangesNothing()
{
    ModelHarness h({{"vt.keywords", QStringList{"eggs"}}});
    SpamModel &m = h.model();
    Comment kept = ModelHarness::comment("k", "eggs", "skip");
    kept.reason = QStringLiteral("kept");
    m.review().setComments({ModelHarness::comment("a", "eggs for sale"), ModelHarness::comment("b", "you idiot"),
                            ModelHarness::comment("c", "nice"), kept});
    QCOMPARE(m.review().overlayWords(true), (QList<int>{0, 1}));
    const QList<Comment> once = m.review().comments();
    QCOMPARE(m.review().overlayWords(true), QList<int>{});
    QCOMPARE(m.review().comments(), once);
    // Without the lists, the word-list verdict is given back.
    QCOMPARE(m.review().overlayWords(false), QList<int>{1});
    QCOMPARE(m.review().comments().at(1), ModelHarness::comment("b", "you idiot"));
}

void PostReviewTest::removingAKeywordRestoresTheAIVerdict()
{
    ModelHarness h({{"vt.threshold", 85}});
    SpamModel &m = h.model();
    Comment ai = ModelHarness::comment("a", "fresh eggs, cheap", "spam");
    ai.aiKind = QStringLiteral("abuse");
    ai.aiProb = 0.9;
    ai.reason = QStringLiteral("AI: Abuse 90%");
    ai.score = 0;
    m.review().setComments({ai});
    m.openPage().setHasScanned(true);

    m.addKeywords(QStringLiteral("eggs"));
    Comment c = m.review().comments().at(0);
    QCOMPARE(c.reason, QStringLiteral("custom:eggs"));
    QVERIFY(!c.aiProb && !c.aiKind);
    QCOMPARE(c.score, 1.0);

    // The verdict from before comes back and is placed against today's threshold.
    m.removeKeyword(QStringLiteral("eggs"));
    c = m.review().comments().at(0);
    QCOMPARE(c.aiKind, std::optional<QString>("abuse"));
    QCOMPARE(c.aiProb, std::optional<double>(0.9));
    QCOMPARE(c.state, QStringLiteral("spam"));
    QCOMPARE(c.reason, SpamRules::place(0.9, "abuse", 85).reason);
    QVERIFY(m.review().wordBase().isEmpty());

    // An AI-flagged comment with only a built-in word stays as the AI placed it.
    Comment rude = ai;
    rude.id = QStringLiteral("r");
    rude.text = QStringLiteral("you idiot");
    m.review().setComments({rude});
    QCOMPARE(m.review().overlayWords(true), QList<int>{});
}

void PostReviewTest::overlayAfterChangesAsAFreshOverlay_data()
{
    // What happens to the page between the overlay after collection and the one after the AI
    // answers; the verdicts after the second are those of an overlay that judges every text anew.
    QTest::addColumn<QStringList>("between");
    QTest::addColumn<QStringList>("expected");   // "id state reason" in list order after the second overlay

    const QStringList
        base{"a spam custom:eggs",      "b spam dict:abuse:idiot", "c ok", "d ok", "e skip likes", "f spam custom:eggs",
             "g spam dict:abuse:idiot", "h spam custom:eggs",      "i ok"};
    QTest::newRow("nothing") << QStringList{} << base;
    QTest::newRow("AI answers flip verdicts")
        << QStringList{"reuse"}
        << QStringList{"a spam custom:eggs", "b spam dict:abuse:idiot", "c spam AI",          "d ok AI", "e skip likes",
                       "f spam custom:eggs", "g spam dict:abuse:idiot", "h spam custom:eggs", "i ok"};
    QTest::newRow("keyword added") << QStringList{"add ham"} << QStringList{"a spam custom:eggs",
                                                                            "b spam dict:abuse:idiot",
                                                                            "c ok",
                                                                            "d spam custom:ham",
                                                                            "e skip likes",
                                                                            "f spam custom:eggs",
                                                                            "g spam dict:abuse:idiot",
                                                                            "h spam custom:eggs",
                                                                            "i ok"};
    QTest::newRow("keyword removed") << QStringList{"remove eggs"}
                                     << QStringList{"a ok",
                                                    "b spam dict:abuse:idiot",
                                                    "c ok",
                                                    "d ok",
                                                    "e skip likes",
                                                    "f spam dict:abuse:idiot",
                                                    "g spam dict:abuse:idiot",
                                                    "h ok",
                                                    "i ok"};
    QTest::newRow("text edited in place")
        << QStringList{"edit"}
        << QStringList{"a ok",         "b spam dict:abuse:idiot", "c spam custom:eggs",      "d ok",
                       "e skip likes", "f spam custom:eggs",      "g spam dict:abuse:idiot", "h spam custom:eggs",
                       "i ok"};
    QTest::newRow("a comment dropped, the rest moved up")
        << QStringList{"drop b"} << QStringList{"a spam custom:eggs",
                                                "c ok",
                                                "d ok",
                                                "e skip likes",
                                                "f spam custom:eggs",
                                                "g spam dict:abuse:idiot",
                                                "h spam custom:eggs",
                                                "i ok"};
    QTest::newRow("sorted newest first") << QStringList{"sort"} << QStringList{"i ok",
                                                                               "h spam custom:eggs",
                                                                               "g spam dict:abuse:idiot",
                                                                               "f spam custom:eggs",
                                                                               "e skip likes",
                                                                               "d ok",
                                                                               "c ok",
                                                                               "b spam dict:abuse:idiot",
                                                                               "a spam custom:eggs"};
    QTest::newRow("repeat offender") << QStringList{"repeat"} << QStringList{"a spam custom:eggs",
                                                                             "b spam dict:abuse:idiot",
                                                                             "c ok",
                                                                             "d ok",
                                                                             "e skip likes",
                                                                             "f spam custom:eggs",
                                                                             "g spam repeat:1",
                                                                             "h spam custom:eggs",
                                                                             "i ok"};
    QTest::newRow("sorted, AI answers, keyword swapped") << QStringList{"sort", "reuse", "remove eggs", "add ham"}
                                                         << QStringList{"i ok",
                                                                        "h spam custom:ham",
                                                                        "g spam dict:abuse:idiot",
                                                                        "f spam dict:abuse:idiot",
                                                                        "e skip likes",
                                                                        "d spam custom:ham",
                                                                        "c spam AI",
                                                                        "b spam dict:abuse:idiot",
                                                                        "a ok"};
    QTest::newRow("edited, sorted, repeat offender") << QStringList{"edit", "sort", "repeat"}
                                                     << QStringList{"i ok",
                                                                    "h spam custom:eggs",
                                                                    "g spam repeat:1",
                                                                    "f spam custom:eggs",
                                                                    "e skip likes",
                                                                    "d ok",
                                                                    "c spam custom:eggs",
                                                                    "b spam dict:abuse:idiot",
                                                                    "a ok"};
}

void PostReviewTest::overlayAfterChangesAsAFreshOverlay()
{
    QFETCH(QStringList, between);
    QFETCH(QStringList, expected);

    // The first overlay, the steps between, the second overlay; `fresh` forgets every answer the
    // review kept before the second, keeping only what the AI check saw.
    const auto run = [&](ModelHarness &h, bool fresh) {
        const QDateTime now = QDateTime::currentDateTime();
        Comment old = ModelHarness::comment("x", "old text");
        old.authorName = QStringLiteral("@spammer");
        if (!h.store().remember("youtube", kPost, {old}, std::nullopt, now.addDays(-3))
            || !h.store().markDeleted("youtube", {"x"}, now.addDays(-2)))
            return QList<int>{-1};
        SpamModel &m = h.model();
        const char *const rows[][3] = {{"a", "buy eggs now", "ok"},     {"b", "you idiot", "ok"},
                                       {"c", "nice video", "ok"},       {"d", "cheap ham here", "ok"},
                                       {"e", "eggs and idiot", "skip"}, {"f", "idiot eggs", "skip"},
                                       {"g", "hello idiot", "ok"},      {"h", "ham and eggs", "ok"},
                                       {"i", "you idiot", "ok"}};
        QList<Comment> page;
        for (const auto &row : rows) {
            Comment c = ModelHarness::comment(row[0], row[1], row[2], page.size());
            c.publishedAt = 1000.0 * double(page.size());
            page.append(c);
        }
        page[4].reason = QStringLiteral("likes");       // left out by the page: its likes
        page[5].reason = QStringLiteral("unchanged");   // skipped as unchanged: judged again
        page[6].authorName = QStringLiteral("@spammer");
        page[7].authorName = QStringLiteral("@spammer");
        m.review().setComments(page);
        m.review().noteAISeen("i");
        m.review().hashTexts();
        m.review().overlayWords(false);

        const auto at = [&m](const QString &id) {
            for (qsizetype i = 0; i < m.review().comments().size(); ++i) {
                if (m.review().comments().at(i).id == id)
                    return i;
            }
            return qsizetype(-1);
        };
        for (const QString &step : between) {
            if (step == QLatin1String("reuse")) {
                QHash<QString, ScanStore::Known> known;
                const std::pair<QString, double> answers[] = {{"a", 0.99}, {"c", 0.95}, {"d", 0.1}};
                for (const auto &[id, prob] : answers) {
                    ScanStore::Known k;
                    k.hash = ScanStore::hash(m.review().comments().at(at(id)).text);
                    k.options = m.ownerSettings().aiOptionsKey();
                    k.score = AIScore{prob, 0, 0};
                    known.insert(id, k);
                }
                m.review().reuseAI(known);
            } else if (step.startsWith(QLatin1String("add "))) {
                m.ownerSettings().set(OwnerSettings::Key::keywords,
                                      m.ownerSettings().keywords() + QStringList{step.mid(4)});
            } else if (step.startsWith(QLatin1String("remove "))) {
                m.removeKeyword(step.mid(7));
            } else if (step == QLatin1String("edit")) {
                QList<Comment> list = m.review().comments();
                list[at("a")].text = QStringLiteral("no more");
                list[at("c")].text = QStringLiteral("eggs galore");
                m.review().setComments(list);
            } else if (step == QLatin1String("drop b")) {
                QList<Comment> list = m.review().comments();
                list.removeAt(at("b"));
                m.review().setComments(list);
            } else if (step == QLatin1String("sort")) {
                m.ownerSettings().set(OwnerSettings::Key::sort, SortKey(SortKey::newest).rawValue());
            } else if (step == QLatin1String("repeat")) {
                m.review().flagRepeatOffenders("youtube");
            }
        }
        if (fresh) {
            const QSet<QString> seen = m.review().aiSeen();
            m.review().forgetPage();
            for (const QString &id : seen)
                m.review().noteAISeen(id);
        }
        return m.review().overlayWords(true);
    };

    ModelHarness kept({{"vt.keywords", QStringList{"eggs"}}});
    ModelHarness fresh({{"vt.keywords", QStringList{"eggs"}}});
    const QList<int> changed = run(kept, false);
    QCOMPARE(changed, run(fresh, true));
    QCOMPARE(kept.model().review().comments(), fresh.model().review().comments());
    QCOMPARE(kept.model().review().wordBase(), fresh.model().review().wordBase());

    QStringList got;
    for (const Comment &c : kept.model().review().comments()) {
        const bool rule = c.reason.startsWith(QLatin1String("custom:")) || c.reason.startsWith(QLatin1String("dict:"))
            || c.reason.startsWith(QLatin1String("repeat:")) || !c.aiProb;
        got.append(QStringList{c.id, c.state, rule ? c.reason : QStringLiteral("AI")}.join(u' ').trimmed());
    }
    QCOMPARE(got, expected);
}

void PostReviewTest::report_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("after");
    QTest::newRow("padded note on empty") << ""
                                          << "  \tLimited.  "
                                          << "Limited.";
    QTest::newRow("same note again") << "Limited."
                                     << " Limited."
                                     << "Limited.";
    QTest::newRow("contained note") << "Window covered. Limited."
                                    << "Limited"
                                    << "Window covered. Limited.";
    QTest::newRow("blank note") << "Limited."
                                << " \t "
                                << "Limited.";
    QTest::newRow("empty note") << ""
                                << ""
                                << "";
    QTest::newRow("second note appended") << "Limited."
                                          << "Covered."
                                          << "Limited. Covered.";
    QTest::newRow("line breaks kept") << ""
                                      << "One\nTwo\n"
                                      << "One\nTwo\n";
}

void PostReviewTest::report()
{
    QFETCH(QString, before);
    QFETCH(QString, note);
    QFETCH(QString, after);
    ModelHarness h;
    SpamModel &m = h.model();
    m.scanReport().report(before);
    QSignalSpy spy(&m.scanReport(), &ScanReport::issueChanged);
    m.scanReport().report(note);
    QCOMPARE(m.scanReport().issue(), after);
    QCOMPARE(spy.count(), after == before ? 0 : 1);
}

void PostReviewTest::resetForgetsThePage()
{
    ModelHarness h({{"vt.aiOn", false}, {"vt.keywords", QStringList{"eggs"}}});
    SpamModel &m = h.model();
    m.review().setComments({ModelHarness::comment("a", "eggs")});
    m.review().overlayWords(false);
    m.review().applyPicks({}, kPost);
    m.scanReport().report("note");
    m.review().noteAISeen("a");
    m.openPage().setHasScanned(true);
    m.openPage().setRecentOnly(true);
    m.review().setOnlySpam(true);
    m.review().setJustKept({{"a", m.review().comments().at(0)}});
    m.openPage().setScannedPage(ScanStore::PostKey{"youtube", kPost});
    m.openPage().setScannedURL(kPost);
    m.openPage().setProgress(ScanProgress{});
    ScanActivity busy;
    busy.stage = ScanActivity::Stage::ai;
    busy.collected = 40;
    m.openPage().setScanActivity(busy);
    QVERIFY(!m.review().wordBase().isEmpty());

    m.resetResults();
    QVERIFY(m.review().comments().isEmpty());
    QCOMPARE(m.openPage().scanActivity(), ScanActivity::fresh(false));
    QCOMPARE(m.openPage().scanActivity().aiState, ScanActivity::AIState::skipped);
    QVERIFY(!m.openPage().progress() && !m.openPage().hasScanned() && !m.openPage().recentOnly()
            && !m.review().onlySpam());
    QVERIFY(!m.openPage().scannedURL() && !m.openPage().scannedPage());
    QVERIFY(m.scanReport().issue().isEmpty() && m.review().justKept().isEmpty() && m.review().wordBase().isEmpty()
            && m.review().restored().isEmpty());
    QVERIFY(m.review().aiSeen().isEmpty());
}

void PostReviewTest::sort_data()
{
    // Each comment: id, order, published (ms), likes, AI probability; a negative number is "none".
    QTest::addColumn<QString>("sort");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("page") << "page" << QStringList{"a", "b", "c", "d", "e"};
    QTest::newRow("newest, undated last in page order") << "newest" << QStringList{"c", "a", "e", "b", "d"};
    QTest::newRow("oldest, undated last") << "oldest" << QStringList{"e", "a", "c", "b", "d"};
    QTest::newRow("likes ascending, unknown last") << "likes" << QStringList{"b", "e", "a", "c", "d"};
    QTest::newRow("ai highest first, ties in page order") << "ai" << QStringList{"b", "d", "a", "c", "e"};
}

void PostReviewTest::sort()
{
    QFETCH(QString, sort);
    QFETCH(QStringList, expected);
    struct Row {
        const char *id;
        qint64 order;
        double published, likes, ai;
    };
    // Listed out of page order on purpose: "page" must restore it.
    const Row rows[] = {{"c", 2, 3000, 12, 0.4},
                        {"a", 0, 2000, 5, 0.5},
                        {"e", 4, 1000, 0, -1},
                        {"b", 1, -1, 0, 0.9},
                        {"d", 3, -1, -1, 0.9}};
    QList<Comment> list;
    for (const Row &r : rows) {
        Comment c = ModelHarness::comment(QString::fromLatin1(r.id), "text", "ok", r.order);
        if (r.published >= 0)
            c.publishedAt = r.published;
        if (r.likes >= 0)
            c.likeCount = r.likes;
        if (r.ai >= 0)
            c.aiProb = r.ai;
        list.append(c);
    }
    ModelHarness h;
    SpamModel &m = h.model();
    m.review().setComments(list);
    m.ownerSettings().set(OwnerSettings::Key::sort, sort);
    m.review().applySort();
    QCOMPARE(ids(m.review().comments()), expected);
    m.ownerSettings().set(OwnerSettings::Key::sort, SortKey(SortKey::page).rawValue());
    QCOMPARE(ids(m.review().comments()), (QStringList{"a", "b", "c", "d", "e"}));
}

void PostReviewTest::picks()
{
    ModelHarness h;
    SpamModel &m = h.model();
    Comment c1 = ModelHarness::comment("c1", "one", "spam");   // already spam on the page, unticked
    c1.checked = false;
    c1.reason = QStringLiteral("page:link");
    Comment c2 = ModelHarness::comment("c2", "two");   // the rescan left it unflagged
    Comment c3 = ModelHarness::comment("c3", "three");
    c3.aiKind = QStringLiteral("abuse");
    c3.aiProb = 0.3;
    Comment c4 = ModelHarness::comment("c4", "four", "spam");   // spam, not picked
    Comment c5 = ModelHarness::comment("c5", "five");           // picked, but stored as ok
    const QList<Comment> page{c1, c2, c3, c4, c5};
    QVERIFY(h.store().remember("youtube", kPost, page, std::nullopt, QDateTime::currentDateTime()));
    m.review().setComments(page);

    auto record = [](const QString &id, const QString &state, const QString &reason, const QString &kind,
                     std::optional<double> ai) {
        ScanStore::Record r;
        r.id = id;
        r.post = kPost;
        r.state = state;
        r.reason = reason;
        r.kind = kind;
        r.aiProb = ai;
        return r;
    };
    const QList<ScanStore::Record> records{record("c1", "spam", "custom:x", "", std::nullopt),
                                           record("c2", "spam", "AI: Spam 92%", "", 0.92),
                                           record("c3", "spam", "dict:abuse:idiot", "abuse", std::nullopt),
                                           record("c5", "ok", "", "", std::nullopt),
                                           record("gone", "spam", "custom:x", "", std::nullopt)};

    QCOMPARE(m.review().applyPicks(records, kPost + "&t=10"), 3);
    const QList<Comment> &after = m.review().comments();
    QCOMPARE(after.at(0).reason, QStringLiteral("page:link"));   // nothing restored over a page verdict
    QVERIFY(after.at(0).checked);
    QCOMPARE(after.at(1).state, QStringLiteral("spam"));
    QCOMPARE(after.at(1).reason, QStringLiteral("AI: Spam 92%"));
    QCOMPARE(after.at(1).aiProb, std::optional<double>(0.92));
    QCOMPARE(after.at(1).aiKind, std::optional<QString>("spam"));   // empty stored kind
    QVERIFY(after.at(1).checked);
    QCOMPARE(after.at(2).state, QStringLiteral("spam"));
    QCOMPARE(after.at(2).aiProb, std::optional<double>(0.3));   // no stored probability: kept
    QCOMPARE(after.at(2).aiKind, std::optional<QString>("abuse"));
    QVERIFY(!after.at(3).checked);   // spam, not picked
    QCOMPARE(after.at(4).state, QStringLiteral("ok"));
    QCOMPARE(m.review().restored(), (QSet<QString>{"c2", "c3"}));
    // The restored verdicts reached the store under the canonical post.
    const QStringList pending = h.store().pendingIDs(kPost);
    QVERIFY(pending.contains("c2") && pending.contains("c3"));

    // No pick on the page: nothing ticked.
    QCOMPARE(m.review().applyPicks({record("elsewhere", "spam", "x", "", std::nullopt)}, kPost), 0);
}

void PostReviewTest::picksFirstRecordDecides()
{
    ModelHarness h;
    SpamModel &m = h.model();
    m.review().setComments({ModelHarness::comment("a", "one"), ModelHarness::comment("b", "two")});
    ScanStore::Record okFirst;
    okFirst.id = "a";
    okFirst.state = "ok";
    ScanStore::Record spamSecond = okFirst;
    spamSecond.state = "spam";
    ScanStore::Record spamFirst = spamSecond;
    spamFirst.id = "b";
    ScanStore::Record okSecond = okFirst;
    okSecond.id = "b";
    // Not a post address: restored on the page, but nothing is saved.
    QCOMPARE(m.review().applyPicks({okFirst, spamSecond, spamFirst, okSecond}, "https://www.youtube.com/"), 1);
    QCOMPARE(m.review().comments().at(0).state, QStringLiteral("ok"));
    QCOMPARE(m.review().comments().at(1).state, QStringLiteral("spam"));
    QCOMPARE(h.store().stats().flagged, 0);
}

void PostReviewTest::reuse_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("hasAIProb");
    QTest::addColumn<bool>("known");
    QTest::addColumn<QString>("options");   // empty: none stored
    QTest::addColumn<bool>("hasScore");
    QTest::addColumn<bool>("sameText");
    QTest::addColumn<bool>("sexualOff");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<double>("spamScore");
    QTest::addColumn<int>("reused");
    QTest::addColumn<int>("found");
    QTest::addColumn<QString>("stateAfter");

    const QString key = QStringLiteral("spam,abuse,sexual,keepPraise");
    QTest::newRow("reused and flagged") << "ok" << false << true << key << true << true << false << 80 << 0.9 << 1 << 1
                                        << "spam";
    QTest::newRow("reused, below threshold")
        << "ok" << false << true << key << true << true << false << 80 << 0.5 << 1 << 0 << "ok";
    QTest::newRow("0.795 rounds to 80") << "ok" << false << true << key << true << true << false << 80 << 0.795 << 1
                                        << 1 << "spam";
    QTest::newRow("0.794 stays at 79") << "ok" << false << true << key << true << true << false << 80 << 0.794 << 1 << 0
                                       << "ok";
    QTest::newRow("sexual turned off since")
        << "ok" << false << true << key << true << true << true << 80 << 0.9 << 0 << 0 << "ok";
    QTest::newRow("text edited since") << "ok" << false << true << key << true << false << false << 80 << 0.9 << 0 << 0
                                       << "ok";
    QTest::newRow("key without scores") << "ok" << false << true << key << false << true << false << 80 << 0.9 << 0 << 0
                                        << "ok";
    QTest::newRow("scores without key") << "ok" << false << true << "" << true << true << false << 80 << 0.9 << 0 << 0
                                        << "ok";
    QTest::newRow("not known") << "ok" << false << false << key << true << true << false << 80 << 0.9 << 0 << 0 << "ok";
    QTest::newRow("rules flagged it") << "spam" << false << true << key << true << true << false << 80 << 0.9 << 0 << 0
                                      << "spam";
    QTest::newRow("skipped") << "skip" << false << true << key << true << true << false << 80 << 0.9 << 0 << 0
                             << "skip";
    QTest::newRow("already answered") << "ok" << true << true << key << true << true << false << 80 << 0.9 << 0 << 0
                                      << "ok";
}

void PostReviewTest::reuse()
{
    QFETCH(QString, state);
    QFETCH(bool, hasAIProb);
    QFETCH(bool, known);
    QFETCH(QString, options);
    QFETCH(bool, hasScore);
    QFETCH(bool, sameText);
    QFETCH(bool, sexualOff);
    QFETCH(int, threshold);
    QFETCH(double, spamScore);
    QFETCH(int, reused);
    QFETCH(int, found);
    QFETCH(QString, stateAfter);

    ModelHarness h({{"vt.threshold", threshold}});
    SpamModel &m = h.model();
    if (sexualOff)
        m.ownerSettings().set(OwnerSettings::Key::aiSexual, false);
    Comment c = ModelHarness::comment("c1", "check my channel", state);
    c.reason = QStringLiteral("rule");
    c.score = 0.7;
    if (hasAIProb) {
        c.aiKind = QStringLiteral("spam");
        c.aiProb = 0.1;
    }
    m.review().setComments({c});
    QHash<QString, ScanStore::Known> store;
    if (known) {
        ScanStore::Known k;
        k.hash = ScanStore::hash(sameText ? c.text : QStringLiteral("an older text"));
        if (!options.isEmpty())
            k.options = options;
        if (hasScore)
            k.score = AIScore{spamScore, 0, 0};
        store.insert(c.id, k);
    }
    const SpamModel::Reuse got = m.review().reuseAI(store);
    QCOMPARE(got, (SpamModel::Reuse{reused, found, 0}));
    const Comment &after = m.review().comments().at(0);
    QCOMPARE(after.state, stateAfter);
    if (reused) {
        QCOMPARE(after.aiKind, std::optional<QString>("spam"));
        QCOMPARE(after.aiProb, std::optional<double>(spamScore));
        QCOMPARE(after.score, 0.0);
        QCOMPARE(after.checked, found == 1);
        QCOMPARE(after.reason, SpamRules::place(spamScore, "spam", threshold).reason);
    } else {
        QCOMPARE(after, c);
    }
}

void PostReviewTest::reuseAfterTheListChanged_data()
{
    // The page is hashed, then its list changes before the stored answers are reused: an answer
    // is reused exactly for a comment whose text now is the text it was given for.
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("reused");   // ids judged from the store, in list order

    QTest::newRow("nothing") << "" << QStringList{"a", "b", "c"};
    QTest::newRow("edited away from the answered text") << "edit b" << QStringList{"a", "c"};
    QTest::newRow("edited to the answered text") << "edit d" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("reversed") << "reverse" << QStringList{"c", "b", "a"};
    QTest::newRow("first dropped, the rest moved up") << "drop a" << QStringList{"b", "c"};
}

void PostReviewTest::reuseAfterTheListChanged()
{
    QFETCH(QString, change);
    QFETCH(QStringList, reused);

    ModelHarness h;
    SpamModel &m = h.model();
    QList<Comment> page{ModelHarness::comment("a", "first text", "ok", 0),
                        ModelHarness::comment("b", "second text", "ok", 1),
                        ModelHarness::comment("c", "third text", "ok", 2),
                        ModelHarness::comment("d", "fourth text", "ok", 3)};
    m.review().setComments(page);
    m.review().hashTexts();

    // Answers for a, b and c as they read, and for d as it reads after its edit.
    QHash<QString, ScanStore::Known> known;
    const std::pair<const char *, const char *> answered[] = {{"a", "first text"},
                                                              {"b", "second text"},
                                                              {"c", "third text"},
                                                              {"d", "fourth text, edited"}};
    for (const auto &[id, text] : answered) {
        ScanStore::Known k;
        k.hash = ScanStore::hash(QString::fromUtf8(text));
        k.options = m.ownerSettings().aiOptionsKey();
        k.score = AIScore{0.95, 0, 0};
        known.insert(QString::fromLatin1(id), k);
    }
    if (change == QLatin1String("edit b"))
        page[1].text = QStringLiteral("second text, edited");
    else if (change == QLatin1String("edit d"))
        page[3].text = QStringLiteral("fourth text, edited");
    else if (change == QLatin1String("reverse"))
        std::reverse(page.begin(), page.end());
    else if (change == QLatin1String("drop a"))
        page.removeFirst();
    m.review().setComments(page);

    const SpamModel::Reuse got = m.review().reuseAI(known);
    QStringList judged;
    for (const Comment &c : m.review().comments()) {
        if (c.aiProb) {
            judged.append(c.id);
            QCOMPARE(c.state, QStringLiteral("spam"));
        } else {
            QCOMPARE(c.state, QStringLiteral("ok"));
        }
    }
    QCOMPARE(judged, reused);
    QCOMPARE(got.reused, int(reused.size()));
}

void PostReviewTest::applyAIChecksItsIndex()
{
    ModelHarness h;
    SpamModel &m = h.model();
    Comment scored = ModelHarness::comment("a", "x");
    scored.aiKind = QStringLiteral("sexual");
    scored.aiProb = 0.97;
    const Comment plain = ModelHarness::comment("b", "y");
    m.review().setComments({scored, plain});
    const QList<Comment> before = m.review().comments();
    QSignalSpy spy(&m.review(), &PostReview::commentsChanged);
    for (const qsizetype index : {qsizetype(-1), qsizetype(2), qsizetype(1000), qsizetype(1)})
        QVERIFY(!m.review().applyAI(index));
    QCOMPARE(m.review().comments(), before);
    QCOMPARE(spy.count(), 0);
    const std::optional<AIRules::Placement> placed = m.review().applyAI(0);
    QVERIFY(placed && placed->flagged && placed->checked);
    QCOMPARE(m.review().comments().at(0).state, QStringLiteral("spam"));
    QCOMPARE(spy.count(), 1);
}

void PostReviewTest::repeatOffenders()
{
    ModelHarness h;
    const QDateTime now = QDateTime::currentDateTime();
    auto by = [](const QString &id, const QString &author, const QString &state = QStringLiteral("ok")) {
        Comment c = ModelHarness::comment(id, "text " + id, state);
        c.authorName = author;
        return c;
    };
    // Deleted before on YouTube: two of "@spammer", one of the owner, one without a name.
    const QList<Comment> old{by("d1", "@spammer"), by("d2", "@spammer"), by("d3", "@owner"), by("d4", "")};
    QVERIFY(h.store().remember("youtube", kPost, old, std::nullopt, now.addDays(-3)));
    QVERIFY(h.store().markDeleted("youtube", {"d1", "d2", "d3", "d4"}, now.addDays(-2)));

    SpamModel &m = h.model();
    Comment owner = by("o", "@owner");
    owner.isOwner = true;
    Comment flaggedByRules = by("r", "@spammer", "spam");
    flaggedByRules.reason = QStringLiteral("custom:x");
    Comment skipped = by("s", "@spammer", "skip");
    skipped.reason = QStringLiteral("kept");
    const QList<Comment> page{by("a", "@spammer"), flaggedByRules, skipped,           owner,
                              by("b", "@owner"),   // the owner's name without the badge
                              by("e", ""),         by("w", "  "),  by("c", "@clean"), by("a2", "@spammer")};
    m.review().setComments(page);
    const QString note = m.review().flagRepeatOffenders("youtube");
    QCOMPARE(note, QStringLiteral(" 2 by authors you deleted before were flagged."));
    const QList<Comment> &after = m.review().comments();
    for (const int i : {0, 8}) {
        QCOMPARE(after.at(i).state, QStringLiteral("spam"));
        QCOMPARE(after.at(i).reason, QStringLiteral("repeat:2"));
        QVERIFY(after.at(i).checked && after.at(i).knownSpammer);
        QCOMPARE(after.at(i).score, 1.0);
    }
    for (const int i : {1, 2, 3, 4, 5, 6, 7})
        QCOMPARE(after.at(i), page.at(i));

    // Nothing to flag: no sentence.
    m.review().setComments({by("c", "@clean")});
    QCOMPARE(m.review().flagRepeatOffenders("youtube"), QString());
    QCOMPARE(inLanguage(true, [] { return PostReview::repeatNote(2); }),
             QStringLiteral(" 전에 삭제한 작성자의 댓글 2개를 의심으로 표시했습니다."));
    QCOMPARE(inLanguage(true, [] { return PostReview::repeatNote(0); }), QString());
}

void PostReviewTest::repeatOffendersPerSite()
{
    ModelHarness h;
    const QDateTime now = QDateTime::currentDateTime();
    Comment old = ModelHarness::comment("d1", "old");
    old.authorName = QStringLiteral("samename");
    QVERIFY(h.store().remember("youtube", kPost, {old}, std::nullopt, now));
    QVERIFY(h.store().markDeleted("youtube", {"d1"}, now));
    SpamModel &m = h.model();
    Comment c = ModelHarness::comment("i1", "hello");
    c.authorName = QStringLiteral("samename");
    m.review().setComments({c});
    QCOMPARE(m.review().flagRepeatOffenders("instagram"), QString());
    QCOMPARE(m.review().comments().at(0).state, QStringLiteral("ok"));
    QCOMPARE(m.review().flagRepeatOffenders("youtube"),
             QStringLiteral(" 1 by authors you deleted before were flagged."));
}

void PostReviewTest::repeatOffendersById_data()
{
    // One comment beside the owner's own (@owner, channel UCowner); an invalid id: the page gave none.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("id");
    QTest::addColumn<QString>("reason");   // empty: left as it was

    const QVariant none;
    QTest::newRow("same id and name") << "@spam" << QVariant("UCspam") << "repeat:2";
    QTest::newRow("same id, new name") << "@newname" << QVariant("UCrenamed") << "repeat:1";
    QTest::newRow("id, no name") << "" << QVariant("UCspam") << "repeat:2";
    QTest::newRow("shared name, another id") << "@shared" << QVariant("UCinnocent") << "";
    QTest::newRow("shared name, no id") << "@shared" << none << "repeat:1";
    QTest::newRow("blank id is none") << "@spam" << QVariant("  ") << "repeat:2";
    QTest::newRow("deleted before ids were kept, now with id") << "@legacy" << QVariant("UClegacy") << "repeat:1";
    QTest::newRow("deleted before ids were kept, no id") << "@legacy" << none << "repeat:1";
    QTest::newRow("id of a clean author") << "@clean" << QVariant("UCclean") << "";
    QTest::newRow("owner's id without the badge") << "@other" << QVariant("UCowner") << "";
    QTest::newRow("owner's name without the badge, no id") << "@owner" << none << "";
    QTest::newRow("someone else under the owner's name") << "@owner" << QVariant("UCimpostor") << "repeat:1";
    QTest::newRow("no name, no id") << "" << none << "";
    QTest::newRow("blank name, no id") << "  " << none << "";
}

void PostReviewTest::repeatOffendersById()
{
    QFETCH(QString, name);
    QFETCH(QVariant, id);
    QFETCH(QString, reason);
    ModelHarness h;
    const QDateTime now = QDateTime::currentDateTime();
    auto by = [](const QString &cid, const QString &author, const QVariant &authorId) {
        Comment c = ModelHarness::comment(cid, "text " + cid);
        c.authorName = author;
        if (authorId.isValid())
            c.authorId = authorId.toString();
        return c;
    };
    // Deleted before on YouTube; @legacy was stored before ids were kept, @owner's own comment
    // and an impostor's under the owner's name were deleted too.
    const QList<Comment> old{by("d1", "@spam", "UCspam"),       by("d2", "@spam", "UCspam"),
                             by("d3", "@oldname", "UCrenamed"), by("d4", "@legacy", {}),
                             by("d5", "@shared", "UCshared"),   by("d6", "@owner", "UCowner"),
                             by("d7", "@owner", "UCimpostor")};
    QVERIFY(h.store().remember("youtube", kPost, old, std::nullopt, now.addDays(-3)));
    QVERIFY(h.store().markDeleted("youtube", ids(old), now.addDays(-2)));

    SpamModel &m = h.model();
    Comment owner = by("o", "@owner", "UCowner");
    owner.isOwner = true;
    const Comment c = by("c", name, id);
    m.review().setComments({owner, c});
    const QString note = m.review().flagRepeatOffenders("youtube");
    const Comment &after = m.review().comments().at(1);
    QCOMPARE(m.review().comments().at(0), owner);
    if (reason.isEmpty()) {
        QCOMPARE(after, c);
        QCOMPARE(note, QString());
    } else {
        QCOMPARE(after.reason, reason);
        QCOMPARE(after.state, QStringLiteral("spam"));
        QVERIFY(after.checked && after.knownSpammer);
        QCOMPARE(note, PostReview::repeatNote(1));
    }
}

void PostReviewTest::recentOptions_data()
{
    QTest::addColumn<bool>("signedIn");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<bool>("watched");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QVariant>("fullAgo");   // seconds before now; negative: in the future; invalid: never
    QTest::addColumn<bool>("deleted");       // every stored comment deleted
    QTest::addColumn<bool>("options");

    const int day = 86400;
    QTest::newRow("6 days 23 hours") << true << true << true << 0 << QVariant(7 * day - 3600) << false << true;
    QTest::newRow("exactly 7 days") << true << true << true << 0 << QVariant(7 * day) << false << true;
    QTest::newRow("7 days and 1 second") << true << true << true << 0 << QVariant(7 * day + 1) << false << false;
    QTest::newRow("never complete") << true << true << true << 0 << QVariant() << false << false;
    QTest::newRow("never complete, limit set") << true << true << true << 200 << QVariant() << false << true;
    QTest::newRow("old, limit set") << true << true << true << 200 << QVariant(30 * day) << false << true;
    QTest::newRow("clock set back") << true << true << true << 0 << QVariant(-day) << false << false;
    QTest::newRow("clock set back, limit set") << true << true << true << 200 << QVariant(-day) << false << true;
    QTest::newRow("not monitored") << true << true << false << 200 << QVariant(3600) << false << false;
    QTest::newRow("not stored") << true << false << true << 200 << QVariant(3600) << false << false;
    QTest::newRow("not signed in") << false << true << true << 200 << QVariant(3600) << false << false;
    QTest::newRow("all deleted") << true << true << true << 200 << QVariant(3600) << true << false;
}

void PostReviewTest::recentOptions()
{
    QFETCH(bool, signedIn);
    QFETCH(bool, stored);
    QFETCH(bool, watched);
    QFETCH(int, limit);
    QFETCH(QVariant, fullAgo);
    QFETCH(bool, deleted);
    QFETCH(bool, options);

    const QDateTime now = wholeSecondNow();
    ModelHarness h({{"vt.limit", limit}}, signedIn);
    Comment spam = ModelHarness::comment("s1", "spam text", "spam");
    spam.publishedAt = double(now.addDays(-1).toMSecsSinceEpoch());
    Comment plain = ModelHarness::comment("p1", "plain text");
    plain.publishedAt = double(now.addDays(-2).toMSecsSinceEpoch());
    if (stored) {
        ScanStore::Post post;
        post.site = "youtube";
        post.url = kPost;
        post.scannedAt = now.addDays(-1);
        post.watched = watched;
        if (fullAgo.isValid())
            post.fullAt = now.addSecs(-fullAgo.toLongLong());
        QVERIFY(h.store().record(post));
        QVERIFY(h.store().remember("youtube", kPost, {spam, plain}, std::nullopt, now.addDays(-1)));
        if (deleted)
            QVERIFY(h.store().markDeleted("youtube", {"s1", "p1"}, now));
    }
    SpamModel &m = h.model();
    QVERIFY(!m.recentOptions(std::nullopt, now));
    const std::optional<Recent> got = m.recentOptions(ScanStore::canonical(kPost), now);
    QCOMPARE(got.has_value(), options);
    if (options) {
        QCOMPARE(got->known, (QStringList{"s1", "p1"}));   // newest published first
        // The post's pending spam as the store counts it (seen since the last complete collection).
        QCOMPARE(got->need, h.store().pendingIDs(kPost));
        if (fullAgo.toLongLong() >= 0)
            QCOMPARE(got->need, QStringList{"s1"});
        QCOMPARE(got->stopAtKnown, 12);
    }
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    qputenv("VT_LANG", "en");
    QCoreApplication app(argc, argv);
    PostReviewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_postreview.moc"
