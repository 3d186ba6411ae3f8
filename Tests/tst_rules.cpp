// Rule key, the skip of cleared comments and the placement of AI probabilities.
#include "Store/ScanStore.h"
#include "Scan/SpamModel.h"
#include "LanguageScope.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QTest>

using Known = ScanStore::Known;
Q_DECLARE_METATYPE(std::optional<QString>)
Q_DECLARE_METATYPE(Known)
Q_DECLARE_METATYPE(Comment)

namespace {

const QString rules = QStringLiteral("rules-key");
const QString options = QStringLiteral("abuse,sexual");

Comment comment(const QString &state, const QString &text = QStringLiteral("hello there"))
{
    Comment c;
    c.id = QStringLiteral("c1");
    c.text = text;
    c.state = state;
    c.reason = QStringLiteral("page reason");
    c.score = 0.25;
    c.checked = true;
    c.aiKind = QStringLiteral("spam");
    c.aiProb = 0.4;
    return c;
}

Known known(const std::optional<QString> &state, const std::optional<QString> &reason = {}, bool kept = false,
            const QString &text = QStringLiteral("hello there"))
{
    Known k;
    k.hash = ScanStore::hash(text);
    k.state = state;
    k.reason = reason;
    k.rules = rules;
    k.options = options;
    k.score = AIScore{0.1, 0.0, 0.0};
    k.kept = kept;
    return k;
}

}   // namespace

class RulesTest : public QObject {
    Q_OBJECT
private slots:
    void rulesKey();
    void skipCleared_data();
    void skipCleared();
    void skipClearedLeavesOthersAndCounts();
    void place_data();
    void place();
    void placeUsesTheRunLanguage();
};

void RulesTest::rulesKey()
{
    QCOMPARE(SpamRules::rulesKey({}, false, 7), ScanStore::hash(QStringLiteral("\n|likes=0")));
    QCOMPARE(SpamRules::rulesKey({}, true, 0), ScanStore::hash(QStringLiteral("\n|likes=1")));
    QCOMPARE(SpamRules::rulesKey({}, true, 5), ScanStore::hash(QStringLiteral("\n|likes=5")));
    // The setting is a 64-bit integer: a large value is written whole, not cut to 32 bits.
    QCOMPARE(SpamRules::rulesKey({}, true, 5000000000LL), ScanStore::hash(QStringLiteral("\n|likes=5000000000")));
    QCOMPARE(SpamRules::rulesKey({"B", "a"}, false, 1), SpamRules::rulesKey({"a", "b"}, false, 1));
    QCOMPARE(SpamRules::rulesKey({"B", "a"}, false, 1), ScanStore::hash(QStringLiteral("a\nb\n|likes=0")));
    QVERIFY(SpamRules::rulesKey({"a", "a"}, false, 1) != SpamRules::rulesKey({"a"}, false, 1));
    // Not compacted: spacing in a keyword changes the key.
    QVERIFY(SpamRules::rulesKey({"s pam"}, false, 1) != SpamRules::rulesKey({"spam"}, false, 1));
    QVERIFY(SpamRules::rulesKey({"spam"}, true, 3) != SpamRules::rulesKey({"spam"}, false, 3));
}

void RulesTest::skipCleared_data()
{
    QTest::addColumn<Comment>("before");
    QTest::addColumn<Known>("stored");
    QTest::addColumn<std::optional<QString>>("aiOptions");
    QTest::addColumn<QString>("expectedReason");   // empty: left alone
    const std::optional<QString> noAI;
    const std::optional<QString> ai = options;

    QTest::newRow("cleared before, unchanged") << comment("ok") << known("ok") << noAI << "unchanged";
    QTest::newRow("text changed since") << comment("ok", "hello there!") << known("ok") << noAI << "";
    QTest::newRow("kept and edited is left alone") << comment("spam", "edited") << known("ok", {}, true) << noAI << "";
    QTest::newRow("kept, whatever the current state") << comment("spam") << known("spam", {}, true) << noAI << "kept";
    QTest::newRow("kept, rules differ") << comment("ok") << [] {
        Known k = known("ok", {}, true);
        k.rules = "other";
        return k;
    }() << ai << "kept";
    QTest::newRow("already skipped") << comment("skip") << known("ok", {}, true) << noAI << "";
    QTest::newRow("now flagged") << comment("spam") << known("ok") << noAI << "";
    QTest::newRow("stored as spam") << comment("ok") << known("spam") << noAI << "";
    QTest::newRow("stored skip unchanged")
        << comment("ok") << known("skip", QStringLiteral("unchanged")) << noAI << "unchanged";
    QTest::newRow("stored skip kept") << comment("ok") << known("skip", QStringLiteral("kept")) << noAI << "unchanged";
    QTest::newRow("stored skip other reason") << comment("ok") << known("skip", QStringLiteral("owner")) << noAI << "";
    QTest::newRow("no stored state") << comment("ok") << known(std::nullopt) << noAI << "";
    QTest::newRow("rules differ") << comment("ok") << [] {
        Known k = known("ok");
        k.rules = "other";
        return k;
    }() << noAI << "";
    QTest::newRow("no stored rules") << comment("ok") << [] {
        Known k = known("ok");
        k.rules.reset();
        return k;
    }() << noAI << "";
    QTest::newRow("AI: same options and a score") << comment("ok") << known("ok") << ai << "unchanged";
    QTest::newRow("AI: no stored score") << comment("ok") << [] {
        Known k = known("ok");
        k.score.reset();
        return k;
    }() << ai << "";
    QTest::newRow("AI: other options") << comment("ok") << [] {
        Known k = known("ok");
        k.options = "abuse";
        return k;
    }() << ai << "";
    QTest::newRow("AI: no stored options") << comment("ok") << [] {
        Known k = known("ok");
        k.options.reset();
        return k;
    }() << ai << "";
    QTest::newRow("without AI the AI facts are not read") << comment("ok") << [] {
        Known k = known("ok");
        k.score.reset();
        k.options.reset();
        return k;
    }() << noAI << "unchanged";
}

void RulesTest::skipCleared()
{
    QFETCH(Comment, before);
    QFETCH(Known, stored);
    QFETCH(std::optional<QString>, aiOptions);
    QFETCH(QString, expectedReason);

    QList<Comment> list{before};
    const int marked = PostReview::skipCleared(list, {{before.id, stored}}, rules, aiOptions);
    if (expectedReason.isEmpty()) {
        QCOMPARE(marked, 0);
        QCOMPARE(list.first(), before);
        return;
    }
    QCOMPARE(marked, 1);
    Comment expected = before;
    expected.state = "skip";
    expected.reason = expectedReason;
    expected.score = 1.0;
    expected.checked = false;
    expected.aiKind.reset();
    expected.aiProb.reset();
    QCOMPARE(list.first(), expected);
}

void RulesTest::skipClearedLeavesOthersAndCounts()
{
    QList<Comment> list;
    for (int i = 0; i < 4; ++i) {
        Comment c = comment("ok", QStringLiteral("text %1").arg(i));
        c.id = QStringLiteral("id%1").arg(i);
        list.append(c);
    }
    QHash<QString, Known> stored;
    stored.insert("id0", known("ok", {}, false, "text 0"));
    stored.insert("id2", known("ok", {}, true, "text 2"));
    stored.insert("id3", known("ok", {}, false, "changed"));
    const QList<Comment> before = list;
    QCOMPARE(PostReview::skipCleared(list, stored, rules, std::nullopt), 2);
    QCOMPARE(list[0].reason, QStringLiteral("unchanged"));
    QCOMPARE(list[1], before[1]);
    QCOMPARE(list[2].reason, QStringLiteral("kept"));
    QCOMPARE(list[3], before[3]);

    QList<Comment> untouched = before;
    QCOMPARE(PostReview::skipCleared(untouched, {}, rules, std::nullopt), 0);
    QCOMPARE(untouched, before);
}

void RulesTest::place_data()
{
    QTest::addColumn<double>("prob");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<bool>("korean");
    QTest::addColumn<bool>("flagged");
    QTest::addColumn<QString>("reason");
    QTest::newRow("flagged") << 0.95 << "spam" << 90 << false << true << "AI: Spam 95%";
    QTest::newRow("89.4 rounds down, not flagged")
        << 0.894 << "spam" << 90 << false << false << "AI: OK · 89% likely a problem (Spam)";
    QTest::newRow("89.5 rounds up, flagged") << 0.895 << "spam" << 90 << false << true << "AI: Spam 90%";
    QTest::newRow("0.57 is 57, not 56") << 0.57 << "abuse" << 57 << false << true << "AI: Abuse 57%";
    QTest::newRow("low, no label") << 0.05 << "abuse" << 50 << false << false << "AI: OK · 5% likely a problem";
    QTest::newRow("0.1 carries the label")
        << 0.1 << "abuse" << 50 << false << false << "AI: OK · 10% likely a problem (Abuse)";
    QTest::newRow("threshold 0 always flags") << 0.0 << "sexual" << 0 << false << true << "AI: Sexual content 0%";
    QTest::newRow("unknown kind by name") << 0.99 << "scam" << 80 << false << true << "AI: scam 99%";
    QTest::newRow("unknown kind that looks like a placeholder") << 0.99 << "%2" << 80 << false << true << "AI: %2 99%";
    QTest::newRow("unknown kind, not flagged")
        << 0.5 << "scam" << 80 << false << false << "AI: OK · 50% likely a problem (scam)";
    QTest::newRow("Korean flagged") << 0.8 << "abuse" << 80 << true << true << QString::fromUtf8("AI 욕설·비방 80%");
    QTest::newRow("Korean not flagged") << 0.42 << "sexual" << 80 << true << false
                                        << QString::fromUtf8("AI 정상 · 문제 확률 42% (성적 표현)");
    QTest::newRow("Korean low") << 0.004 << "spam" << 80 << true << false
                                << QString::fromUtf8("AI 정상 · 문제 확률 0%");
    QTest::newRow("not a number places as 0")
        << qQNaN() << "spam" << 50 << false << false << "AI: OK · 0% likely a problem";
}

void RulesTest::place()
{
    QFETCH(double, prob);
    QFETCH(QString, kind);
    QFETCH(int, threshold);
    QFETCH(bool, korean);
    QFETCH(bool, flagged);
    QFETCH(QString, reason);
    const AIRules::Placement p = inLanguage(korean, [&] { return SpamRules::place(prob, kind, threshold); });
    QCOMPARE(p.flagged, flagged);
    QCOMPARE(p.checked, flagged);
    QCOMPARE(p.reason, reason);
}

void RulesTest::placeUsesTheRunLanguage()
{
    // VT_LANG is set in main() before anything reads the language.
    QCOMPARE(SpamRules::place(0.95, "spam", 90).reason, QString::fromUtf8("AI 스팸 95%"));
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    qputenv("VT_LANG", "ko");
    QCoreApplication app(argc, argv);
    RulesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_rules.moc"
