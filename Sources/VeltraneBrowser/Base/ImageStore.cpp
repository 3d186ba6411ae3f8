#include "Base/ImageStore.h"

#include "Base/DataFolder.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QStandardPaths>
#include <QThreadPool>
#include <QUrl>

#include <algorithm>
#include <cmath>

ImageStore::ImageStore(const QString &directory, Limits limits, QObject *parent)
    : QObject(parent)
    , m_directory(directory.isEmpty() ? defaultDirectory() : directory)
    , m_limits(limits)
{
    m_memory.setMaxCost(std::max<qint64>(1, m_limits.maxMemoryBytes));
    m_workers = new QThreadPool(this);
    m_workers->setMaxThreadCount(2);   // decoding is memory-hungry; keep few at once
}

ImageStore::~ImageStore()
{
    m_workers->waitForDone();
}

ImageStore &ImageStore::shared()
{
    static ImageStore *instance = new ImageStore(QString(), Limits(), QCoreApplication::instance());
    return *instance;
}

QString ImageStore::defaultDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Veltrane/images");
}

QString ImageStore::cacheFile(const QString &url) const
{
    const QByteArray hash = QCryptographicHash::hash(url.toUtf8(), QCryptographicHash::Sha256).toHex();
    return m_directory + QLatin1Char('/') + QString::fromLatin1(hash) + QStringLiteral(".jpg");
}

QImage ImageStore::cached(const QString &url)
{
    if (url.isEmpty())
        return {};
    if (const QImage *image = m_memory.object(url))
        return *image;
    const QImage image(cacheFile(url));
    if (image.isNull())
        return {};
    remember(url, image);
    return image;
}

void ImageStore::prefetch(const QString &url)
{
    if (url.isEmpty() || m_memory.contains(url) || m_loading.contains(url))
        return;
    const QUrl parsed(url, QUrl::StrictMode);
    if (!parsed.isValid() || parsed.scheme() != QLatin1String("https"))
        return;
    if (QFileInfo::exists(cacheFile(url)))
        return;

    m_loading.insert(url);
    QNetworkAccessManager *network = m_givenNetwork;
    if (!network) {
        if (!m_network)
            m_network = new QNetworkAccessManager(this);
        network = m_network;
    }
    QNetworkRequest request(parsed);
    request.setTransferTimeout(m_limits.transferTimeoutMs);
    QNetworkReply *reply = network->get(request);
    const qint64 cap = m_limits.maxDownloadBytes;
    // Stop a download as soon as it announces or delivers more than the cap.
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply, cap](qint64 received, qint64 total) {
        if (received > cap || total > cap)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, url] { finished(reply, url); });
}

void ImageStore::setNetwork(QNetworkAccessManager *network)
{
    m_givenNetwork = network;
}

void ImageStore::finished(QNetworkReply *reply, const QString &url)
{
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = reply->error() == QNetworkReply::NoError && status >= 200 && status <= 299;
    const QByteArray body = ok ? reply->readAll() : QByteArray();
    if (!ok || body.size() > m_limits.maxDownloadBytes) {
        arrived(url, {});
        return;
    }
    // Scale off the main thread; the result comes back only while the store still exists.
    QPointer<ImageStore> guard(this);
    const Limits limits = m_limits;
    m_workers->start([guard, url, body, limits] {
        const QByteArray thumbnail = makeThumbnail(body, limits);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [guard, url, thumbnail] {
            if (guard)
                guard->arrived(url, thumbnail);
            },
            Qt::QueuedConnection);
    });
}

void ImageStore::arrived(const QString &url, const QByteArray &thumbnail)
{
    m_loading.remove(url);   // a failed address may be tried again later
    if (thumbnail.isEmpty())
        return;
    const QImage image = QImage::fromData(thumbnail, "JPEG");
    if (image.isNull())
        return;
    // A failed write only costs a download next time.
    DataFolder::write(cacheFile(url), thumbnail);
    remember(url, image);
    bump();
}

void ImageStore::remember(const QString &url, const QImage &image)
{
    m_memory.insert(url, new QImage(image), std::max<qint64>(1, image.sizeInBytes()));
}

void ImageStore::bump()
{
    ++m_version;
    emit versionChanged(m_version);
}

void ImageStore::clear()
{
    m_memory.clear();
    QDir(m_directory).removeRecursively();
    bump();
}

QByteArray ImageStore::makeThumbnail(const QByteArray &data, const Limits &limits)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    // The header tells the size; refuse oversized pictures before any pixel is decoded.
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || qint64(size.width()) * size.height() > limits.maxSourcePixels)
        return {};
    const int longer = std::max(size.width(), size.height());
    if (longer > maxSide) {
        const double scale = double(maxSide) / longer;
        reader.setScaledSize(QSize(std::max(1, int(std::lround(size.width() * scale))),
                                   std::max(1, int(std::lround(size.height() * scale)))));
    }
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    QByteArray out;
    QBuffer sink(&out);
    sink.open(QIODevice::WriteOnly);
    if (!image.save(&sink, "JPEG", 80))
        return {};
    return out;
}

void ImageStore::prune(int days, const QString &directory, const QDateTime &now)
{
    const QDateTime cutoff = now.addSecs(-qint64(days) * 86400);
    const QDir dir(directory);
    if (!dir.exists())
        return;
    const QFileInfoList entries = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden
                                                    | QDir::System);
    for (const QFileInfo &entry : entries) {
        const QDateTime modified = entry.lastModified();
        if (!modified.isValid())
            continue;
        if (modified < cutoff)
            QFile::remove(entry.absoluteFilePath());
    }
}

void ImageStore::pruneInBackground(int days)
{
    const QString directory = defaultDirectory();
    const QDateTime now = QDateTime::currentDateTime();
    QThreadPool::globalInstance()->start([days, directory, now] { prune(days, directory, now); }, -1);
}
