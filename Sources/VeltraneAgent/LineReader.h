#pragma once
// Reads a file descriptor (the bridge's standard input) as lines without blocking the event
// loop. A line ends at LF; a CR before it is dropped. A line longer than the limit is dropped
// whole and reported, so a client that never ends its line cannot exhaust memory.

#include <QByteArray>
#include <QObject>

class QSocketNotifier;

class LineReader : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype kMaxLine = 16 * 1024 * 1024;

    explicit LineReader(int fd, QObject *parent = nullptr);

signals:
    void lineRead(const QByteArray &line);
    void overlongLine();
    void finished();   // end of input (or a read error); emitted once

private:
    void readSome();
    void takeLines();
    void end();

    int m_fd;
    QSocketNotifier *m_notifier = nullptr;
    QByteArray m_buffer;
    bool m_discarding = false;   // inside a line that was too long
    bool m_ended = false;
};
