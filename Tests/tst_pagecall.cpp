// The asynchronous page call: named arguments in, settled value out, in isolated worlds,
// and never a hanging call when the page goes away.
#include "Await.h"
#include "TestHttpServer.h"
#include "TestMain.h"

#include "Page/PageCall.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>

using vt::test::await;

class PageCallTest : public QObject {
    Q_OBJECT
private:
    vt::test::TestHttpServer m_server;
    QWebEnginePage *m_page = nullptr;

    void load()
    {
        QSignalSpy loaded(m_page, &QWebEnginePage::loadFinished);
        m_page->load(m_server.url(QStringLiteral("/page")));
        QVERIFY(loaded.wait(20000));
        QVERIFY(loaded.first().first().toBool());
    }

private slots:
    void initTestCase()
    {
        m_server.route("GET", QStringLiteral("/page"),
                       [](const vt::test::HttpRequest &, const vt::test::HttpResponder &r) {
            r.reply(vt::test::HttpReply::html(
                "<html><body><p id=x>hello</p><script>window.pageSecret = 42;</script></body></html>"));
        });
        QVERIFY(m_server.listen());
        m_page = new QWebEnginePage(this);
        load();
    }

    void values_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hasText");
        QTest::newRow("string") << "return 'abc';"
                                << "string"
                                << "abc" << true;
        QTest::newRow("object") << "return {a: [1, 2], b: null};"
                                << "object"
                                << R"({"a":[1,2],"b":null})" << true;
        QTest::newRow("number") << "return 1.5;"
                                << "number"
                                << "1.5" << true;
        QTest::newRow("null") << "return null;"
                              << "object"
                              << "null" << true;
        QTest::newRow("undefined") << "return;"
                                   << "undefined"
                                   << "" << false;
        QTest::newRow("function") << "return () => 1;"
                                  << "function"
                                  << "" << false;
        QTest::newRow("awaited") << "return await new Promise(r => setTimeout(() => r('late'), 300));"
                                 << "string"
                                 << "late" << true;
        QTest::newRow("dom") << "return document.getElementById('x').textContent;"
                             << "string"
                             << "hello" << true;
        QTest::newRow("unicode") << "return '한글 \\u2028 \"q\"';"
                                 << "string" << QString::fromUtf8("한글 \u2028 \"q\"") << true;
    }
    void values()
    {
        QFETCH(QString, body);
        QFETCH(QString, type);
        QFETCH(QString, text);
        QFETCH(bool, hasText);
        const PageCall::Answer a = await(PageCall::run(m_page, QStringLiteral("vtx"), body));
        QCOMPARE(a.type, type);
        QCOMPARE(a.text.has_value(), hasText);
        if (hasText)
            QCOMPARE(*a.text, text);
    }

    void namedArguments()
    {
        QJsonObject args{{"ids", QJsonArray{"a", "b\u2028"}}, {"url", "https://x/?q='\"</script>"}, {"n", 3}};
        const auto a = await(PageCall::run(m_page, QStringLiteral("vtx"),
                                           QStringLiteral("return JSON.stringify([ids, url, n]);"), args));
        QCOMPARE(*a.text,
                 QString::fromUtf8(
                     QJsonDocument(QJsonArray{args["ids"], args["url"], 3}).toJson(QJsonDocument::Compact)));
    }

    void badArgumentNameIsRefused()
    {
        QVERIFY_THROWS_EXCEPTION(PageCall::Error,
                                 await(PageCall::run(m_page, QStringLiteral("vtx"), QStringLiteral("return 1;"),
                                                     {{"a-b", 1}})));
    }

    // Globals stay in their world: the page's own never leak in, ours never leak out.
    void worldsAreIsolated()
    {
        await(PageCall::run(m_page, QStringLiteral("vtx"), QStringLiteral("window.mine = 'vtx';")));
        QCOMPARE(*await(PageCall::run(m_page, QStringLiteral("vtx"), QStringLiteral("return String(window.mine);")))
                      .text,
                 QStringLiteral("vtx"));
        QCOMPARE(*await(
                      PageCall::run(m_page, QStringLiteral("vtx"), QStringLiteral("return String(window.pageSecret);")))
                      .text,
                 QStringLiteral("undefined"));
        QCOMPARE(*await(PageCall::run(m_page, QStringLiteral("vt-channel"),
                                      QStringLiteral("return String(window.mine);")))
                      .text,
                 QStringLiteral("undefined"));
        QCOMPARE(*await(PageCall::run(m_page, QStringLiteral("main"),
                                      QStringLiteral("return String(window.pageSecret);")))
                      .text,
                 QStringLiteral("42"));
        QVERIFY(!PageCall::worldId(QStringLiteral("other")));
        QCOMPARE(PageCall::worldId(QStringLiteral("vtx")), PageCall::worldId(QStringLiteral("vtx")));
    }

    void errors_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("throw") << "throw new Error('boom');" << int(PageCall::Error::Script) << "boom";
        QTest::newRow("reject") << "await Promise.reject(new TypeError('nope'));" << int(PageCall::Error::Script)
                                << "nope";
        QTest::newRow("throw string") << "throw 'plain';" << int(PageCall::Error::Script) << "plain";
        QTest::newRow("syntax") << "return (;" << int(PageCall::Error::BadCall) << "";
        QTest::newRow("too large") << "return 'x'.repeat(5000);" << int(PageCall::Error::TooLarge) << "";
    }
    void errors()
    {
        QFETCH(QString, body);
        QFETCH(int, kind);
        QFETCH(QString, message);
        PageCall::Options options;
        options.maxChars = 4000;
        try {
            await(PageCall::run(m_page, QStringLiteral("vtx"), body, {}, options));
            QFAIL("no error");
        } catch (const PageCall::Error &e) {
            QCOMPARE(int(e.kind), kind);
            if (!message.isEmpty())
                QVERIFY2(e.message.contains(message), qPrintable(e.message));
        }
    }

    void timeoutEndsANeverSettlingCall()
    {
        PageCall::Options options;
        options.timeoutMs = 300;
        try {
            await(PageCall::run(m_page, QStringLiteral("vtx"), QStringLiteral("await new Promise(() => {});"), {},
                                options));
            QFAIL("no error");
        } catch (const PageCall::Error &e) {
            QCOMPARE(e.kind, PageCall::Error::Timeout);
        }
        // Nothing of the abandoned call stays in the page.
        QTRY_COMPARE_WITH_TIMEOUT(*await(PageCall::run(m_page, QStringLiteral("vtx"),
                                                       QStringLiteral(
                                                           "return String(Object.keys(window.__vtCalls).length);")))
                                       .text,
                                  QStringLiteral("1"), 20000);
    }

    // A reload replaces the document: the stored call is gone and the call fails instead of hanging.
    void reloadFailsThePendingCall()
    {
        auto task = PageCall::run(m_page, QStringLiteral("vtx"), QStringLiteral("await new Promise(() => {});"));
        QTimer::singleShot(200, m_page, [this] { m_page->triggerAction(QWebEnginePage::Reload); });
        try {
            await(std::move(task));
            QFAIL("no error");
        } catch (const PageCall::Error &e) {
            QCOMPARE(e.kind, PageCall::Error::PageChanged);
        }
        QSignalSpy loaded(m_page, &QWebEnginePage::loadFinished);
        loaded.wait(10000);
    }

    void abortSignalFailsAtOnce()
    {
        QTimer trigger;
        PageCall::Options options;
        options.abortSender = &trigger;
        options.abortSignal = SIGNAL(timeout());
        trigger.setSingleShot(true);
        trigger.start(150);
        try {
            await(PageCall::run(m_page, QStringLiteral("vtx"), QStringLiteral("await new Promise(() => {});"), {},
                                options));
            QFAIL("no error");
        } catch (const PageCall::Error &e) {
            QCOMPARE(e.kind, PageCall::Error::PageChanged);
        }
    }

    void stillValidIsChecked()
    {
        bool valid = true;
        PageCall::Options options;
        options.stillValid = [&valid] { return valid; };
        QTimer::singleShot(150, [&valid] { valid = false; });
        QVERIFY_THROWS_EXCEPTION(PageCall::Error,
                                 await(PageCall::run(m_page, QStringLiteral("vtx"),
                                                     QStringLiteral("await new Promise(() => {});"), {}, options)));
    }

    void pageDestroyedFailsThePendingCall()
    {
        auto *page = new QWebEnginePage(this);
        QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
        page->load(m_server.url(QStringLiteral("/page")));
        QVERIFY(loaded.wait(20000));
        auto task = PageCall::run(page, QStringLiteral("vtx"), QStringLiteral("await new Promise(() => {});"));
        QTimer::singleShot(150, page, [page] { delete page; });
        QVERIFY_THROWS_EXCEPTION(PageCall::Error, await(std::move(task)));
    }

    // The render process dies while a call waits: the call fails at once.
    void renderProcessDeathFailsThePendingCall()
    {
        auto *page = new QWebEnginePage(this);
        QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
        page->load(m_server.url(QStringLiteral("/page")));
        QVERIFY(loaded.wait(20000));
        QSignalSpy died(page, &QWebEnginePage::renderProcessTerminated);
        auto task = PageCall::run(page, QStringLiteral("vtx"), QStringLiteral("await new Promise(() => {});"));
        QTimer::singleShot(150, page, [page] { page->load(QUrl(QStringLiteral("chrome://kill"))); });
        try {
            await(std::move(task));
            QFAIL("no error");
        } catch (const PageCall::Error &e) {
            QCOMPARE(e.kind, PageCall::Error::PageChanged);
        }
        QTRY_COMPARE_WITH_TIMEOUT(died.size(), 1, 20000);
        delete page;
    }

    // A long answer crosses in pieces; put back together it is the page's text, unit for unit,
    // also where a piece's end falls inside a surrogate pair, and nothing is left in the page.
    void longAnswersCrossInPieces_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<qlonglong>("slice");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("expected");
        const QString emoji = QString::fromUtf8("\U0001F600");
        QTest::newRow("exactly one piece") << "return 'x'.repeat(64);" << 64LL << "string" << QString(64, u'x');
        QTest::newRow("one unit over") << "return 'x'.repeat(65);" << 64LL << "string" << QString(65, u'x');
        QTest::newRow("many pieces") << "return 'abcdefghij'.repeat(100);" << 64LL << "string"
                                     << QStringLiteral("abcdefghij").repeated(100);
        QTest::newRow("pairs across every odd cut") << "return 'a' + '\\u{1F600}'.repeat(50) + 'z';" << 7LL << "string"
                                                    << QStringLiteral("a") + emoji.repeated(50) + QStringLiteral("z");
        QTest::newRow("pairs, the smallest pieces")
            << "return '\\u{1F600}'.repeat(9) + '한';" << 2LL << "string" << emoji.repeated(9) + QStringLiteral("한");
        QJsonArray list;
        for (int i = 0; i < 200; ++i)
            list.append(QStringLiteral("item %1 한글").arg(i));
        QTest::newRow("an object's JSON")
            << "return {list: Array.from({length: 200}, (_, i) => 'item ' + i + ' 한글')};" << 50LL << "object"
            << QString::fromUtf8(QJsonDocument(QJsonObject{{"list", list}}).toJson(QJsonDocument::Compact));
        // The size a scan's answer has: a high surrogate ends the first default piece.
        QTest::newRow("a scan's size, default pieces")
            << "return 'x' + 'ab\\u{1F600}'.repeat(300000);" << qlonglong(PageCall::Options().sliceChars) << "string"
            << QStringLiteral("x") + (QStringLiteral("ab") + emoji).repeated(300000);
    }
    void longAnswersCrossInPieces()
    {
        QFETCH(QString, body);
        QFETCH(qlonglong, slice);
        QFETCH(QString, type);
        QFETCH(QString, expected);
        PageCall::Options options;
        options.sliceChars = slice;
        const PageCall::Answer a = await(PageCall::run(m_page, QStringLiteral("vtx"), body, {}, options));
        QCOMPARE(a.type, type);
        QVERIFY(a.text.has_value());
        QCOMPARE(a.text->size(), expected.size());
        QVERIFY(*a.text == expected);
        // Only the call asking is still kept.
        const auto left = await(PageCall::run(m_page, QStringLiteral("vtx"),
                                              QStringLiteral("return Object.keys(window.__vtCalls).length;")));
        QCOMPARE(*left.text, QStringLiteral("1"));
    }

    // A page that loses its document between pieces fails the call instead of giving half.
    void documentReplacedBetweenPiecesFails()
    {
        PageCall::Options options;
        options.sliceChars = 4;
        int pieces = 0;
        // Each piece is a poll step: the third reloads the page.
        options.stillValid = [&] {
            if (++pieces == 3)
                m_page->triggerAction(QWebEnginePage::Reload);
            return true;
        };
        try {
            await(
                PageCall::run(m_page, QStringLiteral("vtx"), QStringLiteral("return 'y'.repeat(4000);"), {}, options));
            QFAIL("no error");
        } catch (const PageCall::Error &e) {
            QCOMPARE(e.kind, PageCall::Error::PageChanged);
        }
        QSignalSpy loaded(m_page, &QWebEnginePage::loadFinished);
        loaded.wait(10000);
    }

    // Several calls at once on one page (a scan and its progress polling) each get their own value.
    void concurrentCalls()
    {
        auto slow = PageCall::run(m_page, QStringLiteral("vtx"),
                                  QStringLiteral("await new Promise(r => setTimeout(r, 400)); return 'slow';"));
        auto fast = PageCall::run(m_page, QStringLiteral("vtx"), QStringLiteral("return 'fast';"));
        QCOMPARE(*await(std::move(fast)).text, QStringLiteral("fast"));
        QCOMPARE(*await(std::move(slow)).text, QStringLiteral("slow"));
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QApplication app(argc, argv);
    PageCallTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pagecall.moc"
