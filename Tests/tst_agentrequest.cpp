// The control request parser: what it accepts, what it refuses and with which message, and that
// the outcome is the same however the bytes arrive.
#include "TestMain.h"

#include "Agent/RequestParser.h"
#include "Browser/BrowserError.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QTest>

namespace {

const QByteArray kToken = "T0KEN";

QByteArray request(const QByteArray &body, const QByteArray &extraHeaders = QByteArray(),
                   const QByteArray &line = "POST /cmd HTTP/1.1")
{
    return line + "\r\nX-VT-Token: " + kToken + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n"
        + extraHeaders + "\r\n" + body;
}

QByteArray raw(const QByteArray &head, const QByteArray &body = "{\"cmd\":\"stop\"}")
{
    return head + "\r\n\r\n" + body;
}

// The outcome of feeding the bytes in pieces of the given sizes (cycled); 0 means all at once.
struct Outcome {
    RequestParser::State state;
    QString error;
    RequestParser::Request request;
    bool operator==(const Outcome &) const = default;
};

Outcome feedSplit(const QByteArray &bytes, qsizetype step)
{
    RequestParser parser;
    if (step <= 0) {
        parser.feed(bytes);
    } else {
        for (qsizetype at = 0; at < bytes.size(); at += step)
            parser.feed(QByteArrayView(bytes).sliced(at, std::min(step, bytes.size() - at)));
    }
    return {parser.state(), parser.error(), parser.request()};
}

const QString kBadHeader = QStringLiteral("잘못된 헤더입니다.");
const QString kBadPath = QStringLiteral("잘못된 경로입니다.");
const QString kDuplicate = QStringLiteral("중복 헤더입니다.");
const QString kNotAllowed = QStringLiteral("허용되지 않은 요청입니다.");
const QString kBadRequest = QStringLiteral("잘못된 요청입니다.");

}   // namespace

class AgentRequestTest : public QObject {
    Q_OBJECT
private slots:
    // Each row: the bytes; the message of a refusal ("" when accepted); "incomplete" when the
    // parser must wait for more.
    void table_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("outcome");
        const QByteArray body = "{\"cmd\":\"stop\",\"args\":{}}";
        const QString ok;
        const QString incomplete = QStringLiteral("incomplete");

        QTest::newRow("complete") << request(body) << ok;
        QTest::newRow("extra bytes after body ignored") << request(body) + "GARBAGE" << ok;
        QTest::newRow("doubled spaces in request line") << request(body, {}, "POST  /cmd   HTTP/1.1") << ok;
        QTest::newRow("version not checked") << request(body, {}, "POST /cmd whatever") << ok;
        QTest::newRow("token with spaces around")
            << raw("POST /cmd HTTP/1.1\r\nX-VT-Token: \t " + kToken + " \t\r\nContent-Length: 14") << ok;
        QTest::newRow("header names any case")
            << raw("POST /cmd HTTP/1.1\r\nx-vt-TOKEN: a\r\ncontent-LENGTH: 14") << ok;
        QTest::newRow("content type ignored") << request(body, "Content-Type: text/plain\r\nX-Other: 1\r\n") << ok;
        QTest::newRow("length with plus sign")
            << raw("POST /cmd HTTP/1.1\r\nX-VT-Token: a\r\nContent-Length: +14") << ok;
        QTest::newRow("length with leading zeros")
            << raw("POST /cmd HTTP/1.1\r\nX-VT-Token: a\r\nContent-Length: 00014") << ok;

        QTest::newRow("nothing") << QByteArray() << incomplete;
        QTest::newRow("head only") << request(body).left(40) << incomplete;
        QTest::newRow("body short by one") << request(body).chopped(1) << incomplete;
        QTest::newRow("8192 bytes without end") << QByteArray(8192, 'a') << incomplete;
        QTest::newRow("8193 bytes ending in CR") << QByteArray(8192, 'a') + "\r" << incomplete;
        QTest::newRow("8195 bytes ending in CR LF CR") << QByteArray(8192, 'a') + "\r\n\r" << incomplete;

        QTest::newRow("8193 bytes without end") << QByteArray(8193, 'a') << kBadHeader;
        QTest::newRow("8196 bytes ending in CR LF CR") << QByteArray(8193, 'a') + "\r\n\r" << kBadHeader;
        {
            QByteArray head = "POST /cmd HTTP/1.1\r\nX-VT-Token: a\r\nContent-Length: 14\r\nX-Pad: ";
            const QByteArray exact = head + QByteArray(8192 - head.size(), 'p');
            QTest::newRow("header block of exactly 8192") << raw(exact) << ok;
            QTest::newRow("header block of 8193") << raw(exact + "p") << kBadHeader;
        }

        QTest::newRow("lower-case method") << request(body, {}, "post /cmd HTTP/1.1") << kBadPath;
        QTest::newRow("GET") << request(body, {}, "GET /cmd HTTP/1.1") << kBadPath;
        QTest::newRow("query in target") << request(body, {}, "POST /cmd?x=1 HTTP/1.1") << kBadPath;
        QTest::newRow("two pieces") << request(body, {}, "POST /cmd") << kBadPath;
        QTest::newRow("four pieces") << request(body, {}, "POST /cmd HTTP/1.1 x") << kBadPath;
        QTest::newRow("tab does not separate") << request(body, {}, "POST\t/cmd HTTP/1.1") << kBadPath;
        QTest::newRow("empty request line") << raw("\r\nX-VT-Token: a\r\nContent-Length: 14") << kBadPath;

        QTest::newRow("line without colon") << request(body, "Broken\r\n") << kBadHeader;
        QTest::newRow("space before colon")
            << raw("POST /cmd HTTP/1.1\r\nX-VT-Token: a\r\nContent-Length : 14") << kBadHeader;
        QTest::newRow("empty name") << request(body, ": x\r\n") << kBadHeader;
        QTest::newRow("name with slash") << request(body, "X/Y: 1\r\n") << kBadHeader;
        QTest::newRow("folded line") << request(body, " continued: 1\r\n") << kBadHeader;
        QTest::newRow("lone LF in header") << request(body, "X-A: 1\nX-B: 2\r\n") << kBadHeader;
        QTest::newRow("lone CR in header") << request(body, "X-A: 1\rX-VT-Token: 2\r\n") << kBadHeader;
        QTest::newRow("NUL in value") << request(body, QByteArray("X-A: 1\0 2\r\n", 11)) << kBadHeader;
        QTest::newRow("NUL in request line") << request(body, {}, QByteArray("POST /cmd\0 HTTP/1.1", 19)) << kBadHeader;
        QTest::newRow("bad UTF-8") << request(body, "X-A: \xff\xfe\r\n") << kBadHeader;
        QTest::newRow("non-ASCII name") << request(body, "X-\xc3\xa9: 1\r\n") << kBadHeader;

        QTest::newRow("duplicate in other case") << request(body, "x-vt-token: " + kToken + "\r\n") << kDuplicate;
        QTest::newRow("duplicate length") << request(body, "content-length: 24\r\n") << kDuplicate;
        QTest::newRow("line without colon before duplicate")
            << request(body, "x-vt-token: a\r\nBroken\r\n") << kBadHeader;

        QTest::newRow("origin") << request(body, "Origin: http://evil.example\r\n") << kNotAllowed;
        QTest::newRow("origin empty") << request(body, "ORIGIN:\r\n") << kNotAllowed;
        QTest::newRow("transfer-encoding") << request(body, "Transfer-Encoding: chunked\r\n") << kNotAllowed;
        QTest::newRow("no length") << raw("POST /cmd HTTP/1.1\r\nX-VT-Token: a") << kNotAllowed;
        QTest::newRow("length 0") << raw("POST /cmd HTTP/1.1\r\nX-VT-Token: a\r\nContent-Length: 0", "") << kNotAllowed;
        QTest::newRow("length -1") << raw("POST /cmd HTTP/1.1\r\nX-VT-Token: a\r\nContent-Length: -1") << kNotAllowed;
        QTest::newRow("length -0") << raw("POST /cmd HTTP/1.1\r\nX-VT-Token: a\r\nContent-Length: -0") << kNotAllowed;
        QTest::newRow("length 3145729") << raw("POST /cmd HTTP/1.1\r\nX-VT-Token: a\r\nContent-Length: 3145729")
                                        << kNotAllowed;
        QTest::newRow("length overflowing 64 bits")
            << raw("POST /cmd HTTP/1.1\r\nX-VT-Token: a\r\nContent-Length: 18446744073709551630") << kNotAllowed;
        QTest::newRow("length wrapping to 14")
            << raw("POST /cmd HTTP/1.1\r\nX-VT-Token: a\r\nContent-Length: 340282366920938463463374607431768211470")
            << kNotAllowed;
        QTest::newRow("length not a number")
            << raw("POST /cmd HTTP/1.1\r\nX-VT-Token: a\r\nContent-Length: 1e3") << kNotAllowed;
        QTest::newRow("length hex") << raw("POST /cmd HTTP/1.1\r\nX-VT-Token: a\r\nContent-Length: 0xe") << kNotAllowed;
        QTest::newRow("length two numbers")
            << raw("POST /cmd HTTP/1.1\r\nX-VT-Token: a\r\nContent-Length: 14 14") << kNotAllowed;
        QTest::newRow("length sign only")
            << raw("POST /cmd HTTP/1.1\r\nX-VT-Token: a\r\nContent-Length: +") << kNotAllowed;
        QTest::newRow("no token") << raw("POST /cmd HTTP/1.1\r\nContent-Length: 14") << kNotAllowed;

        QTest::newRow("body an array") << request("[1,2]") << kBadRequest;
        QTest::newRow("body a number") << request("42") << kBadRequest;
        QTest::newRow("body not JSON") << request("hello") << kBadRequest;
        QTest::newRow("body two objects") << request("{}{}") << kBadRequest;
        QTest::newRow("body bad UTF-8") << request("{\"a\":\"\xff\"}") << kBadRequest;
        QTest::newRow("body deeply nested") << request(QByteArray(5000, '[') + QByteArray(5000, ']')) << kBadRequest;
    }

    void table()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, outcome);
        const Outcome whole = feedSplit(bytes, 0);
        if (outcome.isEmpty()) {
            QCOMPARE(whole.state, RequestParser::State::Done);
            QCOMPARE(whole.request.path, QStringLiteral("/cmd"));
            QVERIFY(!whole.request.token.isEmpty());
            QVERIFY(!whole.request.payload.isEmpty());
        } else if (outcome == QLatin1String("incomplete")) {
            QVERIFY(whole.state == RequestParser::State::Head || whole.state == RequestParser::State::Body);
        } else {
            QCOMPARE(whole.state, RequestParser::State::Failed);
            QCOMPARE(whole.error, outcome);
        }
        // The same outcome in pieces of every size up to 16 bytes, and byte by byte for short ones.
        for (qsizetype step = 1; step <= 16; ++step) {
            const Outcome split = feedSplit(bytes, step);
            if (!(split == whole))
                QFAIL(qPrintable(QStringLiteral("split into %1-byte pieces: %2").arg(step).arg(split.error)));
        }
        // The static form agrees.
        try {
            const auto parsed = RequestParser::parse(bytes);
            QCOMPARE(parsed.has_value(), whole.state == RequestParser::State::Done);
            if (parsed)
                QCOMPARE(*parsed, whole.request);
        } catch (const BrowserError &e) {
            QCOMPARE(e.description(), whole.error);
        }
    }

    // Split at every byte boundary into two pieces, including inside CR LF CR LF.
    void splitAtEveryByte()
    {
        const QByteArray bytes = request("{\"cmd\":\"scan\",\"args\":{\"limit\":10,\"sort\":\"newest\"}}",
                                         "Content-Type: application/json\r\n");
        const Outcome whole = feedSplit(bytes, 0);
        QCOMPARE(whole.state, RequestParser::State::Done);
        for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
            RequestParser parser;
            parser.feed(QByteArrayView(bytes).first(cut));
            if (cut < bytes.size())
                QVERIFY2(parser.state() != RequestParser::State::Done, qPrintable(QString::number(cut)));
            parser.feed(QByteArrayView(bytes).sliced(cut));
            QCOMPARE(parser.state(), whole.state);
            QCOMPARE(parser.request(), whole.request);
        }
        QCOMPARE(whole.request.payload.value(QStringLiteral("args")).toObject().value(QStringLiteral("limit")).toInt(),
                 10);
        QCOMPARE(whole.request.token, QString::fromLatin1(kToken));
    }

    // The token is known once the headers are in, before any body byte.
    void tokenBeforeBody()
    {
        const QByteArray body = "{\"cmd\":\"stop\"}";
        const QByteArray bytes = request(body);
        RequestParser parser;
        QCOMPARE(parser.feed(bytes.chopped(body.size())), RequestParser::State::Body);
        QCOMPARE(parser.request().token, QString::fromLatin1(kToken));
        QCOMPARE(parser.request().path, QStringLiteral("/cmd"));
        QCOMPARE(parser.buffered(), 0);
        QCOMPARE(parser.feed(body), RequestParser::State::Done);
        // Further bytes change nothing.
        QCOMPARE(parser.feed("more"), RequestParser::State::Done);
        QCOMPARE(parser.request().payload.value(QStringLiteral("cmd")).toString(), QStringLiteral("stop"));
    }

    // A head that the caller refuses ends the request before any body byte is taken.
    void deniedHead()
    {
        RequestParser parser;
        int asked = 0;
        parser.acceptHead = [&asked](const RequestParser::Request &r) {
            ++asked;
            return r.token == QLatin1String("good");
        };
        const QByteArray bytes = "POST /cmd HTTP/1.1\r\nX-VT-Token: bad\r\nContent-Length: 8\r\n\r\nnot json";
        QCOMPARE(parser.feed(bytes), RequestParser::State::Denied);
        QCOMPARE(parser.buffered(), 0);
        QCOMPARE(parser.feed("more"), RequestParser::State::Denied);
        QCOMPARE(asked, 1);
    }

    // The largest body is accepted, and nothing past it is ever held.
    void largestBody()
    {
        QByteArray body = "{\"cmd\":\"stop\",\"pad\":\"";
        body += QByteArray(RequestParser::maxBodyBytes - body.size() - 2, 'x') + "\"}";
        QCOMPARE(body.size(), RequestParser::maxBodyBytes);
        const QByteArray head = "POST /cmd HTTP/1.1\r\nX-VT-Token: a\r\nContent-Length: 3145728\r\n\r\n";
        RequestParser parser;
        QCOMPARE(parser.feed(head), RequestParser::State::Body);
        for (qsizetype at = 0; at < body.size(); at += 65536) {
            parser.feed(QByteArrayView(body).sliced(at, std::min<qsizetype>(65536, body.size() - at)));
            QVERIFY(parser.buffered() <= RequestParser::maxBufferBytes);
        }
        QCOMPARE(parser.state(), RequestParser::State::Done);

        // A client that sends far more than it declared in one go: the rest is dropped.
        const QByteArray flood = head + body + QByteArray(2 * RequestParser::maxBufferBytes, 'z');
        const auto parsed = RequestParser::parse(flood);
        QVERIFY(parsed.has_value());
        QCOMPARE(parsed->payload.value(QStringLiteral("pad")).toString().size(), body.size() - 23);
    }

    // A header block that never ends is refused once it cannot end within the limit, whatever
    // the piece size: the buffer stays small.
    void endlessHeader()
    {
        RequestParser parser;
        const QByteArray chunk(1000, 'h');
        int fed = 0;
        while (parser.state() == RequestParser::State::Head && fed < 100) {
            parser.feed(chunk);
            ++fed;
            QVERIFY(parser.buffered() <= RequestParser::maxHeaderBytes + 1000);
        }
        QCOMPARE(parser.state(), RequestParser::State::Failed);
        QCOMPARE(parser.error(), kBadHeader);
        QCOMPARE(fed, 9);
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    AgentRequestTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_agentrequest.moc"
