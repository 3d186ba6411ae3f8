// Store keys: canonical post key, text hash, title cleaning.
#include "Store/ScanStore.h"
#include "Store/TextHashes.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QTest>

class StoreKeysTest : public QObject {
    Q_OBJECT
private slots:
    void canonical_data();
    void canonical();
    void hashIsLowerHexSha256();
    void scanHashesFollowTheText_data();
    void scanHashesFollowTheText();
    void cleanTitle_data();
    void cleanTitle();
};

void StoreKeysTest::canonical_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("site");   // empty: no key
    QTest::addColumn<QString>("key");

    const QString watch = QStringLiteral("https://www.youtube.com/watch?v=abc");
    const QString post = QStringLiteral("https://www.instagram.com/p/XYZ/");
    QTest::newRow("watch") << "https://www.youtube.com/watch?v=abc"
                           << "youtube" << watch;
    QTest::newRow("host case, other items") << "https://WWW.YouTube.COM/watch?t=1&v=abc&list=x"
                                            << "youtube" << watch;
    QTest::newRow("first v wins") << "https://www.youtube.com/watch?v=abc&v=def"
                                  << "youtube" << watch;
    QTest::newRow("mobile") << "https://m.youtube.com/watch?v=abc"
                            << "youtube" << watch;
    QTest::newRow("bare") << "https://youtube.com/watch?v=abc"
                          << "youtube" << watch;
    QTest::newRow("shorts") << "https://www.youtube.com/shorts/abc"
                            << "youtube" << watch;
    QTest::newRow("live") << "https://www.youtube.com/live/abc?feature=share"
                          << "youtube" << watch;
    QTest::newRow("shorts alone") << "https://www.youtube.com/shorts/"
                                  << ""
                                  << "";
    QTest::newRow("shorts extra") << "https://www.youtube.com/shorts/abc/extra"
                                  << ""
                                  << "";
    QTest::newRow("short link") << "https://youtu.be/abc"
                                << "youtube" << watch;
    QTest::newRow("short link empty") << "https://youtu.be/"
                                      << ""
                                      << "";
    QTest::newRow("watch without v") << "https://www.youtube.com/watch?x=1"
                                     << ""
                                     << "";
    QTest::newRow("watch empty v") << "https://www.youtube.com/watch?v="
                                   << ""
                                   << "";
    QTest::newRow("watch bare v") << "https://www.youtube.com/watch?v"
                                  << ""
                                  << "";
    QTest::newRow("watch slash") << "https://www.youtube.com/watch/?v=abc"
                                 << ""
                                 << "";
    QTest::newRow("channel") << "https://www.youtube.com/@someone"
                             << ""
                             << "";
    QTest::newRow("reel") << "https://www.instagram.com/reel/XYZ/"
                          << "instagram" << post;
    QTest::newRow("reels") << "https://instagram.com/reels/XYZ"
                           << "instagram" << post;
    QTest::newRow("profile p") << "https://www.instagram.com/someone/p/XYZ/"
                               << "instagram" << post;
    QTest::newRow("p alone") << "https://www.instagram.com/p/"
                             << ""
                             << "";
    QTest::newRow("instagram profile") << "https://www.instagram.com/someone/"
                                       << ""
                                       << "";
    QTest::newRow("not an address") << "hello world"
                                    << ""
                                    << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
    QTest::newRow("other host") << "https://example.com/watch?v=abc"
                                << ""
                                << "";
    QTest::newRow("lookalike host") << "https://www.youtube.com.evil.example/watch?v=abc"
                                    << ""
                                    << "";
    // Ids are put into the key unencoded: anything outside the sites' alphabet has no key.
    QTest::newRow("id with &") << "https://www.youtube.com/watch?v=abc%26list%3Dx"
                               << ""
                               << "";
    QTest::newRow("id with #") << "https://www.youtube.com/watch?v=abc%23t"
                               << ""
                               << "";
    QTest::newRow("short link id with #") << "https://youtu.be/abc%23x"
                                          << ""
                                          << "";
    QTest::newRow("id with ?") << "https://www.youtube.com/shorts/abc%3Fx=1"
                               << ""
                               << "";
    QTest::newRow("code with ?") << "https://www.instagram.com/p/XY%3FZ/"
                                 << ""
                                 << "";
    QTest::newRow("id with space") << "https://www.youtube.com/watch?v=ab%20c"
                                   << ""
                                   << "";
    QTest::newRow("id too long") << "https://www.youtube.com/watch?v=" + QString(65, QLatin1Char('a')) << ""
                                 << "";
    QTest::newRow("id with - and _") << "https://www.youtube.com/watch?v=a-b_C9"
                                     << "youtube"
                                     << "https://www.youtube.com/watch?v=a-b_C9";
    QTest::newRow("percent-encoded letters") << "https://www.youtube.com/watch?v=%61bc"
                                             << "youtube" << watch;
}

void StoreKeysTest::canonical()
{
    QFETCH(QString, address);
    QFETCH(QString, site);
    QFETCH(QString, key);
    const auto result = ScanStore::canonical(address);
    if (site.isEmpty()) {
        QVERIFY2(!result, qPrintable(result ? result->url : QString()));
        return;
    }
    QVERIFY(result);
    QCOMPARE(result->site, site);
    QCOMPARE(result->url, key);
    // A key is itself an address with the same key.
    QCOMPARE(ScanStore::canonical(result->url), result);
}

void StoreKeysTest::hashIsLowerHexSha256()
{
    QCOMPARE(ScanStore::hash(QString()),
             QStringLiteral("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"));
    QCOMPARE(ScanStore::hash(QStringLiteral("abc")),
             QStringLiteral("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
    const QString h = ScanStore::hash(QStringLiteral("스팸 댓글"));
    QCOMPARE(h.size(), 64);
    QCOMPARE(h, h.toLower());
}

// A scan hashes each text once and hands the hashes on; a hash made for an earlier text of the
// same comment must never stand for its edited text (an edited comment would then reuse the AI
// answer or the "cleared before" of its old text).
void StoreKeysTest::scanHashesFollowTheText_data()
{
    QTest::addColumn<QString>("hashedText");
    QTest::addColumn<QString>("askedId");
    QTest::addColumn<QString>("askedText");
    QTest::newRow("same comment, same text") << "hello"
                                             << "c1"
                                             << "hello";
    QTest::newRow("same comment, edited text") << "hello"
                                               << "c1"
                                               << "hello, edited";
    QTest::newRow("a comment never hashed") << "hello"
                                            << "c2"
                                            << "hello";
    QTest::newRow("empty text") << ""
                                << "c1"
                                << "";
}

void StoreKeysTest::scanHashesFollowTheText()
{
    QFETCH(QString, hashedText);
    QFETCH(QString, askedId);
    QFETCH(QString, askedText);
    Comment c;
    c.id = QStringLiteral("c1");
    c.text = hashedText;
    TextHashes hashes;
    hashes.add({c});
    QCOMPARE(hashes.of(askedId, askedText), ScanStore::hash(askedText));
    // Hashing the list again after an edit brings the hash of that id up to date.
    c.text = askedText;
    hashes.add({c});
    QCOMPARE(hashes.of(QStringLiteral("c1")), ScanStore::hash(askedText));
}

void StoreKeysTest::cleanTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("clean");
    QTest::newRow("counter and suffix") << "  (12) My video - YouTube "
                                        << "My video";
    QTest::newRow("word in brackets") << "(new) Title"
                                      << "(new) Title";
    QTest::newRow("empty brackets") << "() Title"
                                    << "Title";
    QTest::newRow("double suffix") << "Title - YouTube - YouTube"
                                   << "Title - YouTube";
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("(\u0661\u0662) Title") << "Title";
    QTest::newRow("line breaks") << "\n(3)\tTitle\n"
                                 << "Title";
    QTest::newRow("no close") << "(12 Title"
                              << "(12 Title";
}

void StoreKeysTest::cleanTitle()
{
    QFETCH(QString, title);
    QFETCH(QString, clean);
    QCOMPARE(ScanStore::cleanTitle(title), clean);
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    StoreKeysTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_store_keys.moc"
