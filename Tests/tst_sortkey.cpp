// Scan activity and the comment sort order.
#include "Scan/ScanActivity.h"
#include "Rules/SortKey.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QTest>

#include <algorithm>
#include <random>

namespace {

// A comment with page order `order`; a negative number leaves the value absent.
Comment make(qint64 order, double published = -1, double likes = -1, double ai = -1)
{
    Comment c;
    c.id = QString::number(order);
    c.order = order;
    if (published >= 0)
        c.publishedAt = published;
    if (likes >= 0)
        c.likeCount = likes;
    if (ai >= 0)
        c.aiProb = ai;
    return c;
}

QStringList ids(const QList<Comment> &comments)
{
    QStringList out;
    for (const Comment &c : comments)
        out << c.id;
    return out;
}

}   // namespace

class SortKeyTest : public QObject {
    Q_OBJECT
private slots:
    void order_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QList<Comment>>("comments");
        QTest::addColumn<QStringList>("expected");

        const QList<Comment> times{make(0), make(1, 100), make(2), make(3, 300), make(4, 200)};
        QTest::newRow("newest, no time last in page order")
            << "newest" << times << QStringList{"3", "4", "1", "0", "2"};
        QTest::newRow("oldest, no time last in page order")
            << "oldest" << times << QStringList{"1", "4", "3", "0", "2"};
        QTest::newRow("ai, equal keep page order, none last")
            << "ai" << QList<Comment>{make(0, -1, -1, 0.4), make(1), make(2, -1, -1, 0.9), make(3, -1, -1, 0.4)}
            << QStringList{"2", "0", "3", "1"};
        QTest::newRow("likes, fewest first, none last")
            << "likes" << QList<Comment>{make(0, -1, 12), make(1), make(2, -1, 0)} << QStringList{"2", "0", "1"};
        QTest::newRow("page") << "page" << QList<Comment>{make(2), make(0), make(1)} << QStringList{"0", "1", "2"};
    }
    void order()
    {
        QFETCH(QString, key);
        QFETCH(QList<Comment>, comments);
        QFETCH(QStringList, expected);
        const SortKey sort = *SortKey::fromRawValue(key);
        // The result does not depend on the order the list is in.
        std::mt19937 random(7);
        for (int round = 0; round < 5; ++round) {
            std::shuffle(comments.begin(), comments.end(), random);
            sort.sortInPlace(comments);
            QCOMPARE(ids(comments), expected);
        }
    }

    void backToPageRestoresPageOrder()
    {
        QList<Comment> comments;
        for (int i = 0; i < 50; ++i)
            comments << make(i, (i * 37) % 11, (i * 13) % 5, ((i * 7) % 10) / 10.0);
        const QList<Comment> original = comments;
        for (const SortKey key : SortKey::allCases())
            key.sortInPlace(comments);
        SortKey(SortKey::page).sortInPlace(comments);
        QCOMPARE(comments, original);
    }

    void notANumberDoesNotBreakSorting()
    {
        QList<Comment> comments;
        for (int i = 0; i < 200; ++i) {
            comments << make(i);
            comments.last().aiProb = i % 3 == 0 ? qQNaN() : i / 200.0;
        }
        SortKey(SortKey::ai).sortInPlace(comments);
        QCOMPARE(comments.size(), 200);
        QVERIFY(std::is_sorted(comments.begin(), comments.end(),
                               [](const Comment &a, const Comment &b) { return SortKey(SortKey::ai).before(a, b); }));
        QVERIFY(std::isnan(*comments.last().aiProb));
    }

    void rawValues()
    {
        QStringList raws;
        for (const SortKey key : SortKey::allCases()) {
            raws << key.rawValue();
            QCOMPARE(SortKey::fromRawValue(key.rawValue()), std::optional<SortKey>(key));
        }
        QCOMPARE(raws, QStringList({"page", "newest", "oldest", "likes", "ai"}));
        QVERIFY(!SortKey::fromRawValue("Newest").has_value());
        QVERIFY(!SortKey::fromRawValue("").has_value());
    }

    void activity()
    {
        QVERIFY(!ScanActivity::stageFromRawValue(5).has_value());
        QVERIFY(!ScanActivity::stageFromRawValue(-1).has_value());
        QCOMPARE(ScanActivity::stageFromRawValue(3), std::optional(ScanActivity::Stage::ai));
        QCOMPARE(ScanActivity::allStages().size(), 5);
        const ScanActivity on = ScanActivity::fresh(true);
        QCOMPARE(on.stage, ScanActivity::Stage::connecting);
        QCOMPARE(on.aiState, ScanActivity::AIState::pending);
        QCOMPARE(ScanActivity::fresh(false).aiState, ScanActivity::AIState::skipped);
        QCOMPARE(on, ScanActivity());
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    SortKeyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sortkey.moc"
