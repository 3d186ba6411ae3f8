#pragma once
// Writes whole protocol lines to the client. The protocol gets a private copy of standard
// output, and descriptor 1 itself is pointed at standard error, so nothing else that writes to
// stdout (a library, a stray message) can corrupt the stream.

#include <QByteArray>

class LineWriter {
public:
    // Takes standard output over; returns the descriptor to write protocol lines to.
    static int takeStdout();

    explicit LineWriter(int fd);

    // Writes the line and a line feed in full. False once the client has stopped reading.
    bool write(const QByteArray &line);

private:
    int m_fd;
    bool m_broken = false;
};
