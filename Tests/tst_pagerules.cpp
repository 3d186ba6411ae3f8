// The page-side rules on their own: spam verdicts for Korean and English comments (with the
// usual disguises), the likes rule, and the date reading of time.js.
#include "Await.h"
#include "TestHttpServer.h"
#include "TestMain.h"

#include "Page/PageCall.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimeZone>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>

using vt::test::await;

class PageRulesTest : public QObject {
    Q_OBJECT
    vt::test::TestHttpServer m_server;
    QWebEnginePage *m_page = nullptr;
    QString m_scripts;

    QJsonObject judge(const QJsonObject &item, const QJsonObject &opts, const QStringList &owners = {})
    {
        const auto a = await(PageCall::run(m_page, QStringLiteral("vtx"),
            m_scripts + QStringLiteral("\nreturn JSON.stringify(VtxSpam.judge(item, opts, new Set(owners)));"),
            {{"item", item}, {"opts", opts}, {"owners", QJsonArray::fromStringList(owners)}}));
        return QJsonDocument::fromJson(a.text->toUtf8()).object();
    }

private slots:
    void initTestCase()
    {
        for (const char *name : {"spam", "time"}) {
            QFile f(QStringLiteral(":/Resources/ext/%1.js").arg(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::ReadOnly));
            m_scripts += QString::fromUtf8(f.readAll()) + QStringLiteral("\n;\n");
        }
        m_server.route("GET", QStringLiteral("/"), [](const vt::test::HttpRequest &, const vt::test::HttpResponder &r) {
            r.reply(vt::test::HttpReply::html("<html><body></body></html>"));
        });
        QVERIFY(m_server.listen());
        m_page = new QWebEnginePage(this);
        QSignalSpy loaded(m_page, &QWebEnginePage::loadFinished);
        m_page->load(m_server.url());
        QVERIFY(loaded.wait(20000));
    }

    void verdicts_data()
    {
        QTest::addColumn<QString>("author");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code");   // expected among the reasons; empty: not spam
        QTest::newRow("kakao id") << "@a" << "카톡 아이디 vip8282 추가하시면 무료 리딩방 초대" << "contact";
        QTest::newRow("telegram spaced out") << "@a" << "텔 레 그 램 @rich777 으로 연락 주세요" << "contact";
        QTest::newRow("zero-width inside") << "@a" << "카\u200B톡 아이디 abc123 추가" << "contact";
        QTest::newRow("full-width latin") << "@a" << "ＤＭ ｍｅ ｏｎ ＷｈａｔｓＡｐｐ" << "contact";
        QTest::newRow("phone number") << "@a" << "상담 010-1234-5678" << "contact";
        QTest::newRow("signals") << "@a" << "Crypto signals with 90% accuracy, join now" << "invest";
        QTest::newRow("leading room") << "@a" << "코인 선물 리딩방 수익 보장" << "invest";
        QTest::newRow("toto") << "@a" << "안전 놀이터 추천 첫충 20%" << "gambling";
        QTest::newRow("casino") << "@a" << "Free spins at the best online casino" << "gambling";
        QTest::newRow("loan") << "@a" << "무직자 당일 대출 가능" << "loan";
        QTest::newRow("payday") << "@a" << "Instant payday loan, no credit check" << "loan";
        QTest::newRow("side job") << "@a" << "재택 부업으로 월 300 벌어요" << "sidejob";
        QTest::newRow("work from home") << "@a" << "I earn $500 a day working from home" << "sidejob";
        QTest::newRow("adult") << "@a" << "19금 영상 무료로 보세요" << "adult";
        QTest::newRow("hot singles") << "@a" << "Hot singles near you 🔞" << "adult";
        QTest::newRow("prize") << "@a" << "축하합니다 이벤트에 당첨되셨습니다" << "impersonation";
        QTest::newRow("winner") << "@a" << "Congratulations, you have been selected as a winner!" << "impersonation";
        QTest::newRow("testimonial ko") << "@a" << "선생님 덕분에 원금 회복하고 수익 봤어요" << "testimonial";
        QTest::newRow("testimonial en") << "@a" << "Thanks to Mr. John Carter my portfolio doubled" << "testimonial";
        QTest::newRow("promo") << "@a" << "구독자 구매 최저가" << "promo";
        QTest::newRow("shortener") << "@a" << "여기 보세요 bit.ly/abc" << "link";
        QTest::newRow("spaced domain") << "@a" << "visit spinwin .club today" << "link";
        QTest::newRow("promotional author") << "@텔레그램_수익방" << "좋은 영상이네요" << "author";
        QTest::newRow("look-alike of the owner") << "@channe1owner" << "안녕하세요" << "impersonation";
        // Ordinary comments that share words with spam.
        QTest::newRow("online class") << "@a" << "온라인 강의 문의는 어디로 하나요?" << "";
        QTest::newRow("television") << "@a" << "텔레비전에서 보고 왔어요" << "";
        QTest::newRow("recipe thanks") << "@a" << "Thanks to your recipe I made three batches" << "";
        QTest::newRow("diet") << "@a" << "덕분에 3kg 뺐어요" << "";
        QTest::newRow("youtube link") << "@a" << "See also https://www.youtube.com/watch?v=abc" << "";
        QTest::newRow("abuse is for the AI") << "@a" << "이런 쓰레기 영상 왜 올림" << "";
        QTest::newRow("empty") << "@a" << "" << "";
    }
    void verdicts()
    {
        QFETCH(QString, author);
        QFETCH(QString, text);
        QFETCH(QString, code);
        const QJsonObject v = judge({{"id", "x"}, {"text", text}, {"authorName", author}, {"likeCount", 0}}, {},
                                    {QStringLiteral("@channelowner")});
        const QStringList codes = v.value("reason").toString().split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (code.isEmpty()) {
            QCOMPARE(v.value("state").toString(), QStringLiteral("ok"));
            QCOMPARE(v.value("score").toDouble(), 0.0);
        } else {
            QCOMPARE(v.value("state").toString(), QStringLiteral("spam"));
            QVERIFY2(codes.contains(code), qPrintable(v.value("reason").toString()));
            QVERIFY(v.value("score").toDouble() >= 0.5 && v.value("score").toDouble() <= 1.0);
        }
    }

    void specialCases_data()
    {
        QTest::addColumn<QJsonObject>("item");
        QTest::addColumn<QJsonObject>("opts");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("reason");
        const QJsonObject spam{{"id", "x"}, {"text", "카톡 아이디 vip8282 추가"}, {"authorName", "@a"}, {"likeCount", 3}};
        QJsonObject owner = spam;
        owner["isOwner"] = true;
        QJsonObject flagged{{"id", "x"}, {"text", "nice video"}, {"authorName", "@a"}, {"siteSpam", true}};
        QJsonObject unknownLikes = spam;
        unknownLikes.remove("likeCount");
        QTest::newRow("owner is never spam") << owner << QJsonObject{} << "ok" << "";
        QTest::newRow("site's own marking") << flagged << QJsonObject{} << "spam" << "youtube";
        QTest::newRow("liked, likes rule on") << spam << QJsonObject{{"noLikesOnly", true}, {"minLikes", 1}} << "skip" << "좋아요가 있어 검사에서 제외";
        QTest::newRow("below the minimum") << spam << QJsonObject{{"noLikesOnly", true}, {"minLikes", 5}} << "spam" << "contact";
        QTest::newRow("likes unknown") << unknownLikes << QJsonObject{{"noLikesOnly", true}, {"minLikes", 1}} << "spam" << "contact";
    }
    void specialCases()
    {
        QFETCH(QJsonObject, item);
        QFETCH(QJsonObject, opts);
        QFETCH(QString, state);
        QFETCH(QString, reason);
        const QJsonObject v = judge(item, opts);
        QCOMPARE(v.value("state").toString(), state);
        if (state == QLatin1String("spam"))
            QVERIFY(v.value("reason").toString().split(',').contains(reason));
        else
            QCOMPARE(v.value("reason").toString(), reason);
    }

    void times_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("agoMs");   // -1: absolute date below; -2: unreadable
        QTest::newRow("days") << "3 days ago" << 3 * 86400000.0;
        QTest::newRow("edited") << "2 weeks ago (edited)" << 14 * 86400000.0;
        QTest::newRow("korean hours") << "5시간 전" << 5 * 3600000.0;
        QTest::newRow("korean edited") << "1개월 전(수정됨)" << 30 * 86400000.0;
        QTest::newRow("just now") << "방금 전" << 0.0;
        QTest::newRow("one year") << "1 year ago" << 365 * 86400000.0;
        QTest::newRow("korean date") << "2026. 3. 1." << -1.0;
        QTest::newRow("garbage") << "soon" << -2.0;
    }
    void times()
    {
        QFETCH(QString, text);
        QFETCH(double, agoMs);
        const auto a = await(PageCall::run(m_page, QStringLiteral("vtx"),
            m_scripts + QStringLiteral("\nconst now = 1780000000000; const t = VtxTime.parse(text, now); return JSON.stringify(t === null ? null : now - t);"),
            {{"text", text}}));
        const QJsonValue v = QJsonDocument::fromJson("[" + a.text->toUtf8() + "]").array().at(0);
        if (agoMs == -2.0)
            QVERIFY(v.isNull());
        else if (agoMs == -1.0)
            QCOMPARE(1780000000000.0 - v.toDouble(), double(QDateTime(QDate(2026, 3, 1), QTime(0, 0), QTimeZone::utc()).toMSecsSinceEpoch()));
        else
            QCOMPARE(v.toDouble(), agoMs);
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QApplication app(argc, argv);
    PageRulesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pagerules.moc"
