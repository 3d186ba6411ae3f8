// veltrane-agent: the bridge an AI agent's host starts. "veltrane-agent mcp" serves the Model
// Context Protocol on standard input and output until the input ends.
#include "BridgeLanguage.h"
#include "LineReader.h"
#include "LineWriter.h"
#include "McpServer.h"
#include "Tool.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    Tool::all();
    if (argc < 2 || std::strcmp(argv[1], "mcp") != 0) {
        std::fputs("Usage: veltrane-agent mcp\n", stderr);
        return 1;
    }
    // A closed standard descriptor would be taken by the next file opened (an event loop's
    // wake-up descriptor, say) and then read or written as if it were the client.
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) < 0 && ::open("/dev/null", O_RDWR) != fd)
            return 1;
    }
    // A client that stops reading ends the writes with an error, not the process.
    std::signal(SIGPIPE, SIG_IGN);
    LineWriter out(LineWriter::takeStdout());

    QCoreApplication app(argc, argv);
    BridgeLanguage::install();
    McpServer server(&out);
    LineReader in(STDIN_FILENO);
    QObject::connect(&in, &LineReader::lineRead, &server, &McpServer::handleLine);
    QObject::connect(&in, &LineReader::overlongLine, &server, &McpServer::handleOverlongLine);
    QObject::connect(&in, &LineReader::finished, &server, &McpServer::endInput);
    QObject::connect(&server, &McpServer::done, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    app.exec();
    return 0;
}
