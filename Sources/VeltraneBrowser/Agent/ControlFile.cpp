#include "Agent/ControlFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QUuid>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A control file is a few dozen bytes; anything much larger is not ours.
constexpr qsizetype kMaxFileBytes = 4096;

QString lastError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += n;
    }
    return true;
}

} // namespace

QString ControlFile::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Veltrane");
}

ControlFile::ControlFile(QString folder) : m_folder(std::move(folder)) {}

QString ControlFile::path() const
{
    return m_folder + QLatin1Char('/') + QLatin1String(fileName);
}

int ControlFile::openFolder(QString *why) const
{
    const QByteArray folder = QFile::encodeName(m_folder);
    struct stat info {};
    if (::lstat(folder.constData(), &info) != 0) {
        if (errno != ENOENT) {
            *why = lastError();
            return -1;
        }
        const QString parent = QFileInfo(m_folder).absolutePath();
        if (!QDir().mkpath(parent)) {
            *why = QStringLiteral("cannot create %1").arg(parent);
            return -1;
        }
        if (::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST) {
            *why = lastError();
            return -1;
        }
    }
    Fd fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0) {
        *why = QStringLiteral("%1: %2").arg(m_folder, lastError());
        return -1;
    }
    if (::fstat(fd.get(), &info) != 0) {
        *why = lastError();
        return -1;
    }
    if (info.st_uid != ::geteuid()) {
        *why = QStringLiteral("%1 belongs to another user").arg(m_folder);
        return -1;
    }
    // The folder holds the token and the history: the owner's alone.
    if ((info.st_mode & 07777) != 0700 && ::fchmod(fd.get(), 0700) != 0) {
        *why = lastError();
        return -1;
    }
    return fd.release();
}

QString ControlFile::prepareFolder() const
{
    QString why;
    Fd fd(openFolder(&why));
    return fd.get() < 0 ? why : QString();
}

QString ControlFile::write(quint16 port, const QString &token, qint64 pid) const
{
    QString why;
    Fd dir(openFolder(&why));
    if (dir.get() < 0)
        return why;
    const QJsonObject object{{QStringLiteral("port"), int(port)}, {QStringLiteral("token"), token},
                             {QStringLiteral("pid"), pid}};
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Compact);
    const QByteArray temporary = QByteArray(fileName) + '.' + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1();
    Fd file(::openat(dir.get(), temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (file.get() < 0)
        return lastError();
    // The mode given to open is narrowed by the umask only; make it exact.
    const bool written = ::fchmod(file.get(), 0600) == 0 && writeAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    if (!written || ::close(file.release()) != 0) {
        why = lastError();
        ::unlinkat(dir.get(), temporary.constData(), 0);
        return why;
    }
    if (::renameat(dir.get(), temporary.constData(), dir.get(), fileName) != 0) {
        why = lastError();
        ::unlinkat(dir.get(), temporary.constData(), 0);
        return why;
    }
    return QString();
}

std::optional<QJsonObject> ControlFile::read() const
{
    Fd dir(::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (dir.get() < 0)
        return std::nullopt;
    Fd file(::openat(dir.get(), fileName, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (file.get() < 0)
        return std::nullopt;
    QByteArray bytes(kMaxFileBytes + 1, Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(file.get(), bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    if (done > kMaxFileBytes)
        return std::nullopt;
    bytes.truncate(done);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

bool ControlFile::removeIfOwned(const QString &token) const
{
    const std::optional<QJsonObject> object = read();
    if (!object)
        return false;
    const QJsonValue stored = object->value(QStringLiteral("token"));
    if (!stored.isString() || stored.toString() != token)
        return false;
    Fd dir(::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    return dir.get() >= 0 && ::unlinkat(dir.get(), fileName, 0) == 0;
}
