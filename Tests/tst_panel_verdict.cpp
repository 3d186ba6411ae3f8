// The verdict of a stored comment in both languages, and the words of its reason codes.
#include "LanguageScope.h"
#include "TestMain.h"

#include "Panel/Verdict.h"

#include <QTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(Verdict::Tone)
Q_DECLARE_METATYPE(std::optional<int>)
Q_DECLARE_METATYPE(std::optional<double>)

namespace {

using Thresholds = QMap<QString, int>;
const Thresholds kAt80{{"spam", 80}, {"abuse", 80}, {"sexual", 80}};

}   // namespace

class PanelVerdictTest : public QObject {
    Q_OBJECT
private slots:
    void verdict_data();
    void verdict();
    void fromRecord();
    void describeReason_data();
    void describeReason();
};

void PanelVerdictTest::verdict_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<std::optional<double>>("prob");
    QTest::addColumn<Thresholds>("thresholds");
    QTest::addColumn<bool>("pending");
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<bool>("korean");
    QTest::addColumn<QString>("label");
    QTest::addColumn<std::optional<int>>("percent");
    QTest::addColumn<Verdict::Tone>("tone");
    QTest::addColumn<QString>("help");

    using T = Verdict::Tone;
    const std::optional<double> none;
    const std::optional<int> noPct;
    auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };
    row("deleted wins") << "spam"
                        << "spam"
                        << "picked" << std::optional<double>(0.99) << kAt80 << true << true << true << false
                        << "Deleted" << noPct << T::neutral << "";
    row("deleted ko") << "ok"
                      << ""
                      << "" << none << kAt80 << false << true << false << true << "삭제됨" << noPct << T::neutral << "";
    row("skip kept") << "skip"
                     << ""
                     << "kept" << none << kAt80 << true << false << false << false << "Not spam" << noPct << T::neutral
                     << "";
    row("kept flag ko") << "spam"
                        << "spam"
                        << "link" << none << kAt80 << false << false << true << true << "스팸 아님" << noPct
                        << T::neutral << "";
    row("picked with prob") << "spam"
                            << "spam"
                            << "picked" << std::optional<double>(0.9) << kAt80 << false << false << false << false
                            << "Picked by you" << noPct << T::neutral << "";
    row("0.795 is 80, flagged") << "spam"
                                << "spam"
                                << "" << std::optional<double>(0.795) << kAt80 << false << false << false << false
                                << "AI Spam" << std::optional<int>(80) << T::danger << "";
    row("0.7949 is 79, below") << "spam"
                               << "spam"
                               << "" << std::optional<double>(0.7949) << kAt80 << false << false << false << false
                               << "AI Spam" << std::optional<int>(79) << T::warn
                               << "Below the 80% threshold, so it is not ticked.";
    row("below ko") << "spam"
                    << "abuse"
                    << "" << std::optional<double>(0.5) << kAt80 << false << false << false << true << "AI 욕설·비방"
                    << std::optional<int>(50) << T::warn << "체크 기준 80% 아래라 체크하지 않았습니다.";
    row("no thresholds: danger") << "spam"
                                 << "sexual"
                                 << "" << std::optional<double>(0.01) << Thresholds() << false << false << false
                                 << false << "AI Sexual content" << std::optional<int>(1) << T::danger << "";
    row("missing kind: default 50") << "spam"
                                    << "abuse"
                                    << "" << std::optional<double>(0.6) << Thresholds{{"spam", 95}} << false << false
                                    << false << false << "AI Abuse" << std::optional<int>(60) << T::danger << "";
    row("unknown kind: 90") << "spam"
                            << "hate"
                            << "" << std::optional<double>(0.89) << Thresholds{{"spam", 10}} << false << false << false
                            << false << "AI Flagged" << std::optional<int>(89) << T::warn
                            << "Below the 90% threshold, so it is not ticked.";
    row("unknown kind ko") << "spam"
                           << "hate"
                           << "" << std::optional<double>(0.95) << kAt80 << false << false << false << true << "AI 의심"
                           << std::optional<int>(95) << T::danger << "";
    row("NaN prob is no AI verdict") << "spam"
                                     << "spam"
                                     << "link" << std::optional<double>(std::nan("")) << kAt80 << false << false
                                     << false << false << "Rules · External link" << noPct << T::neutral
                                     << "External link";
    row("infinite prob clamps") << "spam"
                                << "spam"
                                << "" << std::optional<double>(INFINITY) << kAt80 << false << false << false << false
                                << "AI Spam" << std::optional<int>(100) << T::danger << "";
    row("custom word") << "spam"
                       << ""
                       << "custom:cheap pills" << none << kAt80 << false << false << false << false
                       << "Word · cheap pills" << noPct << T::neutral << "";
    row("custom word ko") << "spam"
                          << ""
                          << "custom:대출" << none << kAt80 << false << false << false << true << "단어 · 대출" << noPct
                          << T::neutral << "";
    row("built-in word") << "spam"
                         << "abuse"
                         << "dict:abuse:idiot" << none << kAt80 << false << false << false << false << "Abuse · idiot"
                         << noPct << T::neutral
                         << "A built-in word. You can turn the built-in words off in Settings > Word list.";
    row("built-in word ko") << "spam"
                            << "spam"
                            << "dict:spam:코인" << none << kAt80 << false << false << false << true << "스팸 · 코인"
                            << noPct << T::neutral
                            << "기본 사전의 낱말입니다. 검사 설정 > 단어 목록에서 끌 수 있습니다.";
    row("dict without word") << "spam"
                             << ""
                             << "dict:abuse" << none << kAt80 << false << false << false << false
                             << "Rules · Built-in word" << noPct << T::neutral << "Built-in word";
    row("empty reason") << "spam"
                        << ""
                        << "" << none << kAt80 << false << false << false << false << "Rules · Spam" << noPct
                        << T::neutral << "";
    row("rules list") << "spam"
                      << ""
                      << "link, promo,link" << none << kAt80 << false << false << false << false
                      << "Rules · External link" << noPct << T::neutral << "External link · Promotional comment";
    row("rules list ko") << "spam"
                         << ""
                         << "contact,repeat:3" << none << kAt80 << false << false << false << true
                         << "규칙 · 외부 연락 유도" << noPct << T::neutral
                         << "외부 연락 유도 · 전에 삭제한 작성자 (3회)";
    row("pending") << "ok"
                   << ""
                   << "" << none << kAt80 << true << false << false << false << "Not checked by AI" << noPct
                   << T::neutral << "";
    row("pending skip") << "skip"
                        << ""
                        << "unchanged" << none << kAt80 << true << false << false << true << "AI 검사 전" << noPct
                        << T::neutral << "";
    row("skip by site message") << "skip"
                                << ""
                                << "some page message" << none << kAt80 << false << false << false << false
                                << "Not checked" << noPct << T::neutral << "some page message";
    row("skip unchanged") << "skip"
                          << ""
                          << "unchanged" << none << kAt80 << false << false << false << false << "OK" << noPct << T::ok
                          << "Cleared last time, unchanged";
    row("skip unchanged AI ko") << "skip"
                                << ""
                                << "unchanged" << std::optional<double>(0.1) << kAt80 << false << false << false << true
                                << "AI 정상" << noPct << T::ok << "지난 검사에서 정상 · 변경 없음";
    row("cleared by AI") << "ok"
                         << ""
                         << "" << std::optional<double>(0.2) << kAt80 << false << false << false << false << "AI: OK"
                         << noPct << T::ok << "";
    row("cleared ko") << "ok"
                      << ""
                      << "" << none << kAt80 << false << false << false << true << "정상" << noPct << T::ok << "";
}

void PanelVerdictTest::verdict()
{
    QFETCH(QString, state);
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QFETCH(std::optional<double>, prob);
    QFETCH(Thresholds, thresholds);
    QFETCH(bool, pending);
    QFETCH(bool, deleted);
    QFETCH(bool, kept);
    QFETCH(bool, korean);
    QFETCH(QString, label);
    QFETCH(std::optional<int>, percent);
    QFETCH(Verdict::Tone, tone);
    QFETCH(QString, help);

    Verdict::Input
        in{Comment::verdictOf(state), kind, reason, prob, prob.has_value(), thresholds, pending, deleted, kept};
    const Verdict v = inLanguage(korean, [&] { return Verdict::make(in); });
    QCOMPARE(v.label, label);
    QCOMPARE(v.percent, percent);
    QCOMPARE(v.tone, tone);
    QCOMPARE(v.help, help);
}

void PanelVerdictTest::fromRecord()
{
    ScanStore::Record r;
    r.state = "spam";
    r.kind = "spam";
    r.aiProb = 0.795;
    QCOMPARE(inLanguage(false, [&] { return Verdict::of(r, kAt80); }).tone, Verdict::Tone::danger);
    r.aiProb.reset();
    r.reason = "promo";
    QCOMPARE(inLanguage(false, [&] { return Verdict::of(r, kAt80); }).label,
             QStringLiteral("Rules · Promotional comment"));
    r.deletedAt = QDateTime::currentDateTime();
    QCOMPARE(inLanguage(true, [&] { return Verdict::of(r, kAt80); }).label, QStringLiteral("삭제됨"));
}

void PanelVerdictTest::describeReason_data()
{
    QTest::addColumn<QString>("reason");
    QTest::addColumn<double>("score");
    QTest::addColumn<bool>("korean");
    QTest::addColumn<QString>("words");

    QTest::newRow("trimmed, duplicates dropped")
        << "link, promo,link" << 1.0 << false << "External link · Promotional comment";
    QTest::newRow("unicode spaces trimmed")
        << QString::fromUtf8("\u3000gambling\u00a0,\tloan ") << 1.0 << false << "Gambling promotion · Loan promotion";
    QTest::newRow("repeat count") << "repeat:3" << 1.0 << false << QString::fromUtf8("Author deleted before (3×)");
    QTest::newRow("repeat count ko") << "repeat:3" << 1.0 << true << "전에 삭제한 작성자 (3회)";
    QTest::newRow("repeat not a number") << "repeat:x" << 1.0 << false << "Author deleted before";
    QTest::newRow("repeat alone") << "repeat" << 1.0 << false << "Author deleted before";
    QTest::newRow("detail ignored") << "custom:buy now,dict:spam:coin" << 1.0 << false
                                    << "Keyword match · Built-in word";
    QTest::newRow("every code en")
        << "contact,invest,gambling,loan,sidejob,adult,impersonation,testimonial,promo" << 1.0 << false
        << "Off-platform contact · Investment promotion · Gambling promotion · Loan promotion · "
           "Side-job promotion · Adult content promotion · Impersonation or prize lure · "
           "Investment testimonial · Promotional comment";
    QTest::newRow("every code ko")
        << "link,author,youtube,custom,dict,unchanged,kept,picked" << 1.0 << true
        << "외부 링크 포함 · 홍보성 작성자 이름 · YouTube 스팸 감지 · 등록한 키워드 일치 · "
           "기본 사전의 낱말 · 지난 검사에서 정상 · 변경 없음 · 지난 검토에서 남김 · 변경 없음 · 직접 선택";
    QTest::newRow("unknown code is the part")
        << "link,something odd" << 1.0 << false << "External link · something odd";
    QTest::newRow("score 0 keeps the whole reason") << "link,promo" << 0.0 << false << "link,promo";
    QTest::newRow("NaN score keeps it whole") << "link" << std::nan("") << false << "link";
    QTest::newRow("empty") << "" << 1.0 << false << "";
}

void PanelVerdictTest::describeReason()
{
    QFETCH(QString, reason);
    QFETCH(double, score);
    QFETCH(bool, korean);
    QFETCH(QString, words);
    QCOMPARE(inLanguage(korean, [&] { return Verdict::describeReason(reason, score); }), words);
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    qputenv("VT_LANG", "en");
    QCoreApplication app(argc, argv);
    PanelVerdictTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_panel_verdict.moc"
