#pragma once
// Posts one command to the running application's control server and hands back a JSON object:
// the application's reply whatever its HTTP status, or a fixed refusal when the application
// cannot be found or reached. Each request reads the control file afresh and uses its own
// connection, direct to 127.0.0.1 (never through a proxy); nothing is kept between requests.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QJsonObject>
#include <QObject>
#include <QTimer>

class QTcpSocket;

class ControlClient : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype kMaxReplyBytes = 256 * 1024 * 1024;

    // Starts the request; `finished` follows exactly once, later, and the object then deletes
    // itself. `timeoutSeconds` bounds the silence of the server; the whole request gets one
    // second more.
    static ControlClient *request(const QString &path, const QJsonObject &body, double timeoutSeconds,
                                  QObject *parent = nullptr);

    static QJsonObject notRunning();    // no usable control file
    static QJsonObject unreachable();   // no usable reply

signals:
    void finished(const QJsonObject &reply);

private:
    explicit ControlClient(QObject *parent);
    void start(const QString &path, const QJsonObject &body, double timeoutSeconds);
    void readReply();
    void ended();
    void restartTimer();
    void finish(const QJsonObject &reply);
    bool replyComplete() const;
    QJsonObject replyObject() const;

    QTcpSocket *m_socket = nullptr;
    QTimer m_timer;
    qint64 m_idleMs = 0;
    QDeadlineTimer m_deadline;
    QByteArray m_reply;
    qsizetype m_headEnd = -1;      // index of the blank line after the head
    qint64 m_contentLength = -1;   // -1: until the server closes
    bool m_done = false;
};
