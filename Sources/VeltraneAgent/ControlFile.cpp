#include "ControlFile.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype kMaxFileBytes = 64 * 1024;

QString dataFolder()
{
    // The application finds its folder the same way; MCP hosts often pass neither variable,
    // and then the user database knows the home folder.
    if (qEnvironmentVariableIsEmpty("XDG_DATA_HOME") && qEnvironmentVariableIsEmpty("HOME")) {
        if (const passwd *pw = ::getpwuid(::geteuid()); pw && pw->pw_dir && *pw->pw_dir)
            return QFile::decodeName(pw->pw_dir) + QStringLiteral("/.local/share");
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

// The file's bytes, or nothing when it is not a private regular file of this user. The checks
// run on the opened file, so swapping the path in between cannot fool them.
std::optional<QByteArray> readPrivate(const QString &file)
{
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<QByteArray> out;
    struct stat st { };
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0
        && st.st_size <= kMaxFileBytes) {
        QByteArray bytes;
        char chunk[4096];
        for (;;) {
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                bytes.clear();
                break;
            }
            if (n == 0) {
                out = bytes;
                break;
            }
            bytes.append(chunk, n);
            if (bytes.size() > kMaxFileBytes)
                break;
        }
    }
    ::close(fd);
    return out;
}

// A token goes into a header line: printable ASCII only.
bool isHeaderSafe(const QString &token)
{
    for (const QChar c : token) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

}   // namespace

QString ControlFile::path()
{
    return dataFolder() + QStringLiteral("/Veltrane/control.json");
}

std::optional<ControlFile::Endpoint> ControlFile::read(const QString &file)
{
    const std::optional<QByteArray> bytes = readPrivate(file);
    if (!bytes)
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson(*bytes);
    if (!doc.isObject())
        return std::nullopt;
    const QJsonObject object = doc.object();
    const QJsonValue port = object.value(QLatin1StringView("port"));
    const QJsonValue token = object.value(QLatin1StringView("token"));
    if (!port.isDouble() || !token.isString())
        return std::nullopt;
    const double number = port.toDouble();
    if (number != std::floor(number) || number < 1 || number > 65535 || !isHeaderSafe(token.toString()))
        return std::nullopt;
    return Endpoint{quint16(number), token.toString().toLatin1()};
}
