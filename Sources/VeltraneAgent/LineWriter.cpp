#include "LineWriter.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

int LineWriter::takeStdout()
{
    const int fd = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    if (fd < 0)
        return STDOUT_FILENO;
    ::dup2(STDERR_FILENO, STDOUT_FILENO);
    return fd;
}

LineWriter::LineWriter(int fd)
    : m_fd(fd)
{
}

bool LineWriter::write(const QByteArray &line)
{
    if (m_broken)
        return false;
    const QByteArray out = line + '\n';
    qsizetype done = 0;
    while (done < out.size()) {
        const ssize_t n = ::write(m_fd, out.constData() + done, size_t(out.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd ready{m_fd, POLLOUT, 0};
            ::poll(&ready, 1, -1);
            continue;
        }
        if (n <= 0) {
            m_broken = true;
            return false;
        }
        done += n;
    }
    return true;
}
