#include "Base/DataFolder.h"
#include "Base/Fd.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString lastError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

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

// Whether anything, a link that leads nowhere too, has this name.
bool taken(const QByteArray &path)
{
    struct stat info { };
    return ::lstat(path.constData(), &info) == 0 || errno != ENOENT;
}

// Renames without replacing: a name taken meanwhile fails with EEXIST. Where the file system
// cannot rename so, a second hard link and the removal of the first do the same.
bool renameNoReplace(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (::link(from.constData(), to.constData()) != 0)
        return false;
    if (::unlink(from.constData()) != 0) {
        const int saved = errno;
        ::unlink(to.constData());
        errno = saved;
        return false;
    }
    return true;
}

// Where `target` leads: links followed, also when it, or the last of its links, does not exist yet.
QString resolved(QString target)
{
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(target);
        const QString canonical = info.canonicalFilePath();
        if (!canonical.isEmpty())
            return canonical;
        if (!info.isSymLink())
            break;
        target = info.symLinkTarget();
    }
    const QFileInfo info(target);
    const QString parent = QFileInfo(info.absolutePath()).canonicalFilePath();
    return parent.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : parent + QLatin1Char('/') + info.fileName();
}

}   // namespace

QString DataFolder::path()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Veltrane");
}

int DataFolder::open(const QString &folder, QString *why)
{
    const QByteArray name = QFile::encodeName(folder);
    struct stat info { };
    if (::lstat(name.constData(), &info) != 0) {
        if (errno != ENOENT) {
            *why = QStringLiteral("%1: %2").arg(folder, lastError());
            return -1;
        }
        const QString parent = QFileInfo(folder).absolutePath();
        if (!QDir().mkpath(parent)) {
            *why = QStringLiteral("cannot create %1").arg(parent);
            return -1;
        }
        if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST) {
            *why = QStringLiteral("%1: %2").arg(folder, lastError());
            return -1;
        }
    }
    Fd fd(::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0) {
        *why = QStringLiteral("%1: %2").arg(folder, lastError());
        return -1;
    }
    if (::fstat(fd.get(), &info) != 0) {
        *why = lastError();
        return -1;
    }
    if (info.st_uid != ::geteuid()) {
        *why = QStringLiteral("%1 belongs to another user").arg(folder);
        return -1;
    }
    // The folder holds the sign-in tokens and the history: the owner's alone.
    if ((info.st_mode & 07777) != 0700 && ::fchmod(fd.get(), 0700) != 0) {
        *why = lastError();
        return -1;
    }
    return fd.release();
}

bool DataFolder::isLink(const QString &path)
{
    struct stat info { };
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

QString DataFolder::write(const QString &path, const QByteArray &bytes)
{
    const QFileInfo target(path);
    QString why;
    Fd dir(open(target.absolutePath(), &why));
    if (dir.get() < 0)
        return why;
    const QByteArray name = QFile::encodeName(target.fileName());
    const QByteArray temporary = name + '.' + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1();
    Fd file(::openat(dir.get(), temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (file.get() < 0)
        return QStringLiteral("%1: %2").arg(path, lastError());
    // The mode given to open is narrowed by the umask only; make it exact.
    const bool written = ::fchmod(file.get(), 0600) == 0 && writeAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    if (!written || ::close(file.release()) != 0) {
        why = QStringLiteral("%1: %2").arg(path, lastError());
        ::unlinkat(dir.get(), temporary.constData(), 0);
        return why;
    }
    // A rename replaces whatever has the name, a link too, and never writes where it leads.
    if (::renameat(dir.get(), temporary.constData(), dir.get(), name.constData()) != 0) {
        why = QStringLiteral("%1: %2").arg(path, lastError());
        ::unlinkat(dir.get(), temporary.constData(), 0);
        return why;
    }
    ::fsync(dir.get());
    return QString();
}

std::optional<QByteArray> DataFolder::read(const QString &path, qint64 limit, QString *why)
{
    Fd file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        *why = errno == ELOOP ? QStringLiteral("it is a link, not a file of its own") : lastError();
        return std::nullopt;
    }
    struct stat info { };
    if (::fstat(file.get(), &info) != 0) {
        *why = lastError();
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        *why = QStringLiteral("it is not a plain file");
        return std::nullopt;
    }
    QByteArray bytes;
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(file.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *why = lastError();
            return std::nullopt;
        }
        if (n == 0)
            break;
        if (bytes.size() + n > limit) {
            *why = QStringLiteral("it is larger than %1 bytes").arg(limit);
            return std::nullopt;
        }
        bytes.append(chunk, n);
    }
    return bytes;
}

QString DataFolder::moveAside(const QString &path, const QString &suffix, QString *why)
{
    const QByteArray from = QFile::encodeName(path);
    const QString stem = path + suffix;
    for (int n = 1; n < 1000; ++n) {
        const QString aside = n == 1 ? stem : stem + u'-' + QString::number(n);
        const QByteArray to = QFile::encodeName(aside);
        if (taken(to))
            continue;
        if (renameNoReplace(from, to)) {
            // A kept file is the owner's alone, whatever it was before.
            Fd kept(::open(to.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
            struct stat info { };
            if (kept.get() >= 0 && ::fstat(kept.get(), &info) == 0 && S_ISREG(info.st_mode))
                ::fchmod(kept.get(), info.st_mode & 0700);
            return aside;
        }
        if (errno != EEXIST) {
            *why = lastError();
            return QString();
        }
    }
    *why = QStringLiteral("no free name beside %1").arg(path);
    return QString();
}

bool DataFolder::holds(const QString &folder, const QString &target)
{
    const QString root = resolved(folder);
    const QString where = resolved(target);
    return where == root || where.startsWith(root + QLatin1Char('/'));
}
