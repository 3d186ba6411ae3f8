// The spam model's settings: what is read at start with which checks, what is written back, what a
// change sets off, the derived values, the keyword edits and the automatic-scan interval.
#include "JobFlagSpy.h"
#include "ModelHarness.h"
#include "StoreTestData.h"
#include "TestMain.h"

#include <QJsonArray>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString kPost = QStringLiteral("https://www.youtube.com/watch?v=abcdefghijk");

QJsonValue json(const QVariant &v)
{
    return QJsonValue::fromVariant(v);
}

// How many of the spied changed(key) signals name `key`.
int changes(const QSignalSpy &spy, OwnerSettings::Key key)
{
    int n = 0;
    for (const QList<QVariant> &args : spy)
        n += args.at(0).value<OwnerSettings::Key>() == key;
    return n;
}

}   // namespace

class SettingEffectsTest : public QObject {
    Q_OBJECT
private slots:
    void emptyDefaultsWriteFourKeys();
    void readAtStart_data();
    void readAtStart();
    void consentAtStart_data();
    void consentAtStart();
    void notificationsAtStart_data();
    void notificationsAtStart();
    void thresholdIsReadOnly();
    void changesWriteBackThenAct();
    void keepDaysPurgesTheStore();
    void expiryLeavesTheWindowFree();
    void aiOptions_data();
    void aiOptions();
    void keywordEditsStoreAndRejudge();
    void wordsDoNotChangeWhileWorking();
    void working();
    void jobViews_data();
    void jobViews();
    void propertiesAreObservable();
    void autoScanTimeDue_data();
    void autoScanTimeDue();
};

void SettingEffectsTest::emptyDefaultsWriteFourKeys()
{
    ModelHarness h;
    SpamModel &m = h.model();
    const QJsonObject stored = h.stored();
    const QStringList keys = stored.keys();
    QCOMPARE(QSet<QString>(keys.cbegin(), keys.cend()),
             (QSet<QString>{"vt.keywords", "vt.limit", "vt.noLikesOnly", "vt.autoScanHours"}));
    QCOMPARE(stored.value("vt.keywords"), QJsonValue(QJsonArray()));
    QCOMPARE(stored.value("vt.limit"), QJsonValue(0));
    QCOMPARE(stored.value("vt.noLikesOnly"), QJsonValue(false));
    QCOMPARE(stored.value("vt.autoScanHours"), QJsonValue(0));
    QVERIFY(!m.ownerSettings().aiConsent().has_value());
    QVERIFY(m.ownerSettings().aiOn() && m.ownerSettings().aiAbuse() && m.ownerSettings().aiSexual()
            && m.ownerSettings().aiKeepPraise() && m.ownerSettings().builtinWords());
    QVERIFY(m.ownerSettings().scanOnOpen() && m.ownerSettings().storeText() && m.ownerSettings().flagKnownSpammers()
            && m.ownerSettings().skipUnchanged());
    QCOMPARE(m.ownerSettings().threshold(), 80);
    QCOMPARE(m.ownerSettings().limit(), 0);
    QCOMPARE(m.ownerSettings().sort(), SortKey(SortKey::page));
    QCOMPARE(m.ownerSettings().minLikes(), 1);
    QCOMPARE(m.ownerSettings().postLimit(), 5);
    QCOMPARE(m.ownerSettings().keepDays(), 180);
    QCOMPARE(m.ownerSettings().autoScanHours(), 0);
    QCOMPARE(m.autoScans().notificationRequests(), 0);
    QCOMPARE(h.store().keepDays, 180);
    QVERIFY(h.store().storeText);
    QVERIFY(m.openPage().selectingPosts());
    QCOMPARE(m.openPage().scanActivity(), ScanActivity::fresh(true));
}

void SettingEffectsTest::readAtStart_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("preset");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<QVariant>("storedAfter");   // the file's value after start

    const QVariantList mixed{QStringLiteral("spam"), 3};
    // key, stored before, property, value taken, file after
    QTest::newRow("postLimit 7 ignored") << "vt.postLimit" << QVariant(7) << "postLimit" << QVariant(5) << QVariant(7);
    QTest::newRow("postLimit 10 taken") << "vt.postLimit" << QVariant(10) << "postLimit" << QVariant(10)
                                        << QVariant(10);
    QTest::newRow("limit -5 becomes 0") << "vt.limit" << QVariant(-5) << "limit" << QVariant(0) << QVariant(0);
    QTest::newRow("limit 200 taken") << "vt.limit" << QVariant(200) << "limit" << QVariant(200) << QVariant(200);
    QTest::newRow("limit text ignored") << "vt.limit" << QVariant("300") << "limit" << QVariant(0) << QVariant("300");
    QTest::newRow("limit 2.5 ignored") << "vt.limit" << QVariant(2.5) << "limit" << QVariant(0) << QVariant(2.5);
    QTest::newRow("threshold 9 ignored") << "vt.threshold" << QVariant(9) << "threshold" << QVariant(80) << QVariant(9);
    QTest::newRow("threshold 101 ignored")
        << "vt.threshold" << QVariant(101) << "threshold" << QVariant(80) << QVariant(101);
    QTest::newRow("threshold 10 taken") << "vt.threshold" << QVariant(10) << "threshold" << QVariant(10)
                                        << QVariant(10);
    QTest::newRow("threshold 100 taken") << "vt.threshold" << QVariant(100) << "threshold" << QVariant(100)
                                         << QVariant(100);
    QTest::newRow("threshold as text ignored")
        << "vt.threshold" << QVariant("70") << "threshold" << QVariant(80) << QVariant("70");
    QTest::newRow("sort likes taken") << "vt.sort" << QVariant("likes") << "sort" << QVariant("likes")
                                      << QVariant("likes");
    QTest::newRow("sort Newest ignored") << "vt.sort" << QVariant("Newest") << "sort" << QVariant("page")
                                         << QVariant("Newest");
    QTest::newRow("sort as number ignored") << "vt.sort" << QVariant(1) << "sort" << QVariant("page") << QVariant(1);
    QTest::newRow("keywords taken") << "vt.keywords" << QVariant(QStringList{"b", "a"}) << "keywords"
                                    << QVariant(QStringList{"b", "a"}) << QVariant(QStringList{"b", "a"});
    QTest::newRow("keywords with a number ignored")
        << "vt.keywords" << QVariant(mixed) << "keywords" << QVariant(QStringList()) << QVariant(mixed);
    QTest::newRow("keywords as text ignored")
        << "vt.keywords" << QVariant("spam") << "keywords" << QVariant(QStringList()) << QVariant("spam");
    QTest::newRow("keepDays 100 ignored")
        << "vt.keepDays" << QVariant(100) << "keepDays" << QVariant(180) << QVariant(100);
    QTest::newRow("keepDays 90 taken") << "vt.keepDays" << QVariant(90) << "keepDays" << QVariant(90) << QVariant(90);
    QTest::newRow("autoScanHours 12 ignored")
        << "vt.autoScanHours" << QVariant(12) << "autoScanHours" << QVariant(0) << QVariant(12);
    QTest::newRow("autoScanHours 24 taken")
        << "vt.autoScanHours" << QVariant(24) << "autoScanHours" << QVariant(24) << QVariant(24);
    QTest::newRow("minLikes 0 ignored") << "vt.minLikes" << QVariant(0) << "minLikes" << QVariant(1) << QVariant(0);
    QTest::newRow("minLikes 3 taken") << "vt.minLikes" << QVariant(3) << "minLikes" << QVariant(3) << QVariant(3);
    QTest::newRow("noLikesOnly true taken")
        << "vt.noLikesOnly" << QVariant(true) << "noLikesOnly" << QVariant(true) << QVariant(true);
    QTest::newRow("noLikesOnly 1 ignored")
        << "vt.noLikesOnly" << QVariant(1) << "noLikesOnly" << QVariant(false) << QVariant(1);
    QTest::newRow("builtinWords false taken")
        << "vt.builtinWords" << QVariant(false) << "builtinWords" << QVariant(false) << QVariant(false);
    QTest::newRow("builtinWords text ignored")
        << "vt.builtinWords" << QVariant("no") << "builtinWords" << QVariant(true) << QVariant("no");
    QTest::newRow("scanOnOpen false taken")
        << "vt.scanOnOpen" << QVariant(false) << "scanOnOpen" << QVariant(false) << QVariant(false);
    QTest::newRow("storeText false taken")
        << "vt.storeText" << QVariant(false) << "storeText" << QVariant(false) << QVariant(false);
    QTest::newRow("aiSexual 0 ignored") << "vt.aiSexual" << QVariant(0) << "aiSexual" << QVariant(true) << QVariant(0);
    QTest::newRow("skipUnchanged false taken")
        << "vt.skipUnchanged" << QVariant(false) << "skipUnchanged" << QVariant(false) << QVariant(false);
}

void SettingEffectsTest::readAtStart()
{
    QFETCH(QString, key);
    QFETCH(QVariant, preset);
    QFETCH(QString, property);
    QFETCH(QVariant, expected);
    QFETCH(QVariant, storedAfter);
    ModelHarness h({{key, preset}});
    SpamModel &m = h.model();
    bool named = false;
    const auto setting = OwnerSettings::Key(
        QMetaEnum::fromType<OwnerSettings::Key>().keyToValue(property.toLatin1(), &named));
    QVERIFY(named);
    QCOMPARE(OwnerSettings::row(setting).name, key);
    QCOMPARE(json(m.ownerSettings().get(setting)), json(expected));
    QCOMPARE(h.stored().value(key), json(storedAfter));
    if (key == QLatin1String("vt.storeText"))
        QCOMPARE(h.store().storeText, expected.toBool());
    if (key == QLatin1String("vt.keepDays"))
        QCOMPARE(h.store().keepDays, expected.toInt());
}

void SettingEffectsTest::consentAtStart_data()
{
    QTest::addColumn<QVariant>("aiOn");      // invalid: not stored
    QTest::addColumn<QVariant>("consent");   // invalid: not stored
    QTest::addColumn<bool>("aiOnAfter");
    QTest::addColumn<QVariant>("consentAfter");    // invalid: absent
    QTest::addColumn<QVariant>("storedConsent");   // invalid: absent from the file

    const QVariant none;
    QTest::newRow("neither stored") << none << none << true << none << none;
    QTest::newRow("aiOn true") << QVariant(true) << none << true << QVariant(true) << QVariant(true);
    QTest::newRow("aiOn false") << QVariant(false) << none << false << none << none;
    QTest::newRow("consent false alone") << none << QVariant(false) << true << QVariant(false) << QVariant(false);
    QTest::newRow("aiOn true overrides consent false")
        << QVariant(true) << QVariant(false) << true << QVariant(true) << QVariant(true);
    QTest::newRow("aiOn false keeps consent true")
        << QVariant(false) << QVariant(true) << false << QVariant(true) << QVariant(true);
    QTest::newRow("consent of another type") << none << QVariant("yes") << true << none << QVariant("yes");
}

void SettingEffectsTest::consentAtStart()
{
    QFETCH(QVariant, aiOn);
    QFETCH(QVariant, consent);
    QFETCH(bool, aiOnAfter);
    QFETCH(QVariant, consentAfter);
    QFETCH(QVariant, storedConsent);
    QVariantMap preset;
    if (aiOn.isValid())
        preset.insert("vt.aiOn", aiOn);
    if (consent.isValid())
        preset.insert("vt.aiConsent", consent);
    ModelHarness h(preset);
    SpamModel &m = h.model();
    QCOMPARE(m.ownerSettings().aiOn(), aiOnAfter);
    QCOMPARE(m.ownerSettings().aiConsent().has_value(), consentAfter.isValid());
    if (consentAfter.isValid())
        QCOMPARE(*m.ownerSettings().aiConsent(), consentAfter.toBool());
    QCOMPARE(h.stored().contains("vt.aiConsent"), storedConsent.isValid());
    if (storedConsent.isValid())
        QCOMPARE(h.stored().value("vt.aiConsent"), json(storedConsent));
}

void SettingEffectsTest::notificationsAtStart_data()
{
    QTest::addColumn<QVariant>("hours");
    QTest::addColumn<int>("requests");
    QTest::newRow("absent") << QVariant() << 0;
    QTest::newRow("0") << QVariant(0) << 0;
    QTest::newRow("6") << QVariant(6) << 1;
    QTest::newRow("2 is ignored") << QVariant(2) << 0;
}

void SettingEffectsTest::notificationsAtStart()
{
    QFETCH(QVariant, hours);
    QFETCH(int, requests);
    ModelHarness h(hours.isValid() ? QVariantMap{{"vt.autoScanHours", hours}} : QVariantMap{});
    QCOMPARE(h.model().autoScans().notificationRequests(), requests);
}

void SettingEffectsTest::thresholdIsReadOnly()
{
    ModelHarness h({{"vt.threshold", 65}});
    SpamModel &m = h.model();
    QVERIFY(!m.ownerSettings().set(OwnerSettings::Key::threshold, 50));
    QCOMPARE(m.ownerSettings().threshold(), 65);
    QCOMPARE(m.ownerSettings().thresholds(), (QMap<QString, int>{{"spam", 65}, {"abuse", 65}, {"sexual", 65}}));
    m.ownerSettings().set(OwnerSettings::Key::aiOn, false);
    m.ownerSettings().set(OwnerSettings::Key::keepDays, 30);
    QCOMPARE(h.stored().value("vt.threshold"), QJsonValue(65));   // never rewritten
}

void SettingEffectsTest::changesWriteBackThenAct()
{
    ModelHarness h({{"vt.aiOn", false}});
    SpamModel &m = h.model();
    QVERIFY(!m.ownerSettings().aiConsent());

    // Turning the check on is consent; turning it off again withdraws none.
    QSignalSpy changed(&m.ownerSettings(), &OwnerSettings::changed);
    m.ownerSettings().set(OwnerSettings::Key::aiOn, true);
    QCOMPARE(changes(changed, OwnerSettings::Key::aiOn), 1);
    QCOMPARE(m.ownerSettings().aiConsent(), std::optional<bool>(true));
    QCOMPARE(h.stored().value("vt.aiConsent"), QJsonValue(true));
    m.ownerSettings().set(OwnerSettings::Key::aiOn, false);
    QCOMPARE(h.stored().value("vt.aiOn"), QJsonValue(false));
    QCOMPARE(m.ownerSettings().aiConsent(), std::optional<bool>(true));

    m.ownerSettings().set(OwnerSettings::Key::storeText, false);
    QVERIFY(!h.store().storeText);
    QCOMPARE(h.stored().value("vt.storeText"), QJsonValue(false));

    // A new sort is stored as its raw value and orders the open page at once, in one change.
    m.review().setComments({ModelHarness::comment("a", "x", "ok", 0), ModelHarness::comment("b", "y", "ok", 1)});
    QList<Comment> list = m.review().comments();
    list[0].likeCount = 5;
    list[1].likeCount = 0;
    m.review().setComments(list);
    QSignalSpy comments(&m.review(), &PostReview::commentsChanged);
    QVERIFY(m.ownerSettings().set(OwnerSettings::Key::sort, QStringLiteral("likes")));
    QCOMPARE(h.stored().value("vt.sort"), QJsonValue("likes"));
    QCOMPARE(comments.count(), 1);
    QCOMPARE(m.review().comments().at(0).id, QStringLiteral("b"));
    QVERIFY(!m.ownerSettings().set(OwnerSettings::Key::sort, QStringLiteral("Likes")));   // not a key: nothing happens
    QCOMPARE(m.ownerSettings().sort(), SortKey(SortKey::likes));
    m.ownerSettings().set(OwnerSettings::Key::sort, SortKey(SortKey::page).rawValue());
    QCOMPARE(m.review().comments().at(0).id, QStringLiteral("a"));

    // Notification permission only when the interval leaves 0.
    m.ownerSettings().set(OwnerSettings::Key::autoScanHours, 6);
    m.ownerSettings().set(OwnerSettings::Key::autoScanHours, 24);
    QCOMPARE(m.autoScans().notificationRequests(), 1);
    m.ownerSettings().set(OwnerSettings::Key::autoScanHours, 0);
    m.ownerSettings().set(OwnerSettings::Key::autoScanHours, 1);
    QCOMPARE(m.autoScans().notificationRequests(), 2);
    QCOMPARE(h.stored().value("vt.autoScanHours"), QJsonValue(1));
}

void SettingEffectsTest::keepDaysPurgesTheStore()
{
    ModelHarness h;
    const QDateTime old = QDateTime::currentDateTime().addDays(-60);
    QVERIFY(h.store().remember("youtube", kPost, {ModelHarness::comment("old", "hello")}, std::nullopt, old));
    SpamModel &m = h.model();
    QCOMPARE(h.store().recentIDs(kPost, 10), QStringList{"old"});
    m.ownerSettings().set(OwnerSettings::Key::keepDays, 30);
    QCOMPARE(h.store().keepDays, 30);
    QCOMPARE(h.stored().value("vt.keepDays"), QJsonValue(30));
    QTRY_VERIFY_WITH_TIMEOUT(h.store().recentIDs(kPost, 10).isEmpty(), 60000);   // on the history's own thread
}

void SettingEffectsTest::expiryLeavesTheWindowFree()
{
    ModelHarness h;
    const QString recent = QStringLiteral("https://www.youtube.com/watch?v=recentpost1");
    const QDateTime now = QDateTime::currentDateTime();
    QVERIFY(h.store().remember("youtube", kPost, vt::test::makePage("old", 3000), std::nullopt, now.addDays(-60)));
    QVERIFY(h.store().remember("youtube", recent, vt::test::makePage("new", 5), std::nullopt, now));
    SpamModel &m = h.model();
    // Another program is writing to the history as the expiry begins: the window does not wait
    // for it, and none of its own writes is refused for it.
    vt::test::RawDb other(h.store().path());
    QVERIFY(other.exec("BEGIN IMMEDIATE"));
    m.ownerSettings().set(OwnerSettings::Key::keepDays, 30);
    QVERIFY2(h.store().lastError().isEmpty(), qPrintable(h.store().lastError()));
    QVERIFY(other.exec("COMMIT"));
    // The owner's deletions are recorded while the expiry goes on.
    QVERIFY2(h.store().markDeleted(ScanStore::PostKey{"youtube", recent}, {"new1"}, now),
             qPrintable(h.store().lastError()));
    QTRY_COMPARE_WITH_TIMEOUT(h.store().stats().comments, 5, 60000);
    QCOMPARE(h.store().stats().deleted, 1);
    QTRY_COMPARE_WITH_TIMEOUT(m.history().stats().comments, 5, 60000);
}

void SettingEffectsTest::aiOptions_data()
{
    QTest::addColumn<bool>("abuse");
    QTest::addColumn<bool>("sexual");
    QTest::addColumn<bool>("keepPraise");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("key");
    QTest::newRow("defaults") << true << true << true << QStringList{"abuse", "sexual"}
                              << "spam,abuse,sexual,keepPraise";
    QTest::newRow("abuse off, keep-praise on") << false << true << true << QStringList{"sexual"} << "spam,sexual";
    QTest::newRow("abuse off, keep-praise off") << false << true << false << QStringList{"sexual"} << "spam,sexual";
    QTest::newRow("sexual off") << true << false << true << QStringList{"abuse"} << "spam,abuse,keepPraise";
    QTest::newRow("keep-praise off") << true << true << false << QStringList{"abuse", "sexual"} << "spam,abuse,sexual";
    QTest::newRow("both off") << false << false << true << QStringList() << "spam";
}

void SettingEffectsTest::aiOptions()
{
    QFETCH(bool, abuse);
    QFETCH(bool, sexual);
    QFETCH(bool, keepPraise);
    QFETCH(QStringList, options);
    QFETCH(QString, key);
    ModelHarness h;
    SpamModel &m = h.model();
    m.ownerSettings().set(OwnerSettings::Key::aiAbuse, abuse);
    m.ownerSettings().set(OwnerSettings::Key::aiSexual, sexual);
    m.ownerSettings().set(OwnerSettings::Key::aiKeepPraise, keepPraise);
    QCOMPARE(m.ownerSettings().aiOptions(), options);
    QCOMPARE(m.ownerSettings().aiOptionsKey(), key);
    QCOMPARE(h.stored().value("vt.aiAbuse"), QJsonValue(abuse));
}

void SettingEffectsTest::keywordEditsStoreAndRejudge()
{
    ModelHarness h;
    SpamModel &m = h.model();
    const QList<Comment> page{ModelHarness::comment("c1", "buy eggs today", "ok", 0),
                              ModelHarness::comment("c2", "nice video", "ok", 1)};
    QVERIFY(h.store().remember("youtube", kPost, page, std::nullopt, QDateTime::currentDateTime()));
    ScanStore::Post post;
    post.site = "youtube";
    post.url = kPost;
    post.scannedAt = QDateTime::currentDateTime();
    QVERIFY(h.store().record(post));
    m.review().setComments(page);
    m.openPage().setHasScanned(true);
    m.openPage().setScannedPage(ScanStore::PostKey{"youtube", kPost});

    m.addKeywords(QStringLiteral(" spam , eggs\nx ,\r\nham\tand"));
    QCOMPARE(m.ownerSettings().keywords(), (QStringList{"eggs", "ham\tand", "spam"}));
    QCOMPARE(h.stored().value("vt.keywords"), QJsonValue(QJsonArray{"eggs", "ham\tand", "spam"}));
    QCOMPARE(m.review().comments().at(0).state, QStringLiteral("spam"));
    QCOMPARE(m.review().comments().at(0).reason, QStringLiteral("custom:eggs"));
    // The new verdict reached the history and the totals.
    QCOMPARE(h.store().pendingIDs(kPost), QStringList{"c1"});
    QCOMPARE(m.history().stats().flagged, 1);

    // Adding what is there already still stores and stays sorted without duplicates.
    m.addKeywords(QStringLiteral("eggs, Spam"));
    QCOMPARE(m.ownerSettings().keywords(), (QStringList{"Spam", "eggs", "ham\tand", "spam"}));

    // Removing a word that is not in the list still stores the list and re-judges.
    h.settings().setValue("vt.keywords", QStringList{"tampered"});
    m.removeKeyword(QStringLiteral("absent"));
    QCOMPARE(h.stored().value("vt.keywords"), QJsonValue(QJsonArray{"Spam", "eggs", "ham\tand", "spam"}));
    m.removeKeyword(QStringLiteral("eggs"));
    QCOMPARE(m.review().comments().at(0).state, QStringLiteral("ok"));
    QVERIFY(h.store().pendingIDs(kPost).isEmpty());
    QCOMPARE(m.history().stats().flagged, 0);
}

void SettingEffectsTest::wordsDoNotChangeWhileWorking()
{
    ModelHarness h;
    SpamModel &m = h.model();
    m.review().setComments({ModelHarness::comment("c1", "buy eggs today")});
    m.openPage().setHasScanned(true);
    m.jobs().set(JobState::Job::scan, true);
    m.ownerSettings().set(OwnerSettings::Key::keywords, QStringList{"eggs"});
    QCOMPARE(m.review().comments().at(0).state, QStringLiteral("ok"));
    m.jobs().set(JobState::Job::scan, false);
    m.openPage().setHasScanned(false);
    m.ownerSettings().set(OwnerSettings::Key::keywords, QStringList{"eggs"});
    QCOMPARE(m.review().comments().at(0).state, QStringLiteral("ok"));
}

void SettingEffectsTest::working()
{
    ModelHarness h;
    SpamModel &m = h.model();
    JobFlagSpy spy(m.jobs(), &JobState::working);
    QVERIFY(!m.jobs().working());
    m.jobs().set(JobState::Job::discovery, true);
    QVERIFY(m.jobs().working());
    m.jobs().set(JobState::Job::removal, true);   // already working: no second change
    QCOMPARE(spy.count(), 1);
    m.jobs().set(JobState::Job::discovery, false);
    QVERIFY(m.jobs().working());
    m.jobs().set(JobState::Job::removal, false);
    QVERIFY(!m.jobs().working());
    QCOMPARE(spy.count(), 2);
    m.jobs().set(JobState::Job::queue, true);
    m.jobs().set(JobState::Job::scan, true);
    QVERIFY(m.jobs().working());
    QVERIFY(m.review().spam().isEmpty());
}

void SettingEffectsTest::jobViews_data()
{
    // Steps: "<flag>+" or "<flag>-". Expected: the flags left on, then how often each announced a
    // change (scanning, busy, touring, findingPosts, working, preparing, aiChecking).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("on");
    QTest::addColumn<QList<int>>("changes");
    QTest::newRow("a queue runs a scan") << QStringList{"touring+", "scanning+", "scanning-", "touring-"}
                                         << QStringList{} << QList<int>{2, 0, 2, 0, 2, 0, 0};
    QTest::newRow("a queue ends before its scan") << QStringList{"touring+", "scanning+", "touring-"}
                                                  << QStringList{"scanning"} << QList<int>{1, 0, 2, 0, 1, 0, 0};
    QTest::newRow("a queue over a running scan") << QStringList{"scanning+", "touring+", "scanning-"}
                                                 << QStringList{"touring"} << QList<int>{2, 0, 1, 0, 1, 0, 0};
    QTest::newRow("a discovery over a deletion") << QStringList{"busy+", "findingPosts+", "busy-", "findingPosts-"}
                                                 << QStringList{} << QList<int>{0, 2, 0, 2, 2, 0, 0};
    QTest::newRow("started twice, ended twice") << QStringList{"scanning+", "scanning+", "scanning-", "scanning-"}
                                                << QStringList{} << QList<int>{2, 0, 0, 0, 2, 0, 0};
    QTest::newRow("ending what does not run")
        << QStringList{"busy-", "touring-", "aiChecking-"} << QStringList{} << QList<int>{0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("a scan waits, then asks the AI")
        << QStringList{"preparing+", "preparing-", "scanning+", "aiChecking+", "aiChecking-", "scanning-"}
        << QStringList{} << QList<int>{2, 0, 0, 0, 2, 2, 2};
    QTest::newRow("the AI pass left running") << QStringList{"scanning+", "aiChecking+", "preparing-", "scanning-"}
                                              << QStringList{"aiChecking"} << QList<int>{2, 0, 0, 0, 2, 0, 1};
}

void SettingEffectsTest::jobViews()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, on);
    QFETCH(QList<int>, changes);
    ModelHarness h;
    SpamModel &m = h.model();
    const QStringList names{"scanning", "busy", "touring", "findingPosts", "working", "preparing", "aiChecking"};
    const QList<JobFlagSpy::Flag> flags{&JobState::scanning,     &JobState::busy,    &JobState::touring,
                                        &JobState::findingPosts, &JobState::working, &JobState::preparing,
                                        &JobState::aiChecking};
    QList<std::shared_ptr<JobFlagSpy>> spies;
    for (const JobFlagSpy::Flag flag : flags)
        spies.append(std::make_shared<JobFlagSpy>(m.jobs(), flag));
    for (const QString &step : steps) {
        const bool up = step.endsWith(u'+');
        const QString flag = step.chopped(1);
        if (flag == "scanning")
            m.jobs().set(JobState::Job::scan, up);
        else if (flag == "busy")
            m.jobs().set(JobState::Job::removal, up);
        else if (flag == "touring")
            m.jobs().set(JobState::Job::queue, up);
        else if (flag == "findingPosts")
            m.jobs().set(JobState::Job::discovery, up);
        else if (flag == "preparing")
            up ? m.jobs().setPhase(JobState::Phase::preparing) : m.jobs().leavePhase(JobState::Phase::preparing);
        else if (flag == "aiChecking")
            up ? m.jobs().setPhase(JobState::Phase::ai) : m.jobs().leavePhase(JobState::Phase::ai);
    }
    for (qsizetype i = 0; i < names.size(); ++i) {
        const bool expected = names.at(i) == "working" ? !on.isEmpty() && on != QStringList{"aiChecking"}
                                                       : on.contains(names.at(i));
        QCOMPARE((m.jobs().*flags.at(i))(), expected);
        QCOMPARE(int(spies.at(i)->count()), changes.at(i));
    }
}

void SettingEffectsTest::propertiesAreObservable()
{
    // Views and the agent bind by property name: every property reads and announces its changes
    // (or never changes).
    ModelHarness h;
    SpamModel &m = h.model();
    const QMetaObject *meta = m.metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        QVERIFY2(p.read(&m).isValid(), p.name());
        QVERIFY2(p.hasNotifySignal() || p.isConstant(), p.name());
    }
    SiteInfo info;
    info.site = QStringLiteral("youtube");
    m.openPage().setInfo(info);
    QCOMPARE(m.openPage().info(), std::optional<SiteInfo>(info));
    QSignalSpy removal(&m.removalJob(), &RemovalJob::progressChanged);
    m.removalJob().setProgress(RemovalJob::Progress{1, 4});
    m.removalJob().setProgress(RemovalJob::Progress{1, 4});
    QCOMPARE(removal.count(), 1);
}

void SettingEffectsTest::autoScanTimeDue_data()
{
    QTest::addColumn<int>("hours");
    QTest::addColumn<QVariant>("lastAgo");   // seconds before now; negative: in the future; invalid: never
    QTest::addColumn<bool>("due");
    QTest::newRow("off") << 0 << QVariant() << false;
    QTest::newRow("never scanned") << 6 << QVariant() << true;
    QTest::newRow("interval not over") << 6 << QVariant(6 * 3600 - 1) << false;
    QTest::newRow("interval over") << 6 << QVariant(6 * 3600) << true;
    QTest::newRow("one hour") << 1 << QVariant(3601) << true;
    QTest::newRow("clock set back") << 24 << QVariant(-3600) << true;
    QTest::newRow("off even when late") << 0 << QVariant(90000) << false;
}

void SettingEffectsTest::autoScanTimeDue()
{
    QFETCH(int, hours);
    QFETCH(QVariant, lastAgo);
    QFETCH(bool, due);
    const QDateTime now = QDateTime::currentDateTime();
    QVariantMap preset{{"vt.autoScanHours", hours}};
    if (lastAgo.isValid())
        preset.insert("vt.lastAutoScan", now.addSecs(-lastAgo.toLongLong()));
    ModelHarness h(preset);
    QCOMPARE(h.model().ownerSettings().autoScanTimeDue(now), due);
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    SettingEffectsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingeffects.moc"
