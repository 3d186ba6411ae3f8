#pragma once
// Small copies of the pictures shown beside posts and comments (thumbnails, avatars).
// A picture is downloaded once (over https only), scaled so that its longer side is at most
// 480 pixels, kept as a JPEG in "Veltrane/images" under the data folder (named by the SHA-256
// of its address) and in a bounded memory cache. Views redraw when `version` changes.
//
//   ImageStore &store = ImageStore::shared();      // main thread
//   store.prefetch(url);                           // returns at once; versionChanged when it arrives
//   QImage image = store.cached(url);              // null when not at hand; never downloads
//   ImageStore::pruneInBackground(keepDays);       // at start: drop files older than keepDays
//
// Untrusted pictures are bounded: a download larger than maxDownloadBytes is aborted, and a
// picture whose header announces more than maxSourcePixels is refused before it is decoded.

#include <QCache>
#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;
class QThreadPool;

struct ImageStoreLimits {
    qint64 maxDownloadBytes = 16 * 1024 * 1024;
    qint64 maxSourcePixels = 40'000'000;
    qint64 maxMemoryBytes = 64 * 1024 * 1024;   // decoded thumbnails kept in memory
    int transferTimeoutMs = 60000;              // a stalled download ends and may be tried again
};

class ImageStore : public QObject {
    Q_OBJECT
    Q_PROPERTY(int version READ version NOTIFY versionChanged)
public:
    static constexpr int maxSide = 480;

    using Limits = ImageStoreLimits;

    // An empty directory means the default folder. Nothing is created on disk here.
    explicit ImageStore(const QString &directory = QString(), Limits limits = Limits(), QObject *parent = nullptr);
    ~ImageStore() override;

    // The one instance of the application, made on first use with the default folder.
    static ImageStore &shared();
    static QString defaultDirectory();

    QString directory() const { return m_directory; }
    QString cacheFile(const QString &url) const;
    int version() const { return m_version; }
    bool isLoading(const QString &url) const { return m_loading.contains(url); }
    qsizetype memoryCount() const { return m_memory.count(); }

    QImage cached(const QString &url);
    void prefetch(const QString &url);
    // The manager downloads go through (not owned; null: one of the store's own). Tests give
    // one that answers from local servers.
    void setNetwork(QNetworkAccessManager *network);
    void clear();

    // Deletes the cache files modified more than days x 86400 seconds before now. Any thread.
    static void prune(int days, const QString &directory, const QDateTime &now);
    // prune() with the default folder and the current time, on a background thread.
    static void pruneInBackground(int days);

    // The thumbnail JPEG of downloaded picture bytes, or empty when they do not decode or exceed the limits.
    static QByteArray makeThumbnail(const QByteArray &data, const Limits &limits);

signals:
    void versionChanged(int version);

private:
    void finished(QNetworkReply *reply, const QString &url);
    void arrived(const QString &url, const QByteArray &thumbnail);
    void remember(const QString &url, const QImage &image);
    void bump();

    QString m_directory;
    Limits m_limits;
    QCache<QString, QImage> m_memory;   // cost in bytes of the decoded image
    QSet<QString> m_loading;
    int m_version = 0;
    QNetworkAccessManager *m_network = nullptr;
    QPointer<QNetworkAccessManager> m_givenNetwork;
    QThreadPool *m_workers = nullptr;
};
