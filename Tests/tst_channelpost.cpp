// Post rows and their image addresses.
#include "Scan/ChannelPost.h"
#include "TestMain.h"

#include <QTest>

using Candidates = QList<std::optional<QString>>;
Q_DECLARE_METATYPE(Candidates)

class ChannelPostTest : public QObject {
    Q_OBJECT
private slots:
    void thumbnail_data()
    {
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("url");
        QTest::addColumn<Candidates>("candidates");
        QTest::addColumn<QString>("expected");   // empty: none
        const Candidates other{QString("https://img.example/other.jpg")};
        QTest::newRow("watch address wins over candidates") << "youtube"
                                                            << "https://www.youtube.com/watch?v=dQw4w9WgXcQ" << other
                                                            << "https://i.ytimg.com/vi/dQw4w9WgXcQ/mqdefault.jpg";
        QTest::newRow("first v item") << "youtube"
                                      << "https://www.youtube.com/watch?v=abc_DEF-12&v=zzz" << Candidates{}
                                      << "https://i.ytimg.com/vi/abc_DEF-12/mqdefault.jpg";
        QTest::newRow("short path falls back")
            << "youtube"
            << "https://www.youtube.com/shorts/abc" << other << "https://img.example/other.jpg";
        QTest::newRow("empty v falls back")
            << "youtube"
            << "https://www.youtube.com/watch?v=" << other << "https://img.example/other.jpg";
        QTest::newRow("instagram takes first https")
            << "instagram"
            << "https://www.instagram.com/p/Cabc/"
            << Candidates{std::nullopt, QString("http://img.example/a.jpg"), QString("https://img.example/b.jpg"),
                          QString("https://img.example/c.jpg")}
            << "https://img.example/b.jpg";
        QTest::newRow("instagram never derives") << "instagram"
                                                 << "https://www.instagram.com/p/x/?v=abc" << Candidates{} << "";
        QTest::newRow("nothing usable") << "youtube"
                                        << "https://www.youtube.com/@channel" << Candidates{std::nullopt} << "";
        // An id outside the site's alphabet never reaches an address.
        QTest::newRow("v with a slash") << "youtube"
                                        << "https://www.youtube.com/watch?v=..%2F..%2Fevil" << other
                                        << "https://img.example/other.jpg";
        QTest::newRow("v with a query") << "youtube"
                                        << "https://www.youtube.com/watch?v=a%3Fb%3Dc" << Candidates{} << "";
        QTest::newRow("v far too long") << "youtube"
                                        << "https://www.youtube.com/watch?v=" + QString(65, 'a') << Candidates{} << "";
    }

    void thumbnail()
    {
        QFETCH(QString, site);
        QFETCH(QString, url);
        QFETCH(Candidates, candidates);
        QFETCH(QString, expected);
        QCOMPARE(ChannelPost::thumbnailOf(site, url, candidates).value_or(QString()), expected);
    }

    void identityAndEquality()
    {
        ChannelPost a{"youtube", "https://www.youtube.com/watch?v=a", "Title", ChannelPost::State::done, 10, 2};
        ChannelPost b = a;
        QCOMPARE(a, b);
        b.total = 11;
        QCOMPARE(a.id(), b.id());
        QVERIFY(!(a == b));
        b = a;
        b.thumbnail = QString("https://x/");
        QVERIFY(!(a == b));
        b = a;
        b.scannedAt = QDateTime::fromSecsSinceEpoch(1);
        QVERIFY(!(a == b));
    }
};

int main(int argc, char *argv[])
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    ChannelPostTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_channelpost.moc"
