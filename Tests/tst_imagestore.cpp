// The image cache: one download per address, thumbnails of at most 480 px, bounded downloads,
// decoding and memory, pruning by age. Pictures come from a local HTTPS server.
#include "Base/ImageStore.h"
#include "TestHttpServer.h"
#include "TestMain.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QTest>

using vt::test::HttpReply;
using vt::test::HttpRequest;
using vt::test::HttpResponder;
using vt::test::TestHttpServer;

namespace {

QByteArray picture(int width, int height, const char *format = "PNG", bool noise = false)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    if (noise) {
        auto *random = QRandomGenerator::global();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, random->generate());
    }
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return out;
}

QSize sizeOf(const QByteArray &jpeg)
{
    return QImage::fromData(jpeg, "JPEG").size();
}

}   // namespace

class ImageStoreTest : public QObject {
    Q_OBJECT

    TestHttpServer *server = nullptr;
    QTemporaryDir *dir = nullptr;

    QString address(const QString &path) const { return server->url(path).toString(); }

private slots:
    void initTestCase()
    {
        const auto cert = vt::test::TestCertificate::make({"127.0.0.1"});
        QVERIFY(!cert.isNull());
        QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
        conf.addCaCertificate(cert.certificate);
        QSslConfiguration::setDefaultConfiguration(conf);
        server = new TestHttpServer(this);
        QVERIFY(server->listenTls(cert.certificate, cert.key));
    }

    void init()
    {
        delete dir;
        dir = new QTemporaryDir;
        server->resetCounters();
    }

    // Files other runs find again: the SHA-256 of the address in lower-case hex, ".jpg".
    void cacheFileIsNamedByTheAddressHash()
    {
        const ImageStore store(dir->path());
        QCOMPARE(store.cacheFile("https://img.example/a.jpg"),
                 dir->path() + "/0d52505084684b7e7fd0e91848f6abb31af39e7c849ef121ae78f56df8b8f103.jpg");
        QVERIFY(ImageStore().directory().endsWith("/Veltrane/images"));
    }

    void refusedAddresses_data()
    {
        QTest::addColumn<QString>("url");
        QTest::newRow("empty") << "";
        QTest::newRow("http") << "http://127.0.0.1:1/a.png";
        QTest::newRow("not a URL") << "https://exa mple.com/%zz";
        QTest::newRow("file") << "file:///etc/passwd";
    }
    void refusedAddresses()
    {
        QFETCH(QString, url);
        ImageStore store(dir->path());
        store.prefetch(url);
        QVERIFY(!store.isLoading(url));
        QVERIFY(store.cached(url).isNull());
    }

    void oneDownloadForManyRequests()
    {
        server->route("GET", "/wide.png", [](const HttpRequest &, const HttpResponder &r) {
            r.replyAfter(300, HttpReply{200, "image/png", {}, picture(2000, 1000)});
        });
        const QString url = address("/wide.png");
        {
            ImageStore store(dir->path());
            QSignalSpy versions(&store, &ImageStore::versionChanged);
            for (int i = 0; i < 5; ++i)
                store.prefetch(url);
            QVERIFY(store.isLoading(url));
            QTRY_VERIFY_WITH_TIMEOUT(!store.isLoading(url), 10000);
            QCOMPARE(server->requestCount(), 1);
            QCOMPARE(versions.count(), 1);
            QCOMPARE(store.version(), 1);
            QImageReader file(store.cacheFile(url));
            QCOMPARE(file.format(), QByteArray("jpeg"));
            QCOMPARE(file.size(), QSize(480, 240));
            QCOMPARE(store.cached(url).size(), QSize(480, 240));
            store.prefetch(url);   // in memory: nothing to do
            QVERIFY(!store.isLoading(url));
        }
        // A new run finds the file: no download, the picture comes from disk.
        ImageStore later(dir->path());
        later.prefetch(url);
        QVERIFY(!later.isLoading(url));
        QCOMPARE(later.cached(url).size(), QSize(480, 240));
        QCOMPARE(server->requestCount(), 1);
    }

    // A link planted at a picture's name is replaced, never written through, and the picture is
    // the owner's alone.
    void linkAtTheNameIsNotWrittenThrough()
    {
        server->route("GET", "/linked.png", [](const HttpRequest &, const HttpResponder &r) {
            r.reply(HttpReply{200, "image/png", {}, picture(200, 100)});
        });
        const QString url = address("/linked.png");
        ImageStore store(dir->filePath("images"));
        const QString outside = dir->filePath("outside.jpg");
        QVERIFY(QDir().mkpath(dir->filePath("images")));
        QVERIFY(QFile::link(outside, store.cacheFile(url)));
        store.prefetch(url);
        QTRY_VERIFY_WITH_TIMEOUT(!store.isLoading(url), 10000);
        QCOMPARE(store.cached(url).size(), QSize(200, 100));
        QVERIFY(!QFileInfo::exists(outside));
        const QFileInfo kept(store.cacheFile(url));
        QVERIFY(kept.isFile() && !kept.isSymLink());
        QCOMPARE(kept.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
    }

    void failedDownloadCanBeRetried_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("firstBody");
        QTest::newRow("404") << 404 << QByteArray("missing");
        QTest::newRow("not a picture") << 200 << QByteArray("<html>hello</html>");
        QTest::newRow("truncated picture") << 200 << picture(300, 300).left(60);
    }
    void failedDownloadCanBeRetried()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, firstBody);
        const QString path = QStringLiteral("/retry-%1.png").arg(QTest::currentDataTag()).replace(' ', '-');
        int calls = 0;
        server->route("GET", path, [&calls, status, firstBody](const HttpRequest &, const HttpResponder &r) {
            r.reply(++calls == 1 ? HttpReply{status, "image/png", {}, firstBody}
                                 : HttpReply{200, "image/png", {}, picture(100, 50)});
        });
        ImageStore store(dir->path());
        const QString url = address(path);
        store.prefetch(url);
        QTRY_VERIFY_WITH_TIMEOUT(!store.isLoading(url), 10000);
        QVERIFY(store.cached(url).isNull());
        QVERIFY(!QFile::exists(store.cacheFile(url)));
        QCOMPARE(store.version(), 0);

        store.prefetch(url);
        QVERIFY(store.isLoading(url));
        QTRY_VERIFY_WITH_TIMEOUT(!store.isLoading(url), 10000);
        QCOMPARE(calls, 2);
        QCOMPARE(store.cached(url).size(), QSize(100, 50));
    }

    // Untrusted pictures: too many bytes or too many pixels are refused, the same picture within
    // the limits is stored.
    void limits_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<qint64>("maxBytes");
        QTest::addColumn<qint64>("maxPixels");
        QTest::addColumn<bool>("stored");
        const QByteArray noisy = picture(200, 200, "PNG", true);   // about 160 KB
        QTest::newRow("bytes within") << noisy << qint64(1 << 20) << qint64(1'000'000) << true;
        QTest::newRow("bytes over") << noisy << qint64(50'000) << qint64(1'000'000) << false;
        const QByteArray big = picture(2000, 1000);
        QTest::newRow("pixels within") << big << qint64(1 << 24) << qint64(2'000'000) << true;
        QTest::newRow("pixels over") << big << qint64(1 << 24) << qint64(1'999'999) << false;
    }
    void limits()
    {
        QFETCH(QByteArray, body);
        QFETCH(qint64, maxBytes);
        QFETCH(qint64, maxPixels);
        QFETCH(bool, stored);
        const QString path = QStringLiteral("/limits-%1.png").arg(QTest::currentDataTag()).replace(' ', '-');
        server->route("GET", path, [body](const HttpRequest &, const HttpResponder &r) {
            r.reply(HttpReply{200, "image/png", {}, body});
        });
        ImageStore::Limits limits;
        limits.maxDownloadBytes = maxBytes;
        limits.maxSourcePixels = maxPixels;
        ImageStore store(dir->path(), limits);
        const QString url = address(path);
        store.prefetch(url);
        QTRY_VERIFY_WITH_TIMEOUT(!store.isLoading(url), 10000);
        QCOMPARE(QFile::exists(store.cacheFile(url)), stored);
        QCOMPARE(store.cached(url).isNull(), !stored);
    }

    // A download that stalls (the server never answers) ends, and the next prefetch asks again.
    // The short timeout bounds every transfer of the store, so no download here has to succeed.
    void stalledDownloadEnds()
    {
        server->route("GET", "/stall.png", [](const HttpRequest &, const HttpResponder &) {});
        ImageStore::Limits limits;
        limits.transferTimeoutMs = 300;
        ImageStore store(dir->path(), limits);
        const QString url = address("/stall.png");
        store.prefetch(url);
        QVERIFY(store.isLoading(url));
        QTRY_VERIFY_WITH_TIMEOUT(!store.isLoading(url), 30000);
        QVERIFY(store.cached(url).isNull());
        QVERIFY(!QFile::exists(store.cacheFile(url)));
        store.prefetch(url);
        QVERIFY(store.isLoading(url));
        QTRY_VERIFY_WITH_TIMEOUT(!store.isLoading(url), 30000);
    }

    void thumbnails_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QSize>("size");   // invalid: no thumbnail
        QTest::newRow("2000 x 1000") << picture(2000, 1000) << QSize(480, 240);
        QTest::newRow("1000 x 2000 jpeg") << picture(1000, 2000, "JPEG") << QSize(240, 480);
        QTest::newRow("small keeps size") << picture(100, 50) << QSize(100, 50);
        QTest::newRow("exactly 480") << picture(480, 10) << QSize(480, 10);
        QTest::newRow("thin strip") << picture(4000, 2) << QSize(480, 1);
        QTest::newRow("empty") << QByteArray() << QSize();
        QTest::newRow("garbage") << QByteArray(5000, 'x') << QSize();
    }
    void thumbnails()
    {
        QFETCH(QByteArray, data);
        QFETCH(QSize, size);
        const QByteArray thumb = ImageStore::makeThumbnail(data, ImageStore::Limits());
        QCOMPARE(thumb.isEmpty(), !size.isValid());
        if (size.isValid())
            QCOMPARE(sizeOf(thumb), size);
    }

    // A header announcing a huge picture is refused from the header alone.
    void hugeHeaderRefused()
    {
        QByteArray png = picture(8, 8);
        // IHDR width and height sit at bytes 16..23; claim 60000 x 60000 and fix the chunk's CRC.
        auto put32 = [&png](int at, quint32 v) {
            for (int i = 0; i < 4; ++i)
                png[at + i] = char((v >> (24 - 8 * i)) & 0xff);
        };
        put32(16, 60000);
        put32(20, 60000);
        quint32 crc = 0xffffffffu;
        for (int i = 12; i < 29; ++i) {   // chunk type and data
            crc ^= quint8(png[i]);
            for (int k = 0; k < 8; ++k)
                crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
        put32(29, crc ^ 0xffffffffu);
        QBuffer check(&png);
        QCOMPARE(QImageReader(&check).size(), QSize(60000, 60000));
        QVERIFY(ImageStore::makeThumbnail(png, ImageStore::Limits()).isEmpty());
    }

    void memoryIsBounded()
    {
        ImageStore::Limits limits;
        const QImage sample(480, 240, QImage::Format_RGB32);
        limits.maxMemoryBytes = 3 * sample.sizeInBytes();
        ImageStore store(dir->path(), limits);
        QDir().mkpath(dir->path());
        QStringList urls;
        for (int i = 0; i < 8; ++i) {
            urls << QStringLiteral("https://img.example/%1.jpg").arg(i);
            QFile file(store.cacheFile(urls.last()));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(ImageStore::makeThumbnail(picture(960, 480, "JPEG"), limits));
        }
        for (const QString &url : urls)
            QCOMPARE(store.cached(url).size(), QSize(480, 240));
        QVERIFY(store.memoryCount() <= 3);
        QCOMPARE(store.cached(urls.first()).size(), QSize(480, 240));   // evicted, read again from disk
    }

    void prune()
    {
        const QDateTime now = QDateTime::currentDateTime();
        QDir().mkpath(dir->path());
        auto makeFile = [&](const QString &name, int daysOld) {
            QFile file(dir->filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x");
            file.flush();
            QVERIFY(file.setFileTime(now.addDays(-daysOld), QFileDevice::FileModificationTime));
        };
        makeFile("old.jpg", 181);
        makeFile("recent.jpg", 179);
        QVERIFY(QFile::link(dir->filePath("nowhere"), dir->filePath("dangling.jpg")));   // no readable date
        ImageStore::prune(180, dir->path(), now);
        QVERIFY(!QFile::exists(dir->filePath("old.jpg")));
        QVERIFY(QFile::exists(dir->filePath("recent.jpg")));
        QVERIFY(QFileInfo(dir->filePath("dangling.jpg")).isSymLink());
        ImageStore::prune(180, dir->filePath("missing"), now);   // no folder: nothing happens
    }

    void pruneInBackgroundUsesTheDataFolder()
    {
        const QString folder = ImageStore::defaultDirectory();
        QVERIFY(folder.endsWith("/Veltrane/images"));
        QVERIFY(QDir().mkpath(folder));
        QFile file(folder + "/old.jpg");
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-40), QFileDevice::FileModificationTime));
        file.close();
        ImageStore::pruneInBackground(30);
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(folder + "/old.jpg"), 10000);
    }

    void clearRemovesTheFolder()
    {
        server->route("GET", "/clear.png", [](const HttpRequest &, const HttpResponder &r) {
            r.reply(HttpReply{200, "image/png", {}, picture(50, 50)});
        });
        const QString folder = dir->filePath("nested/images");
        ImageStore store(folder);
        const QString url = address("/clear.png");
        store.prefetch(url);
        QTRY_VERIFY_WITH_TIMEOUT(!store.cached(url).isNull(), 10000);
        QCOMPARE(QFile::permissions(folder) & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther), 0);
        store.clear();
        QCOMPARE(store.version(), 2);
        QVERIFY(!QFileInfo::exists(folder));
        QVERIFY(store.cached(url).isNull());
        store.prefetch(url);
        QTRY_VERIFY_WITH_TIMEOUT(!store.cached(url).isNull(), 10000);
        QVERIFY(QFileInfo::exists(store.cacheFile(url)));
    }

    void storeGoneBeforeTheAnswer()
    {
        server->route("GET", "/slow.png", [](const HttpRequest &, const HttpResponder &r) {
            r.replyAfter(200, HttpReply{200, "image/png", {}, picture(600, 600)});
        });
        auto *store = new ImageStore(dir->path());
        store->prefetch(address("/slow.png"));
        delete store;
        QTest::qWait(500);   // the late answer must not touch the deleted store
    }

    void cleanupTestCase() { delete dir; }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QGuiApplication app(argc, argv);
    ImageStoreTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_imagestore.moc"
