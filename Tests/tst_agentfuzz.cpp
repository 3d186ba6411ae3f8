// Random requests against the control request parser: random bytes, and real requests with
// random damage, each fed whole and in random pieces. Nothing may crash, the buffer stays within
// its limit, and the outcome never depends on where the bytes were split.
//
// The run is seeded and bounded by a number of inputs: VT_FUZZ_SEED and VT_FUZZ_INPUTS change them
// (a failure prints the seed and the input that differed).
#include "TestMain.h"

#include "Agent/RequestParser.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTest>

namespace {

struct Outcome {
    RequestParser::State state;
    QString error;
    RequestParser::Request request;
    bool operator==(const Outcome &) const = default;
};

class Fuzzer {
public:
    explicit Fuzzer(quint64 seed)
        : m_random(seed)
    {
    }

    int below(int n) { return n <= 1 ? 0 : int(m_random.bounded(n)); }
    bool chance(int percent) { return below(100) < percent; }

    QByteArray randomBytes(int max)
    {
        QByteArray bytes(below(max + 1), Qt::Uninitialized);
        for (char &c : bytes)
            c = char(pick(QByteArray("\r\n\0: \t{}\"POST/cmdx-vt-tokencontent-length0123456789", 46), 40));
        return bytes;
    }

    // A request as a client might send it, with some of its parts wrong.
    QByteArray request()
    {
        static const QList<QByteArray> lines = {"POST /cmd HTTP/1.1",
                                                "POST  /cmd  HTTP/1.0",
                                                "post /cmd HTTP/1.1",
                                                "POST /cmd",
                                                "GET /cmd HTTP/1.1",
                                                "POST /cmd?x HTTP/1.1",
                                                ""};
        static const QList<QByteArray> extras = {"Content-Type: application/json",
                                                 "Origin: x",
                                                 "Transfer-Encoding: chunked",
                                                 "X-VT-Token: again",
                                                 "x-vt-token: dup",
                                                 "Bad Header",
                                                 ": empty",
                                                 " folded: 1",
                                                 "X-A: 1\n2",
                                                 "X-B: \xff",
                                                 "Host: 127.0.0.1",
                                                 QByteArray("X-N: \0", 6),
                                                 "Content-Length: 5"};
        static const QList<QByteArray> bodies = {R"({"cmd":"stop"})",
                                                 R"({"cmd":"scan","args":{"limit":5}})",
                                                 "[]",
                                                 "1",
                                                 "{",
                                                 R"({"a":"\u0000"})",
                                                 "{}",
                                                 "nul"};
        QByteArray body = bodies.at(below(bodies.size()));
        if (chance(10))
            body = randomBytes(40);
        QList<QByteArray> headers;
        if (!chance(5))
            headers << "X-VT-Token: " + (chance(50) ? QByteArray("tok") : randomBytes(8));
        if (!chance(5)) {
            QByteArray length = QByteArray::number(body.size());
            switch (below(8)) {
            case 0:
                length = QByteArray::number(body.size() + below(5) - 2);
                break;
            case 1:
                length = "99999999999999999999999";
                break;
            case 2:
                length = "-" + length;
                break;
            case 3:
                length = " +" + length + " ";
                break;
            default:
                break;
            }
            headers << "Content-Length: " + length;
        }
        for (int i = chance(50) ? 0 : below(4); i > 0; --i)
            headers << extras.at(below(extras.size()));
        if (chance(5))
            headers << "X-Pad: " + QByteArray(8100 + below(200), 'p');
        std::shuffle(headers.begin(), headers.end(), m_random);
        QByteArray bytes = lines.at(chance(60) ? below(2) : below(lines.size()));
        for (const QByteArray &h : std::as_const(headers))
            bytes += "\r\n" + h;
        bytes += "\r\n\r\n" + body;
        if (chance(20))
            bytes += randomBytes(20);
        // Random damage: flipped, dropped or inserted bytes.
        for (int i = chance(30) ? below(4) + 1 : 0; i > 0 && !bytes.isEmpty(); --i) {
            const int at = below(bytes.size());
            switch (below(3)) {
            case 0:
                bytes[at] = char(below(256));
                break;
            case 1:
                bytes.remove(at, 1);
                break;
            default:
                bytes.insert(at, char(pick(QByteArray("\r\n\0:", 4), 4)));
                break;
            }
        }
        return bytes;
    }

    QByteArray input()
    {
        if (chance(15))
            return randomBytes(200);
        if (chance(3))
            return QByteArray(8190 + below(10), 'a') + QByteArray("\r\n\r\n").left(below(5));
        return request();
    }

    // Feeds the bytes in random pieces (or whole).
    Outcome feed(const QByteArray &bytes, bool whole, qsizetype *maxBuffered)
    {
        RequestParser parser;
        qsizetype at = 0;
        while (at < bytes.size() || (at == 0 && bytes.isEmpty())) {
            const qsizetype size = whole ? bytes.size()
                                         : std::min<qsizetype>(bytes.size() - at, 1 + below(chance(50) ? 3 : 64));
            parser.feed(QByteArrayView(bytes).sliced(at, size));
            *maxBuffered = std::max(*maxBuffered, parser.buffered());
            at += size;
            if (bytes.isEmpty())
                break;
        }
        return {parser.state(), parser.error(), parser.request()};
    }

private:
    char pick(const QByteArray &from, int limit) { return from.at(below(std::min<int>(limit, from.size()))); }
    QRandomGenerator64 m_random;
};

}   // namespace

class AgentFuzzTest : public QObject {
    Q_OBJECT
private slots:
    void randomSplits()
    {
        const quint64 seed = qEnvironmentVariableIsSet("VT_FUZZ_SEED")
            ? qEnvironmentVariable("VT_FUZZ_SEED").toULongLong()
            : 20261210;
        const int inputs = qEnvironmentVariableIsSet("VT_FUZZ_INPUTS") ? qEnvironmentVariableIntValue("VT_FUZZ_INPUTS")
                                                                       : 50000;
        Fuzzer fuzz(seed);
        int done = 0;
        int failed = 0;
        qsizetype maxBuffered = 0;
        for (int i = 0; i < inputs; ++i) {
            const QByteArray bytes = fuzz.input();
            const Outcome whole = fuzz.feed(bytes, true, &maxBuffered);
            for (int split = 0; split < 3; ++split) {
                const Outcome pieces = fuzz.feed(bytes, false, &maxBuffered);
                if (!(pieces == whole)) {
                    QFAIL(qPrintable(QStringLiteral("seed %1, input %2 (%3): whole gave %4 \"%5\", pieces %6 \"%7\"")
                                         .arg(seed)
                                         .arg(i)
                                         .arg(QString::fromLatin1(bytes.left(300).toPercentEncoding()))
                                         .arg(int(whole.state))
                                         .arg(whole.error)
                                         .arg(int(pieces.state))
                                         .arg(pieces.error)));
                }
            }
            done += whole.state == RequestParser::State::Done;
            failed += whole.state == RequestParser::State::Failed;
        }
        QVERIFY(maxBuffered <= RequestParser::maxBufferBytes);
        // The generator reaches both ends: some requests pass, many are refused.
        QVERIFY(done > 0);
        QVERIFY(failed > 0);
        qInfo("seed %llu: %d inputs, %d accepted, %d refused", seed, inputs, done, failed);
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    AgentFuzzTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_agentfuzz.moc"
