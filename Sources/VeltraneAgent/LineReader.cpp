#include "LineReader.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

LineReader::LineReader(int fd, QObject *parent)
    : QObject(parent)
    , m_fd(fd)
{
    if (::fcntl(fd, F_GETFD) < 0) {
        QTimer::singleShot(0, this, &LineReader::end);
        return;
    }
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &LineReader::readSome);
}

void LineReader::readSome()
{
    // One read per wake-up: the descriptor stays blocking, as the parent may share it.
    char chunk[65536];
    const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n <= 0) {
        if (!m_discarding && !m_buffer.isEmpty()) {
            m_buffer.append('\n');
            takeLines();
        }
        end();
        return;
    }
    m_buffer.append(chunk, n);
    takeLines();
}

void LineReader::takeLines()
{
    qsizetype start = 0;
    for (;;) {
        const qsizetype lf = m_buffer.indexOf('\n', start);
        if (lf < 0)
            break;
        if (m_discarding) {
            m_discarding = false;
        } else {
            qsizetype end = lf;
            if (end > start && m_buffer[end - 1] == '\r')
                --end;
            if (end - start > kMaxLine)
                emit overlongLine();
            else
                emit lineRead(m_buffer.mid(start, end - start));
        }
        start = lf + 1;
    }
    m_buffer.remove(0, start);
    if (m_buffer.size() > kMaxLine) {
        if (!m_discarding)
            emit overlongLine();
        m_discarding = true;
        m_buffer.clear();
    }
}

void LineReader::end()
{
    if (m_ended)
        return;
    m_ended = true;
    if (m_notifier)
        m_notifier->setEnabled(false);
    emit finished();
}
