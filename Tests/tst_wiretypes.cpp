// Page-script answers: exact keys, required/optional/default rules, encoding, and hostile input.
#include "Base/Lang.h"
#include "Wire/Comment.h"
#include "Wire/FoundPost.h"
#include "Wire/Recent.h"
#include "Wire/RemoveResult.h"
#include "Wire/ScanProgress.h"
#include "Wire/ScanResult.h"
#include "Wire/SiteInfo.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QTest>

#include <functional>

namespace {

const char *kComment = R"({"id":"c1","text":"hello","authorName":"@a","publishedAt":1700000000000,
    "likeCount":3,"order":0,"state":"ok","reason":"","score":0.25,"checked":false,"aiKind":"spam",
    "aiProb":0.5,"knownSpammer":true,"isOwner":true,"avatar":"https://x/a.jpg","hits":["w"]})";

QJsonObject commentObject()
{
    return QJsonDocument::fromJson(kComment).object();
}

// Base comment with the given keys replaced (a null value in patch removes the key when remove is set).
QByteArray patchedComment(const QByteArray &patch, const QStringList &remove = {})
{
    QJsonObject o = commentObject();
    for (const QString &key : remove)
        o.remove(key);
    const QJsonObject p = QJsonDocument::fromJson(patch).object();
    for (auto it = p.begin(); it != p.end(); ++it)
        o.insert(it.key(), it.value());
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QByteArray scanResult(const QByteArray &items, const QByteArray &extra = {})
{
    return R"({"items":)" + items + R"(,"siteSorted":false,"total":2,"canRemove":true,"likesUnknown":false)" + extra
        + "}";
}

using Decoder = std::function<void(const QByteArray &)>;

Decoder decoderFor(const QString &type, qsizetype maxBytes)
{
    if (type == "comment")
        return [=](const QByteArray &b) { Comment::fromJsonBytes(b, maxBytes); };
    if (type == "scan")
        return [=](const QByteArray &b) { ScanResult::fromJsonBytes(b, maxBytes); };
    if (type == "info")
        return [=](const QByteArray &b) { SiteInfo::fromJsonBytes(b, maxBytes); };
    if (type == "progress")
        return [=](const QByteArray &b) { ScanProgress::fromJsonBytes(b, maxBytes); };
    if (type == "remove")
        return [=](const QByteArray &b) { RemoveResult::fromJsonBytes(b, maxBytes); };
    return [=](const QByteArray &b) { JsonReader::decodeBool(b, maxBytes); };
}

}   // namespace

class WireTypesTest : public QObject {
    Q_OBJECT
private slots:
    // A comment's fields after decoding, read back through the encoding (absent = key left out).
    void commentFields_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QJsonValue>("expected");

        const QJsonValue absent(QJsonValue::Undefined);
        QTest::newRow("checked missing is true") << patchedComment({}, {"checked"}) << "checked" << QJsonValue(true);
        QTest::newRow("checked false") << patchedComment(R"({"checked":false})") << "checked" << QJsonValue(false);
        QTest::newRow("checked null is true") << patchedComment(R"({"checked":null})") << "checked" << QJsonValue(true);
        QTest::newRow("hits missing is empty") << patchedComment({}, {"hits"}) << "hits" << QJsonValue(QJsonArray());
        QTest::newRow("hits null is empty") << patchedComment(R"({"hits":null})") << "hits" << QJsonValue(QJsonArray());
        QTest::newRow("knownSpammer null is false")
            << patchedComment(R"({"knownSpammer":null})") << "knownSpammer" << QJsonValue(false);
        QTest::newRow("isOwner missing is false") << patchedComment({}, {"isOwner"}) << "isOwner" << QJsonValue(false);
        QTest::newRow("likeCount 12") << patchedComment(R"({"likeCount":12})") << "likeCount" << QJsonValue(12.0);
        QTest::newRow("likeCount missing stays absent") << patchedComment({}, {"likeCount"}) << "likeCount" << absent;
        QTest::newRow("likeCount 0 is not absent")
            << patchedComment(R"({"likeCount":0})") << "likeCount" << QJsonValue(0.0);
        QTest::newRow("avatar null is absent") << patchedComment(R"({"avatar":null})") << "avatar" << absent;
        QTest::newRow("aiProb missing is absent") << patchedComment({}, {"aiProb"}) << "aiProb" << absent;
        QTest::newRow("authorId missing stays absent") << patchedComment({}) << "authorId" << absent;
        QTest::newRow("authorId null is absent") << patchedComment(R"({"authorId":null})") << "authorId" << absent;
        QTest::newRow("authorId kept") << patchedComment(R"({"authorId":"UCx1"})") << "authorId" << QJsonValue("UCx1");
        QTest::newRow("unknown keys ignored") << patchedComment(R"({"extra":{"deep":[1,2]}})") << "extra" << absent;
        QTest::newRow("order whole float") << patchedComment(R"({"order":7.0})") << "order" << QJsonValue(7);
    }
    void commentFields()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, key);
        QFETCH(QJsonValue, expected);
        const QJsonObject encoded = Comment::fromJsonBytes(json).toJson();
        QCOMPARE(encoded.value(key), expected);
    }

    // Every answer that does not fit its type fails with the decoder's error naming the key.
    void decodeFailures_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<qsizetype>("maxBytes");
        QTest::addColumn<QString>("message");   // expected part of what()

        const qsizetype cap = JsonReader::defaultMaxBytes;
        const QByteArray good = kComment;
        const QByteArray noScore = patchedComment({}, {"score"});
        QTest::newRow("missing score fails the whole scan")
            << "scan" << scanResult("[" + good + "," + noScore + "]") << cap << "items[1].score: missing";
        QTest::newRow("null score") << "comment" << patchedComment(R"({"score":null})") << cap << "score: null";
        QTest::newRow("missing id") << "comment" << patchedComment({}, {"id"}) << cap << "id: missing";
        QTest::newRow("order as text") << "comment" << patchedComment(R"({"order":"3"})") << cap
                                       << "order: expected a number, found a string";
        QTest::newRow("order fractional")
            << "comment" << patchedComment(R"({"order":3.5})") << cap << "order: expected a whole number";
        QTest::newRow("order huge") << "comment" << patchedComment(R"({"order":1e20})") << cap
                                    << "order: number too large";
        QTest::newRow("likeCount huge") << "comment" << patchedComment(R"({"likeCount":1e300})") << cap
                                        << "likeCount: number too large";
        QTest::newRow("publishedAt beyond double")
            << "comment" << QByteArray(R"({"publishedAt":1e400})") << cap << "malformed JSON";
        QTest::newRow("NaN literal") << "comment" << QByteArray(R"({"score":NaN})") << cap << "malformed JSON";
        QTest::newRow("Infinity literal") << "scan" << QByteArray(R"({"total":-Infinity})") << cap << "malformed JSON";
        QTest::newRow("checked as number")
            << "comment" << patchedComment(R"({"checked":1})") << cap << "checked: expected a boolean";
        QTest::newRow("hits element not text")
            << "comment" << patchedComment(R"({"hits":["a",2]})") << cap << "hits[1]: expected a string";
        QTest::newRow("hits not a list") << "comment" << patchedComment(R"({"hits":"a"})") << cap
                                         << "hits: expected an array";
        QTest::newRow("authorId as number") << "comment" << patchedComment(R"({"authorId":4242})") << cap
                                            << "authorId: expected a string, found a number";
        QTest::newRow("aiKind wrong type")
            << "comment" << patchedComment(R"({"aiKind":{}})") << cap << "aiKind: expected a string, found an object";
        QTest::newRow("comment is an array")
            << "comment" << QByteArray("[]") << cap << "expected an object, found an array";
        QTest::newRow("items element not object")
            << "scan" << scanResult("[1]") << cap << "items[0]: expected an object";
        QTest::newRow("items not a list") << "scan" << scanResult("{}") << cap << "items: expected an array";
        QTest::newRow("pageMs wrong type")
            << "scan" << scanResult("[]", R"(,"pageMs":"1")") << cap << "pageMs: expected a number";
        QTest::newRow("caughtUp wrong type")
            << "scan" << scanResult("[]", R"(,"caughtUp":"yes")") << cap << "caughtUp: expected a boolean";
        QTest::newRow("info without url")
            << "info"
            << QByteArray(
                   R"({"site":"y","supported":true,"canRemove":false,"intro":"","guide":"","emptyText":"","readOnlyHint":""})")
            << cap << "url: missing";
        QTest::newRow("empty progress") << "progress" << QByteArray("{}") << cap << "phase: missing";
        QTest::newRow("progress sample broken")
            << "progress" << QByteArray(R"({"phase":"collect","count":1,"total":2,"text":"","samples":[{}]})") << cap
            << "samples[0].id: missing";
        QTest::newRow("stopped without kind")
            << "remove" << QByteArray(R"({"gone":[],"stopped":{"text":"x"}})") << cap << "stopped.kind: missing";
        QTest::newRow("gone missing") << "remove" << QByteArray("{}") << cap << "gone: missing";
        QTest::newRow("bool as number") << "bool" << QByteArray("1") << cap << "expected a boolean";
        QTest::newRow("empty answer") << "scan" << QByteArray("") << cap << "malformed JSON";
        QTest::newRow("two values") << "bool" << QByteArray("true,false") << cap << "malformed JSON";
        QTest::newRow("trailing garbage") << "comment" << good + "]" << cap << "malformed JSON";
        QTest::newRow("invalid UTF-8") << "comment" << QByteArray("{\"id\":\"\xff\"}") << cap << "malformed JSON";
        QTest::newRow("deeply nested") << "scan"
                                       << "{\"items\":" + QByteArray(100000, '[') + QByteArray(100000, ']') + "}" << cap
                                       << "malformed JSON";
        QTest::newRow("nested in an ignored key")
            << "comment"
            << "{\"x\":" + QByteArray(5000, '[') + QByteArray(5000, ']') + "}" << cap << "malformed JSON";
        QTest::newRow("over the size cap")
            << "scan" << scanResult("[" + good + "]") << qsizetype(100) << "answer too large";
    }
    void decodeFailures()
    {
        QFETCH(QString, type);
        QFETCH(QByteArray, json);
        QFETCH(qsizetype, maxBytes);
        QFETCH(QString, message);
        try {
            decoderFor(type, maxBytes)(json);
            QFAIL("decoding succeeded");
        } catch (const DecodeError &e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
    }

    // Values handed over as JSON values (not text) can hold what JSON text cannot.
    void nonFiniteValues()
    {
        for (double bad : {qQNaN(), qInf(), -qInf()}) {
            QJsonObject o = commentObject();
            o.insert("aiProb", bad);
            QVERIFY_THROWS_EXCEPTION(DecodeError, Comment::fromJson(o));
        }
    }

    void answers()
    {
        // Optional flags: absent is its own value.
        const ScanResult plain = ScanResult::fromJsonBytes(scanResult("[" + QByteArray(kComment) + "]"));
        QCOMPARE(plain.items.size(), 1);
        QVERIFY(!plain.caughtUp.has_value());
        QVERIFY(!plain.limited.has_value());
        const ScanResult flagged = ScanResult::fromJsonBytes(scanResult("[]", R"(,"caughtUp":false,"hidden":null)"));
        QCOMPARE(flagged.caughtUp, std::optional<bool>(false));
        QVERIFY(!flagged.hidden.has_value());
        QVERIFY(!flagged.toJson().contains("hidden"));
        QCOMPARE(ScanResult::fromJson(flagged.toJson()), flagged);
        // Why a collection is partial, and the page's own time, when the page gives them.
        QVERIFY(!plain.partial && !plain.pageMs);
        const ScanResult partial = ScanResult::fromJsonBytes(scanResult("[]", R"(,"partial":"cut","pageMs":812.5)"));
        QCOMPARE(partial.partial, std::optional<QString>("cut"));
        QCOMPARE(partial.pageMs, std::optional<double>(812.5));
        QCOMPARE(ScanResult::fromJson(partial.toJson()), partial);

        // No progress is not an error.
        QVERIFY(!ScanProgress::fromJsonBytes("null").has_value());
        const auto progress = ScanProgress::fromJsonBytes(
            R"({"phase":"delete","count":1,"total":3,"text":"삭제 중… 1/3","gone":["a"],"extra":1})");
        QVERIFY(progress.has_value());
        QCOMPARE(progress->gone, std::optional<QStringList>(QStringList{"a"}));
        QVERIFY(!progress->samples.has_value());

        // Nothing deleted is a valid answer.
        const RemoveResult none = RemoveResult::fromJsonBytes(R"({"gone":[]})");
        QVERIFY(none.gone.isEmpty());
        QVERIFY(!none.stopped.has_value());
        const RemoveResult stopped = RemoveResult::fromJsonBytes(
            R"({"gone":["x"],"stopped":{"text":"t","kind":"blocked"}})");
        QCOMPARE(stopped.stopped->kind, QString("blocked"));

        QCOMPARE(JsonReader::decodeBool(" true "), true);
        QCOMPARE(JsonReader::decodeBool("false"), false);

        const SiteInfo info = SiteInfo::fromJsonBytes(R"({"site":"youtube","supported":true,"canRemove":false,
            "intro":"i","guide":"g","emptyText":"e","readOnlyHint":"r","commentsUrl":null,"url":"u","thumbnail":"t"})");
        QVERIFY(!info.commentsUrl.has_value());
        QCOMPARE(info.thumbnail, std::optional<QString>("t"));
        QCOMPARE(SiteInfo::fromJson(info.toJson()), info);
    }

    // The page's messages in every answer that carries one: a code, a code with values (as JSON
    // text or as an object), an older script's sentence; a value of the wrong type costs the answer
    // nothing and reads as a message that could not be read.
    void pageMessages_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("shown");   // in English
        const QString unreadable = QStringLiteral("The page sent a message that couldn't be read.");
        QTest::newRow("code") << QByteArray(R"("cancelled")") << "Deletion cancelled.";
        QTest::newRow("values as JSON text")
            << QByteArray("\"{\\\"code\\\":\\\"progress.deleting\\\",\\\"args\\\":[1,3]}\"") << "Deleting… 1/3";
        QTest::newRow("values as an object")
            << QByteArray(R"({"code":"progress.deleting","args":[1,3]})") << "Deleting… 1/3";
        QTest::newRow("older script's sentence") << QByteArray(R"("삭제 중… 1/3")") << "삭제 중… 1/3";
        QTest::newRow("number") << QByteArray("42") << unreadable;
        QTest::newRow("list") << QByteArray(R"(["cancelled"])") << unreadable;
        QTest::newRow("true") << QByteArray("true") << unreadable;
        QTest::newRow("object without a code") << QByteArray(R"({"text":"cancelled"})") << unreadable;
    }
    void pageMessages()
    {
        QFETCH(QByteArray, value);
        QFETCH(QString, shown);
        const SiteInfo info = SiteInfo::fromJsonBytes(
            R"({"site":"youtube","supported":true,"canRemove":false,"intro":)" + value
            + R"(,"guide":"g","emptyText":"e","readOnlyHint":"r","url":"u"})");
        QCOMPARE(englishSiteMessage(info.intro), shown);
        QCOMPARE(info.url, QStringLiteral("u"));
        const ScanResult scan = ScanResult::fromJsonBytes(scanResult("[]", ",\"partial\":" + value));
        QVERIFY(scan.partial);
        QCOMPARE(englishSiteMessage(*scan.partial), shown);
        QCOMPARE(scan.total, 2);
        const auto progress = ScanProgress::fromJsonBytes(R"({"phase":"delete","count":1,"total":3,"text":)" + value
                                                          + "}");
        QVERIFY(progress);
        QCOMPARE(englishSiteMessage(progress->text), shown);
        const RemoveResult removed = RemoveResult::fromJsonBytes(R"({"gone":["x"],"stopped":{"text":)" + value
                                                                 + R"(,"kind":"error"}})");
        QVERIFY(removed.stopped);
        QCOMPARE(englishSiteMessage(removed.stopped->text), shown);
        QCOMPARE(removed.gone, QStringList{"x"});
        // Written back and read again, the message says the same.
        QCOMPARE(englishSiteMessage(RemoveResult::fromJson(removed.toJson()).stopped->text), shown);
    }

    void commentEncoding()
    {
        const Comment full = Comment::fromJsonBytes(kComment);
        QCOMPARE(full.toJson(), commentObject());   // every key, same names
        QCOMPARE(Comment::fromJson(full.toJson()), full);

        Comment bare = full;
        bare.publishedAt.reset();
        bare.likeCount.reset();
        bare.aiKind.reset();
        bare.aiProb.reset();
        bare.avatar.reset();
        bare.hits.clear();
        const QJsonObject o = bare.toJson();
        QCOMPARE(o.size(), 11);
        QVERIFY(o.contains("checked") && o.contains("knownSpammer") && o.contains("isOwner") && o.contains("hits"));
        QCOMPARE(Comment::listFromJson(Comment::toJsonArray({bare, full})), (QList<Comment>{bare, full}));
    }

    void optionRecords()
    {
        const Recent recent{{"a", "b"}, {"c"}};
        QCOMPARE(recent.toJson(),
                 QJsonDocument::fromJson(R"({"known":["a","b"],"need":["c"],"stopAtKnown":12})").object());
        QVERIFY((FoundPost{"u", "", std::nullopt}) != (FoundPost{"u", "", QString("t")}));
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    WireTypesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_wiretypes.moc"
