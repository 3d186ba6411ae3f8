#include "Agent/ControlFile.h"

#include "Base/DataFolder.h"
#include "Base/Fd.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A control file is a few dozen bytes; anything much larger is not ours.
constexpr qsizetype kMaxFileBytes = 4096;

}   // namespace

QString ControlFile::defaultFolder()
{
    return DataFolder::path();
}

ControlFile::ControlFile(QString folder)
    : m_folder(std::move(folder))
{
}

QString ControlFile::path() const
{
    return m_folder + QLatin1Char('/') + QLatin1String(fileName);
}

int ControlFile::openFolder(QString *why) const
{
    return DataFolder::open(m_folder, why);
}

QString ControlFile::prepareFolder() const
{
    QString why;
    Fd fd(openFolder(&why));
    return fd.get() < 0 ? why : QString();
}

QString ControlFile::write(quint16 port, const QString &token, qint64 pid) const
{
    const QJsonObject object{{QStringLiteral("port"), int(port)},
                             {QStringLiteral("token"), token},
                             {QStringLiteral("pid"), pid}};
    return DataFolder::write(path(), QJsonDocument(object).toJson(QJsonDocument::Compact));
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
