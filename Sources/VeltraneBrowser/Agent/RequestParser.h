#pragma once
// Reads one control request from the bytes of a connection, as they arrive.
//
// The parser holds no socket: feed() takes whatever a read gave and moves on from where the last
// call stopped (the header search resumes at the end, nothing is parsed twice). The outcome does not
// depend on how the bytes were split. Once the header block is in and passed its checks the parser
// is in Body, and acceptHead is asked before a single body byte is taken; bytes past
// the declared body are ignored and never buffered.
//
// A request is "POST /cmd <version>", headers with unique, token-character names, a
// "Content-Length" of 1 to 3 MiB and an "X-VT-Token", no "Origin" and no "Transfer-Encoding", and a
// body that is one JSON object. Every refusal has a Korean message (the agent's language); the
// server answers them all with the same 400 reply.
//
//   RequestParser parser;
//   parser.feed(socket.read(65536));
//   if (parser.state() == RequestParser::State::Body) check(parser.request().token);

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QString>

#include <functional>
#include <optional>

class RequestParser {
public:
    // The header block (the bytes before the first CR LF CR LF) may hold at most this many bytes.
    static constexpr qsizetype maxHeaderBytes = 8192;
    // The body's declared length lies in 1 to this.
    static constexpr qsizetype maxBodyBytes = 3145728;
    // What a connection may buffer in all. Bytes past the declared body are dropped, so the two
    // limits above keep every request below this whatever the client sends.
    static constexpr qsizetype maxBufferBytes = 4194304;

    enum class State {
        Head,     // waiting for the end of the header block
        Body,     // headers accepted: path and token known, waiting for the body
        Done,     // request() is complete
        Failed,   // error() says why; nothing more is read
        Denied,   // acceptHead said no; no body byte was taken
    };

    struct Request {
        QString path;          // always "/cmd"
        QString token;         // the "X-VT-Token" value, trimmed of surrounding white space
        QJsonObject payload;   // the body
        bool operator==(const Request &) const = default;
    };

    // Asked once, when the header block has passed its checks and before any body byte is
    // taken; false ends the request in Denied. The server checks the token here.
    std::function<bool(const Request &)> acceptHead;

    // Takes the next bytes of the connection; returns the state afterwards. Bytes fed after
    // Done or Failed are ignored.
    State feed(QByteArrayView bytes);

    State state() const { return m_state; }
    QString error() const { return m_error; }
    // Path and token from Body on; the payload once Done.
    const Request &request() const { return m_request; }
    // Bytes held now (never more than maxBufferBytes).
    qsizetype buffered() const { return m_buffer.size(); }

    // The whole buffer at once: the request, none while it is incomplete; a refusal throws
    // BrowserError with its message.
    static std::optional<Request> parse(QByteArrayView buffer);

    // The refusal messages.
    static QString badHeaderMessage();    // "잘못된 헤더입니다."
    static QString badPathMessage();      // "잘못된 경로입니다."
    static QString duplicateMessage();    // "중복 헤더입니다."
    static QString notAllowedMessage();   // "허용되지 않은 요청입니다."
    static QString badRequestMessage();   // "잘못된 요청입니다."

private:
    State fail(const QString &message);
    State readHead(QByteArrayView bytes);
    State readBody(QByteArrayView bytes);
    // Checks the header block; sets the request's path and token and m_length. Empty when
    // accepted, else the refusal message.
    QString parseHead(QByteArrayView block);
    bool terminatorStillPossible() const;

    State m_state = State::Head;
    QByteArray m_buffer;   // the header block so far, then the body so far
    qsizetype m_searchFrom = 0;
    qsizetype m_length = 0;   // the declared body length
    Request m_request;
    QString m_error;
};
