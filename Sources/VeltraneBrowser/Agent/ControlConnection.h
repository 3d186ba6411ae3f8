#pragma once
// One connection of the control server: reads one request through RequestParser under the
// server's time limits, checks its token when the headers are in, runs the handler and writes one
// reply. Deletes itself when the socket closes or a limit runs out.

#include "Agent/RequestParser.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class LocalServer;
class QTcpSocket;

class ControlConnection : public QObject {
    Q_OBJECT
public:
    ControlConnection(QTcpSocket *socket, LocalServer *server);
    ~ControlConnection() override;

    // Still reading its header block: may be displaced by a newer connection.
    bool readingHead() const { return m_parser.state() == RequestParser::State::Head && !m_replied && !m_finished; }
    // Closes at once, without a reply.
    void drop();

private:
    void read();
    void handle();
    void send(const QJsonObject &body, int status);
    void finish();

    QPointer<LocalServer> m_server;
    QTcpSocket *m_socket;
    RequestParser m_parser;
    QTimer m_phase;     // headers, then body
    QTimer m_overall;   // the connection's whole life
    bool m_handling = false;
    bool m_replied = false;
    bool m_finished = false;
};
