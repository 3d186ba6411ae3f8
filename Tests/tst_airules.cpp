// AI scores, failures and the verdict rules.
#include "Base/Lang.h"
#include "Rules/AIRules.h"
#include "LanguageScope.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QTest>

class AIRulesTest : public QObject {
    Q_OBJECT
private slots:
    void verdict_data()
    {
        QTest::addColumn<double>("spam");
        QTest::addColumn<double>("abuse");
        QTest::addColumn<double>("sexual");
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<double>("prob");

        const QStringList all{"spam", "abuse", "sexual"};
        QTest::newRow("no kinds") << 0.9 << 0.9 << 0.9 << QStringList{} << "spam" << 0.0;
        QTest::newRow("tie keeps the earlier, sum") << 0.3 << 0.3 << 0.0 << all << "spam" << 0.6;
        QTest::newRow("sum capped at 1") << 0.7 << 0.8 << 0.0 << all << "abuse" << 1.0;
        QTest::newRow("only asked kinds count") << 0.95 << 0.99 << 0.99 << QStringList{"spam"} << "spam" << 0.95;
        QTest::newRow("two asked add up") << 0.5 << 0.4 << 0.9 << QStringList{"spam", "abuse"} << "spam" << 0.9;
        QTest::newRow("unknown first kind, all zero")
            << 0.0 << 0.0 << 0.0 << QStringList{"hate", "spam", "abuse"} << "hate" << 0.0;
        QTest::newRow("unknown first kind loses to a score")
            << 0.2 << 0.0 << 0.0 << QStringList{"hate", "spam"} << "spam" << 0.2;
        QTest::newRow("listed twice counts twice") << 0.3 << 0.0 << 0.0 << QStringList{"spam", "spam"} << "spam" << 0.6;
        QTest::newRow("sexual wins") << 0.1 << 0.2 << 0.6 << all << "sexual" << 0.9;
    }
    void verdict()
    {
        QFETCH(double, spam);
        QFETCH(double, abuse);
        QFETCH(double, sexual);
        QFETCH(QStringList, kinds);
        QFETCH(QString, kind);
        QFETCH(double, prob);
        const auto v = AIRules::verdict(AIScore{spam, abuse, sexual}, kinds);
        QCOMPARE(v.kind, kind);
        QCOMPARE(v.prob, prob);
    }

    void message_data()
    {
        QTest::addColumn<qint64>("status");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("en");
        QTest::addColumn<QString>("ko");
        QTest::newRow("signed out") << qint64(401) << "signed-out"
                                    << "You were signed out. Sign in again in Settings."
                                    << "로그인이 풀렸습니다. 검사 설정에서 다시 로그인하세요.";
        QTest::newRow("known code beats 429") << qint64(429) << "ai-off"
                                              << "The AI check isn't turned on at the server yet."
                                              << "서버에서 AI 검사가 아직 켜져 있지 않습니다.";
        QTest::newRow("unreachable") << qint64(0) << "unreachable"
                                     << "Couldn't reach the Glimora server."
                                     << "Glimora 서버에 연결하지 못했습니다.";
        QTest::newRow("busy") << qint64(429) << "failed"
                              << "The AI check is busy. Try again in a moment."
                              << "AI 검사 요청이 몰려 있습니다. 잠시 뒤에 다시 시도하세요.";
        QTest::newRow("server error") << qint64(500) << "failed"
                                      << "The AI check request failed (500)."
                                      << "AI 검사 요청이 실패했습니다(500).";
        QTest::newRow("no reply, unknown code") << qint64(0) << "boom"
                                                << "The AI check request failed (0)."
                                                << "AI 검사 요청이 실패했습니다(0).";
    }
    void message()
    {
        QFETCH(qint64, status);
        QFETCH(QString, code);
        QFETCH(QString, en);
        QFETCH(QString, ko);
        const APIFailure failure(status, code);
        QCOMPARE(inLanguage(false, [&] { return AIRules::message(failure); }), en);
        QCOMPARE(inLanguage(true, [&] { return AIRules::message(failure); }), ko);
        QCOMPARE(AIRules::message(failure), Lang::system() ? ko : en);
    }

    void scoreDecoding_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("decodes");        // AIScore::fromJson
        QTest::addColumn<bool>("replyElement");   // AIScore::fromReplyElement
        QTest::newRow("numbers") << QByteArray(R"({"spam":0.1,"abuse":0,"sexual":1,"other":"x"})") << true << true;
        QTest::newRow("null member") << QByteArray(R"({"spam":0.1,"abuse":null,"sexual":0})") << false << false;
        QTest::newRow("missing member") << QByteArray(R"({"spam":0.1,"abuse":0})") << false << false;
        QTest::newRow("text member") << QByteArray(R"({"spam":"0.1","abuse":0,"sexual":0})") << false << false;
        QTest::newRow("null element") << QByteArray("null") << false << false;
        QTest::newRow("array element") << QByteArray("[0.1,0,0]") << false << false;
        QTest::newRow("large but finite") << QByteArray(R"({"spam":1e300,"abuse":0,"sexual":1})") << true << true;
    }
    void scoreDecoding()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, decodes);
        QFETCH(bool, replyElement);
        const QJsonValue value = JsonReader::parse(json);
        bool ok = true;
        try {
            const AIScore score = AIScore::fromJson(value);
            QCOMPARE(score, (AIScore{score.spam > 1 ? 1e300 : 0.1, 0, 1}));
            QCOMPARE(AIScore::fromReplyElement(value), std::optional<AIScore>(score));
        } catch (const DecodeError &) {
            ok = false;
        }
        QCOMPARE(ok, decodes);
        QCOMPARE(AIScore::fromReplyElement(value).has_value(), replyElement);
    }
    void replyElementRefusesNonFinite()
    {
        for (double bad : {qQNaN(), qInf()}) {
            const QJsonObject o{{"spam", bad}, {"abuse", 0.0}, {"sexual", 0.0}};
            QVERIFY(!AIScore::fromReplyElement(o).has_value());
        }
    }

    void tables()
    {
        QCOMPARE(AIRules::kinds(), QStringList({"spam", "abuse", "sexual"}));
        QCOMPARE(AIRules::optional(), QStringList({"abuse", "sexual"}));
        QCOMPARE(inLanguage(false, [] { return AIRules::labels(); }).value("sexual"), QString("Sexual content"));
        QCOMPARE(inLanguage(true, [] { return AIRules::labels(); }).value("abuse"), QString("욕설·비방"));
        QCOMPARE(AIRules::labels().value("abuse"), Lang::system() ? QString("욕설·비방") : QString("Abuse"));
        QCOMPARE(AIRules::threshold({}, "spam"), 90);
        QCOMPARE(AIRules::threshold({}, "abuse"), 50);
        QCOMPARE(AIRules::threshold({{"abuse", 70}}, "abuse"), 70);
        QCOMPARE(AIRules::threshold({}, "hate"), 90);
        QCOMPARE(APIFailure(429, "x"), APIFailure(429, "x"));
        QVERIFY(!(APIFailure(429, "x") == APIFailure(500, "x")));
        QCOMPARE(APIFailure().code, QString("failed"));
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    AIRulesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_airules.moc"
