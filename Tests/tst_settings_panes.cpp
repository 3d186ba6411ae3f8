// The settings window and its panes without the service: the tabs and their status lines, each
// pane's controls against the settings they write and the values they refuse, the keyword field,
// the AI check's sign-in prompt, and the history pane's export and clearing with their result
// lines in both languages.
#include "Contrast.h"
#include "HistoryFixture.h"
#include "LanguageScope.h"
#include "ModelHarness.h"
#include "StoreTestData.h"
#include "TestMain.h"

#include "Settings/AIPane.h"
#include "Settings/BasicPane.h"
#include "Settings/BasicPaneModel.h"
#include "Settings/SettingBinder.h"
#include "Settings/ChoicePicker.h"
#include "Settings/HistoryPane.h"
#include "Settings/HistoryPaneModel.h"
#include "Settings/SettingsButton.h"
#include "Settings/SettingsOpener.h"
#include "Settings/SettingsPrompts.h"
#include "Settings/SettingsTab.h"
#include "Settings/SettingsWindow.h"
#include "Base/AppSettings.h"
#include "Base/DataFolder.h"
#include "Theme/Design.h"

#include <QApplication>
#include <QAbstractButton>
#include <QComboBox>
#include <QProgressBar>
#include <QJsonArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

#include <sys/mount.h>
#include <unistd.h>

namespace {

// Answers the settings' questions from the test, and remembers them.
class ScriptedPrompts : public SettingsPrompts {
public:
    std::optional<QString> path;
    bool answer = false;
    int asked = 0;
    QString lastText;

    std::optional<QString> saveCsv(QWidget *, const QString &, const QString &suggested) override
    {
        ++asked;
        lastText = suggested;
        return path;
    }
    bool confirm(QWidget *, const QString &, const QString &text, const QString &, const QString &) override
    {
        ++asked;
        lastText = text;
        return answer;
    }
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The history pane's export button and the result line it shows.
QAbstractButton *buttonTitled(QWidget &pane, const QString &title)
{
    for (QAbstractButton *b : pane.findChildren<QAbstractButton *>())
        if (b->isVisible() && b->text() == title)
            return b;
    return nullptr;
}

QString resultLine(QWidget &pane)
{
    for (QLabel *l : pane.findChildren<QLabel *>())
        if (l->isVisible()
            && (l->text().startsWith(QStringLiteral("\u26A0 ")) || l->text().startsWith(QStringLiteral("\u2713 "))))
            return l->text();
    return QString();
}

}   // namespace

class SettingsPanesTest : public QObject {
    Q_OBJECT
private slots:
    void tabs();
    void status_data();
    void status();
    void buttonLooks_data();
    void buttonLooks();
    void pickers_data();
    void pickers();
    void extraChoices_data();
    void extraChoices();
    void subtitles();
    void keywordField_data();
    void keywordField();
    void keywordsThroughThePane();
    void aiPrompt_data();
    void aiPrompt();
    void aiSwitchesWrite();
    void switches_data();
    void switches();
    void pickerSegmentsWrite();
    void pickerShowsAndTakesKeys_data();
    void pickerShowsAndTakesKeys();
    void historyButtons();
    void exportLines_data();
    void exportLines();
    void exportFailureKeepsEarlierFile_data();
    void exportFailureKeepsEarlierFile();
    void exportShowsProgressAndCancels_data();
    void exportShowsProgressAndCancels();
    void exportRefusesOwnFiles_data();
    void exportRefusesOwnFiles();
    void exportToFullDisk_data();
    void exportToFullDisk();
    void clearAsksFirstAndKeepsMonitored();
    void windowTabs();
    void accountRequestOpensTheAccountTab();
};

void SettingsPanesTest::tabs()
{
    QCOMPARE(SettingsTab::allCases().size(), 4);
    for (const SettingsTab tab : SettingsTab::allCases())
        QCOMPARE(SettingsTab::fromRawValue(tab.rawValue()), std::optional<SettingsTab>(tab));
    for (const char *raw : {"", "AI", "Account", "settings", " ai"})
        QCOMPARE(SettingsTab::fromRawValue(QString::fromLatin1(raw)), std::nullopt);
    const SettingsTab basic = SettingsTab::basic;
    QCOMPARE(inLanguage(true, [&] { return basic.label(); }), QString::fromUtf8("수집\u00B7규칙"));
    QCOMPARE(inLanguage(false, [&] { return basic.label(); }), QStringLiteral("Collecting & rules"));
    for (const SettingsTab tab : SettingsTab::allCases()) {
        QVERIFY(!inLanguage(true, [&] { return tab.subtitle(); }).isEmpty());
        QVERIFY(!inLanguage(false, [&] { return tab.subtitle(); }).isEmpty());
    }
    QVERIFY(SettingsWindow::showsSaveNote(SettingsTab::ai));
    QVERIFY(!SettingsWindow::showsSaveNote(SettingsTab::account));
}

void SettingsPanesTest::status_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QVariantMap>("preset");
    QTest::addColumn<bool>("signedIn");
    QTest::addColumn<int>("comments");
    QTest::addColumn<QString>("en");
    QTest::addColumn<QString>("ko");
    QTest::addColumn<bool>("strong");
    QTest::newRow("ai off") << int(SettingsTab::ai) << QVariantMap{{"vt.aiOn", false}} << true << 0 << "Off"
                            << "꺼짐" << false;
    QTest::newRow("ai on, signed out") << int(SettingsTab::ai) << QVariantMap{{"vt.aiOn", true}} << false << 0
                                       << "Sign-in needed"
                                       << "로그인 필요" << false;
    QTest::newRow("ai on, signed in") << int(SettingsTab::ai) << QVariantMap{{"vt.aiOn", true}} << true << 0 << "On"
                                      << "켜짐" << true;
    QTest::newRow("ai on by default, not agreed yet")
        << int(SettingsTab::ai) << QVariantMap{} << true << 0 << "Needs your consent"
        << "동의 필요" << false;
    QTest::newRow("ai declined, on again in the file")
        << int(SettingsTab::ai) << QVariantMap{{"vt.aiConsent", false}} << true << 0 << "Needs your consent"
        << "동의 필요" << false;
    QTest::newRow("ai agreed, on by default")
        << int(SettingsTab::ai) << QVariantMap{{"vt.aiConsent", true}} << true << 0 << "On"
        << "켜짐" << true;
    QTest::newRow("collect all") << int(SettingsTab::basic) << QVariantMap{} << false << 0 << "Collect all"
                                 << "전체 수집" << false;
    QTest::newRow("300 and one keyword") << int(SettingsTab::basic)
                                         << QVariantMap{{"vt.limit", 300}, {"vt.keywords", QStringList{"casino"}}}
                                         << false << 0 << "Up to 300 · 1 keywords"
                                         << "최대 300개 · 키워드 1" << false;
    QTest::newRow("all and two keywords")
        << int(SettingsTab::basic) << QVariantMap{{"vt.keywords", QStringList{"casino", "dm me"}}} << false << 0
        << "Collect all · 2 keywords"
        << "전체 수집 · 키워드 2" << false;
    QTest::newRow("limit without grouping")
        << int(SettingsTab::basic) << QVariantMap{{"vt.limit", 12345}} << false << 0 << "Up to 12345"
        << "최대 12345개" << false;
    QTest::newRow("history grouped") << int(SettingsTab::history) << QVariantMap{{"vt.keepDays", 180}} << false << 1234
                                     << "1,234 comments · 180 days"
                                     << "댓글 1,234개 · 180일 보관" << false;
    QTest::newRow("history empty") << int(SettingsTab::history) << QVariantMap{{"vt.keepDays", 30}} << false << 0
                                   << "0 comments · 30 days"
                                   << "댓글 0개 · 30일 보관" << false;
    QTest::newRow("account signed out") << int(SettingsTab::account) << QVariantMap{} << false << 0 << "Not signed in"
                                        << "로그인 안 됨" << false;
    QTest::newRow("account device") << int(SettingsTab::account) << QVariantMap{} << true << 0 << "This computer"
                                    << "이 컴퓨터" << false;
}

void SettingsPanesTest::status()
{
    QFETCH(int, tab);
    QFETCH(QVariantMap, preset);
    QFETCH(bool, signedIn);
    QFETCH(int, comments);
    QFETCH(bool, strong);
    ModelHarness h(preset, signedIn);
    ScanStore::Stats stats;
    stats.comments = comments;
    h.model().history().setStats(stats);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const SettingsTab t = SettingsTab::Value(tab);
    QTEST(inLanguage(false, [&] { return SettingsTab::status(t, h.model(), h.account(), english); }), "en");
    QTEST(inLanguage(true, [&] { return SettingsTab::status(t, h.model(), h.account(), english); }), "ko");
    QCOMPARE(SettingsTab::statusStrong(t, h.model(), h.account()), strong);
}

// Each kind of settings button on screen in its own colours: a primary one is filled with the
// accent (not a grey that reads as disabled), a danger one with the brand red, and a disabled
// one is its own kind at 0.4 opacity over the card.
void SettingsPanesTest::buttonLooks_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QColor>("fill");
    auto over = [](const QColor &c, double a) {
        const QColor bg = Design::card();
        return QColor::fromRgbF(bg.redF() * (1 - a) + c.redF() * a, bg.greenF() * (1 - a) + c.greenF() * a,
                                bg.blueF() * (1 - a) + c.blueF() * a);
    };
    using K = SettingsButton::Kind;
    QTest::newRow("primary") << int(K::primary) << true << Design::accent();
    QTest::newRow("primary, disabled") << int(K::primary) << false << over(Design::accent(), 0.4);
    QTest::newRow("danger") << int(K::danger) << true << Design::brand();
    QTest::newRow("danger, disabled") << int(K::danger) << false << over(Design::brand(), 0.4);
    QTest::newRow("plain") << int(K::plain) << true << Design::card();
}

void SettingsPanesTest::buttonLooks()
{
    QFETCH(int, kind);
    QFETCH(bool, enabled);
    QFETCH(QColor, fill);
    QWidget card;
    card.setAutoFillBackground(true);
    QPalette pal = card.palette();
    pal.setColor(QPalette::Window, Design::card());
    card.setPalette(pal);
    auto *button = new SettingsButton(QStringLiteral("Done"), SettingsButton::Kind(kind), &card);
    button->setEnabled(enabled);
    button->adjustSize();
    card.resize(button->size() + QSize(20, 20));
    button->move(10, 10);
    const QImage shot = card.grab().toImage();
    // Above the label, inside the rounded corners.
    const QColor seen = shot.pixelColor(button->geometry().center().x(), button->geometry().top() + 3);
    auto near = [](const QColor &a, const QColor &b) {
        return qAbs(a.red() - b.red()) <= 3 && qAbs(a.green() - b.green()) <= 3 && qAbs(a.blue() - b.blue()) <= 3;
    };
    QVERIFY2(near(seen, fill), qPrintable(seen.name() + QStringLiteral(" instead of ") + fill.name()));
    // Its label stands out from its fill.
    const SettingsButton::Look look = SettingsButton::look(SettingsButton::Kind(kind), true, false);
    QVERIFY(qAbs(look.label.lightness() - look.fill.lightness()) > 120);
}

void SettingsPanesTest::pickers_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<bool>("written");
    // Listed values are written; anything else is refused and stores nothing.
    const QList<std::tuple<const char *, qint64, bool>> rows{
        {"vt.limit", 0, true},          {"vt.limit", 100, true},          {"vt.limit", 1000, true},
        {"vt.limit", 250, false},       {"vt.limit", -1, false},          {"vt.postLimit", 3, true},
        {"vt.postLimit", 20, true},     {"vt.postLimit", 4, false},       {"vt.postLimit", 0, false},
        {"vt.autoScanHours", 0, true},  {"vt.autoScanHours", 6, true},    {"vt.autoScanHours", 24, true},
        {"vt.autoScanHours", 2, false}, {"vt.autoScanHours", -24, false}, {"vt.minLikes", 1, true},
        {"vt.minLikes", 50, true},      {"vt.minLikes", 0, false},        {"vt.minLikes", 7, false},
        {"vt.keepDays", 30, true},      {"vt.keepDays", 365, true},       {"vt.keepDays", 0, false},
        {"vt.keepDays", 400, false},
    };
    for (const auto &[key, value, written] : rows)
        QTest::addRow("%s=%lld", key, value) << QString::fromLatin1(key) << value << written;
}

void SettingsPanesTest::pickers()
{
    QFETCH(QString, key);
    QFETCH(qint64, value);
    QFETCH(bool, written);
    ModelHarness h;
    SpamModel &m = h.model();
    const QJsonValue before = h.stored().value(key);
    const std::optional<OwnerSettings::Key> setting = OwnerSettings::keyOf(key);
    QVERIFY(setting);
    QCOMPARE(SettingBinder::pick(m.ownerSettings(), *setting, value), written);
    if (written)
        QCOMPARE(h.stored().value(key).toInteger(), value);
    else
        QCOMPARE(h.stored().value(key), before);
}

void SettingsPanesTest::extraChoices_data()
{
    QTest::addColumn<bool>("korean");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<QStringList>("limitLabels");
    QTest::addColumn<qint64>("minLikes");
    QTest::addColumn<QStringList>("likesLabels");
    QTest::newRow("listed, en") << false << qint64(0) << QStringList{"All", "100", "300", "1000"} << qint64(3)
                                << QStringList{"1+", "3+", "5+", "10+", "50+"};
    QTest::newRow("listed, ko") << true << qint64(300) << QStringList{"전체", "100", "300", "1000"} << qint64(1)
                                << QStringList{"1개 이상", "3개 이상", "5개 이상", "10개 이상", "50개 이상"};
    QTest::newRow("set elsewhere, en") << false << qint64(2500) << QStringList{"2500", "All", "100", "300", "1000"}
                                       << qint64(7) << QStringList{"7", "1+", "3+", "5+", "10+", "50+"};
    QTest::newRow("set elsewhere, ko") << true << qint64(2500) << QStringList{"2500개", "전체", "100", "300", "1000"}
                                       << qint64(7) << QStringList{"7",        "1개 이상",  "3개 이상",
                                                                   "5개 이상", "10개 이상", "50개 이상"};
}

void SettingsPanesTest::extraChoices()
{
    QFETCH(bool, korean);
    QFETCH(qint64, limit);
    QFETCH(QStringList, limitLabels);
    QFETCH(qint64, minLikes);
    QFETCH(QStringList, likesLabels);
    LanguageScope language(korean);
    auto labels = [](const QList<PaneChoice> &choices) {
        QStringList out;
        for (const PaneChoice &c : choices)
            out.append(c.label);
        return out;
    };
    QCOMPARE(labels(BasicPaneModel::limitChoices(limit)), limitLabels);
    QCOMPARE(labels(BasicPaneModel::minLikesChoices(minLikes)), likesLabels);
    // The value set elsewhere may be picked again; picking a listed one drops the extra choice.
    ModelHarness h({{"vt.limit", limit}});
    QVERIFY(SettingBinder::pick(h.model().ownerSettings(), OwnerSettings::Key::limit, limit));
    QVERIFY(SettingBinder::pick(h.model().ownerSettings(), OwnerSettings::Key::limit, 100));
    QCOMPARE(BasicPaneModel::limitChoices(h.model().ownerSettings().limit()).size(), 4);
    QVERIFY(!SettingBinder::pick(h.model().ownerSettings(), OwnerSettings::Key::limit,
                                 limit == 0         ? 2500
                                     : limit == 300 ? 2500
                                                    : limit));
    const QStringList autoKo{"끔", "1시간", "6시간", "매일"};
    const QStringList autoEn{"Off", "1h", "6h", "Daily"};
    QCOMPARE(labels(BasicPaneModel::autoScanChoices()), korean ? autoKo : autoEn);
    const QStringList keepKo{"30일", "90일", "180일", "365일"};
    const QStringList keepEn{"30d", "90d", "180d", "365d"};
    QCOMPARE(labels(HistoryPaneModel::keepDaysChoices()), korean ? keepKo : keepEn);
}

void SettingsPanesTest::subtitles()
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QCOMPARE(inLanguage(
                 false,
                 [&] {
        return BasicPaneModel::builtinSubtitle({{"abuse", 1234}, {"sexual", 56}}, english);
                 }),
             QStringLiteral(
                 "Finds 1,234 abusive and 56 sexual words. Comments the AI has checked keep the AI's verdict."));
    QCOMPARE(inLanguage(
                 true,
                 [&] {
        return BasicPaneModel::builtinSubtitle({{"abuse", 12}}, english);
                 }),
             QStringLiteral("욕설 12개와 성적 표현 0개를 찾습니다. AI가 본 댓글은 AI의 판정을 따릅니다."));
    QCOMPARE(inLanguage(false, [] { return BasicPaneModel::likesSubtitle(7); }),
             QStringLiteral("Comments with 7 or more likes are left alone and not checked."));
    QCOMPARE(inLanguage(true, [] { return BasicPaneModel::likesSubtitle(1000); }),
             QStringLiteral("좋아요가 1000개 이상이면 검사하지 않고 남겨 둡니다."));
}

void SettingsPanesTest::keywordField_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("after");   // starting from {"casino"}
    QTest::newRow("empty") << "" << false << QStringList{"casino"};
    QTest::newRow("one letter") << "a" << false << QStringList{"casino"};
    QTest::newRow("one letter between blanks") << "  a\t" << false << QStringList{"casino"};
    QTest::newRow("one syllable") << "욕" << false << QStringList{"casino"};
    QTest::newRow("two syllables") << "바보" << true << QStringList{"casino", "바보"};
    QTest::newRow("one emoji of several code points")
        << "\U0001F468\u200D\U0001F469\u200D\U0001F467" << false << QStringList{"casino"};
    QTest::newRow("two one-letter words") << "a,b" << true << QStringList{"casino"};
    QTest::newRow("a duplicate") << "casino" << true << QStringList{"casino"};
    QTest::newRow("several, sorted") << " zz top , DM me\nbb" << true << QStringList{"DM me", "bb", "casino", "zz top"};
    QTest::newRow("line break kept for the count") << "a\n" << true << QStringList{"casino"};
}

void SettingsPanesTest::keywordField()
{
    QFETCH(QString, input);
    QFETCH(bool, enabled);
    QFETCH(QStringList, after);
    QCOMPARE(BasicPaneModel::canAdd(input), enabled);
    LanguageScope english(false);
    ModelHarness h({{"vt.keywords", QStringList{"casino"}}});
    BasicPane pane(&h.model());
    pane.keywordField()->setText(input);
    // Return runs the add even while the button is disabled, and always empties the field.
    QTest::keyClick(pane.keywordField(), Qt::Key_Return);
    QCOMPARE(h.model().ownerSettings().keywords(), after);
    QCOMPARE(pane.keywordField()->text(), QString());
}

void SettingsPanesTest::keywordsThroughThePane()
{
    LanguageScope korean(true);
    ModelHarness h({{"vt.keywords", QStringList{"casino", "telegram"}}, {"vt.noLikesOnly", false}});
    BasicPane pane(&h.model());
    // Removing a chip removes the word from the settings.
    h.model().removeKeyword("casino");
    QCOMPARE(h.stored().value("vt.keywords").toArray().size(), 1);
    // The likes picker appears only while the rule is on.
    QTRY_COMPARE_WITH_TIMEOUT(pane.findChildren<QComboBox *>().size(), 0, 30000);
    h.model().ownerSettings().set(OwnerSettings::Key::noLikesOnly, true);
    QTRY_COMPARE_WITH_TIMEOUT(pane.findChildren<QComboBox *>().size(), 1, 30000);
    h.model().ownerSettings().set(OwnerSettings::Key::noLikesOnly, false);
    QTRY_COMPARE_WITH_TIMEOUT(pane.findChildren<QComboBox *>().size(), 0, 30000);
    QCOMPARE(h.model().ownerSettings().minLikes(), 1);
}

void SettingsPanesTest::aiPrompt_data()
{
    QTest::addColumn<bool>("aiOn");
    QTest::addColumn<bool>("signedIn");
    QTest::addColumn<bool>("testMode");
    QTest::addColumn<bool>("devices");
    QTest::addColumn<int>("prompt");
    QTest::newRow("off, signed out") << false << false << false << true << int(AIPane::Prompt::none);
    QTest::newRow("on, signed in") << true << true << false << true << int(AIPane::Prompt::none);
    QTest::newRow("on, test server") << true << false << true << false << int(AIPane::Prompt::none);
    QTest::newRow("on, device accounts") << true << false << false << true << int(AIPane::Prompt::deviceRetry);
    QTest::newRow("on, sign-in needed") << true << false << false << false << int(AIPane::Prompt::signIn);
}

void SettingsPanesTest::aiPrompt()
{
    QFETCH(bool, aiOn);
    QFETCH(bool, signedIn);
    QFETCH(bool, testMode);
    QFETCH(bool, devices);
    QTEST(int(AIPane::prompt(aiOn, signedIn, testMode, devices)), "prompt");
}

void SettingsPanesTest::aiSwitchesWrite()
{
    LanguageScope english(false);
    ModelHarness h({{"vt.aiOn", true}});
    AIPane pane(&h.model(), &h.account());
    QList<QAbstractButton *> switches;
    for (QAbstractButton *b : pane.findChildren<QAbstractButton *>()) {
        if (b->isCheckable())
            switches.append(b);
    }
    QCOMPARE(switches.size(), 3);   // the check, abuse, sexual
    switches.at(1)->click();
    QCOMPARE(h.stored().value("vt.aiAbuse"), QJsonValue(false));
    switches.at(0)->click();
    QCOMPARE(h.stored().value("vt.aiOn"), QJsonValue(false));
    // Off: the kinds are fixed but keep their values.
    QTRY_VERIFY_WITH_TIMEOUT(
        ![&] {
            for (QAbstractButton *b : pane.findChildren<QAbstractButton *>())
                if (b->isCheckable() && b->accessibleName() == "Sexual content")
                    return b->isEnabled();
            return true;
        }(),
        30000);
    QCOMPARE(h.model().ownerSettings().aiSexual(), true);
    QCOMPARE(h.model().ownerSettings().aiAbuse(), false);
    QCOMPARE(AIPane::subtitle(false), QStringLiteral("Off. Only the keyword rules are used."));
}

void SettingsPanesTest::switches_data()
{
    QTest::addColumn<QString>("pane");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");
    QTest::newRow("AI check") << "ai"
                              << "AI check"
                              << "vt.aiOn";
    QTest::newRow("abuse") << "ai"
                           << "Abuse"
                           << "vt.aiAbuse";
    QTest::newRow("sexual") << "ai"
                            << "Sexual content"
                            << "vt.aiSexual";
    QTest::newRow("liked comments") << "basic"
                                    << "Skip comments with likes"
                                    << "vt.noLikesOnly";
    QTest::newRow("built-in words") << "basic"
                                    << "Built-in words"
                                    << "vt.builtinWords";
}

void SettingsPanesTest::switches()
{
    QFETCH(QString, pane);
    QFETCH(QString, name);
    QFETCH(QString, key);
    LanguageScope english(false);
    ModelHarness h({{"vt.aiOn", true}});
    std::unique_ptr<QWidget> widget;
    if (pane == "ai")
        widget = std::make_unique<AIPane>(&h.model(), &h.account());
    else
        widget = std::make_unique<BasicPane>(&h.model());
    auto find = [&]() -> QAbstractButton * {
        for (QAbstractButton *b : widget->findChildren<QAbstractButton *>())
            if (b->isCheckable() && b->isVisibleTo(widget.get()) && b->accessibleName() == name)
                return b;
        return nullptr;
    };
    for (int round = 0; round < 2; ++round) {
        QAbstractButton *button = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((button = find()) != nullptr, 30000);
        const bool before = button->isChecked();
        button->click();
        QCOMPARE(h.stored().value(key), QJsonValue(!before));
        QTRY_VERIFY_WITH_TIMEOUT(find() && find()->isChecked() == !before,
                                 30000);   // the rebuilt pane shows the stored value
    }
}

void SettingsPanesTest::pickerSegmentsWrite()
{
    LanguageScope korean(true);
    ModelHarness h({{"vt.limit", 2500}});
    BasicPane pane(&h.model());
    ChoicePicker *limit = nullptr;
    for (ChoicePicker *p : pane.findChildren<ChoicePicker *>())
        if (p->accessibleName() == QStringLiteral("수집 개수"))
            limit = p;
    QVERIFY(limit);
    QCOMPARE(limit->labels(), (QStringList{"2500개", "전체", "100", "300", "1000"}));
    emit limit->picked(300);
    QCOMPARE(h.stored().value("vt.limit"), QJsonValue(300));
    emit limit->picked(77);   // never offered: refused
    QCOMPARE(h.stored().value("vt.limit"), QJsonValue(300));
    auto shown = [&] {
        const QStringList listed{"전체", "100", "300", "1000"};
        for (ChoicePicker *p : pane.findChildren<ChoicePicker *>())
            if (p->isVisibleTo(&pane) && p->accessibleName() == QStringLiteral("수집 개수"))
                return p->labels() == listed && p->current() == 300;
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(shown(), 30000);
}

using vt::test::contrast;

void SettingsPanesTest::pickerShowsAndTakesKeys_data()
{
    QTest::addColumn<bool>("korean");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("next");
    QTest::newRow("ko") << true << "수집 개수"
                        << "채널 스캔 게시물 수";
    QTest::newRow("en") << false << "How many to collect"
                        << "Posts per channel scan";
}

// The picked segment stands out from the others as drawn, and the keyboard reaches and moves it
// in the real settings window (the pane is rebuilt after every pick).
void SettingsPanesTest::pickerShowsAndTakesKeys()
{
    QFETCH(bool, korean);
    QFETCH(QString, name);
    QFETCH(QString, next);
    LanguageScope language(korean);
    ModelHarness h({{"vt.limit", 300}});
    ScriptedPrompts prompts;
    SettingsWindow window(&h.model(), SettingsTab::basic, nullptr, &prompts);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto picker = [&](const QString &named) -> ChoicePicker * {
        for (ChoicePicker *p : window.findChildren<ChoicePicker *>())
            if (p->isVisibleTo(&window) && p->accessibleName() == named)
                return p;
        return nullptr;
    };
    auto segments = [](ChoicePicker *p) { return p->findChildren<QAbstractButton *>(); };
    ChoicePicker *limit = picker(name);
    QVERIFY(limit);
    QCOMPARE(segments(limit).size(), 4);

    // As rendered: each segment's fill sampled beside its text, its text as the pixel furthest from the fill.
    const QImage image = limit->grab().toImage();
    QCOMPARE(image.size(), limit->size());
    QList<QRgb> fills, texts;
    for (QAbstractButton *segment : segments(limit)) {
        const QRect r = segment->geometry();
        const QRgb fill = image.pixel(r.left() + 2, r.center().y());
        QRgb text = fill;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (contrast(image.pixel(x, y), fill) > contrast(text, fill))
                    text = image.pixel(x, y);
        fills.append(fill);
        texts.append(text);
    }
    const int chosen = 2;   // 300
    QVERIFY(segments(limit).at(chosen)->isChecked());
    for (int i = 0; i < fills.size(); ++i) {
        QVERIFY2(contrast(texts.at(i), fills.at(i)) >= 4.5, qPrintable(QString::number(i)));
        if (i != chosen)
            QVERIFY2(contrast(fills.at(chosen), fills.at(i)) >= 3,
                     qPrintable(QStringLiteral("%1: %2").arg(i).arg(contrast(fills.at(chosen), fills.at(i)))));
    }

    // Focus lands on the picked segment; arrows, Home and End pick, and the focus stays on the
    // rebuilt picker after each pick.
    limit->setFocus();
    QCOMPARE(QApplication::focusWidget(), segments(limit).at(chosen));
    auto press = [&](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
    auto focusedOn = [&](const QString &named, qint64 value) {
        ChoicePicker *p = picker(named);
        if (!p || p->current() != value)
            return false;
        for (int i = 0; i < p->choices().size(); ++i)
            if (p->choices().at(i).value == value)
                return QApplication::focusWidget() == segments(p).at(i) && segments(p).at(i)->isChecked();
        return false;
    };
    press(Qt::Key_Right);
    QCOMPARE(h.model().ownerSettings().limit(), qint64(1000));
    QTRY_VERIFY_WITH_TIMEOUT(focusedOn(name, 1000), 30000);
    press(Qt::Key_Right);   // already the last
    QCOMPARE(h.model().ownerSettings().limit(), qint64(1000));
    press(Qt::Key_Home);
    QCOMPARE(h.model().ownerSettings().limit(), qint64(0));
    QTRY_VERIFY_WITH_TIMEOUT(focusedOn(name, 0), 30000);
    press(Qt::Key_Left);   // already the first
    press(Qt::Key_End);
    QTRY_VERIFY_WITH_TIMEOUT(focusedOn(name, 1000), 30000);
    press(Qt::Key_Left);
    QCOMPARE(h.model().ownerSettings().limit(), qint64(300));
    QTRY_VERIFY_WITH_TIMEOUT(focusedOn(name, 300), 30000);
    // One Tab stop per picker: the next one's picked segment, not another segment of this one.
    press(Qt::Key_Tab);
    QVERIFY(focusedOn(next, h.model().ownerSettings().postLimit()));
    press(Qt::Key_Backtab);
    QVERIFY(focusedOn(name, 300));
    window.done(QDialog::Accepted);
}

void SettingsPanesTest::historyButtons()
{
    ModelHarness h;
    SpamModel &m = h.model();
    QVERIFY(!HistoryPaneModel::canExport(m));
    QVERIFY(!HistoryPaneModel::canClear(m));
    ScanStore::Stats stats;
    stats.posts = 1;
    m.history().setStats(stats);
    QVERIFY(!HistoryPaneModel::canExport(m));
    QVERIFY(HistoryPaneModel::canClear(m));
    m.jobs().set(JobState::Job::removal, true);
    QVERIFY(!HistoryPaneModel::canClear(m));
    m.jobs().set(JobState::Job::removal, false);
    stats.comments = 3;
    m.history().setStats(stats);
    QVERIFY(HistoryPaneModel::canExport(m));
}

void SettingsPanesTest::exportLines_data()
{
    QTest::addColumn<bool>("korean");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("failedPrefix");
    QTest::addColumn<QString>("cleared");
    QTest::addColumn<QString>("question");
    QTest::newRow("en") << false << "Saved to out.csv."
                        << "Couldn't save. "
                        << "History cleared."
                        << "0 stored comments and the post records will be removed. This cannot be undone.";
    QTest::newRow("ko") << true << "out.csv에 저장했습니다."
                        << "저장하지 못했습니다. "
                        << "기록을 지웠습니다."
                        << "저장된 댓글 0개와 게시물 기록을 지웁니다. 되돌릴 수 없습니다.";
}

void SettingsPanesTest::exportLines()
{
    QFETCH(bool, korean);
    LanguageScope language(korean);
    ModelHarness h;
    vt::test::seedHistory(h.store(), QDateTime::currentDateTime());
    ScriptedPrompts prompts;
    HistoryPaneModel pane(&h.model(), &prompts);

    // Cancelling changes nothing.
    pane.exportHistory(nullptr, QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    QCOMPARE(prompts.lastText, QStringLiteral("veltrane-history-2026-12-10.csv"));
    QCOMPARE(pane.message(), QString());

    // A failure line, then a success replaces it.
    QTemporaryDir dir;
    QFile blocker(dir.filePath("not-a-folder"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    prompts.path = dir.filePath("not-a-folder/out.csv");
    pane.exportHistory(nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(!pane.exporting(), 60000);
    QVERIFY(pane.failed());
    QFETCH(QString, failedPrefix);
    QVERIFY2(pane.message().startsWith(failedPrefix) && pane.message().size() > failedPrefix.size(),
             qPrintable(pane.message()));

    prompts.path = dir.filePath("out.csv");
    pane.exportHistory(nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(!pane.exporting(), 60000);
    QVERIFY(!pane.failed());
    QTEST(pane.message(), "saved");
    const QByteArray csv = readAll(dir.filePath("out.csv"));
    QVERIFY(csv.contains("casino"));
    QVERIFY(csv.count("\r\n") > 10);

    // Cancelling again keeps the earlier line.
    prompts.path.reset();
    pane.exportHistory(nullptr);
    QTEST(pane.message(), "saved");

    QCOMPARE(HistoryPaneModel::clearedMessage(),
             QTest::currentDataTag() == QByteArray("en") ? QStringLiteral("History cleared.")
                                                         : QStringLiteral("기록을 지웠습니다."));
    QTEST(HistoryPaneModel::clearText(0), "question");
}

void SettingsPanesTest::exportFailureKeepsEarlierFile_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("history cannot be read") << "store";
    // A read-only folder stops everyone but root; root is stopped by an immutable folder.
    QTest::newRow("folder not writable") << (geteuid() != 0 ? "folder" : "immutable");
}

void SettingsPanesTest::exportFailureKeepsEarlierFile()
{
    QFETCH(QString, fault);
    LanguageScope english(false);
    QTemporaryDir dir;
    const QString target = dir.filePath("history.csv");
    QFile earlier(target);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("an earlier export\r\n");
    earlier.close();

    ModelHarness h;
    if (fault == "store")   // a folder where the database file should be
        QVERIFY(QDir().mkpath(h.folder() + "/scans.sqlite"));
    else
        vt::test::seedHistory(h.store(), QDateTime::currentDateTime());
    if (fault == "folder")
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    auto unlock = qScopeGuard([&] {
        if (fault == "immutable")
            QProcess::execute("chattr", {"-i", dir.path()});
    });
    if (fault == "immutable" && QProcess::execute("chattr", {"+i", dir.path()}) != 0)
        QSKIP("this file system or container cannot make a folder immutable");
    ScriptedPrompts prompts;
    prompts.path = target;
    HistoryPaneModel pane(&h.model(), &prompts);
    pane.exportHistory(nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(!pane.exporting(), 60000);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(pane.failed());
    QVERIFY(pane.message().startsWith("Couldn't save. "));
    QCOMPARE(readAll(target), QByteArray("an earlier export\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"history.csv"});
}

void SettingsPanesTest::exportShowsProgressAndCancels_data()
{
    QTest::addColumn<bool>("korean");
    QTest::addColumn<QString>("exportTitle");
    QTest::addColumn<QString>("cancelTitle");
    QTest::addColumn<QString>("cancelled");
    QTest::newRow("en") << false << "Export"
                        << "Cancel"
                        << "Export cancelled.";
    QTest::newRow("ko") << true << "내보내기"
                        << "취소"
                        << "내보내기를 취소했습니다.";
}

void SettingsPanesTest::exportShowsProgressAndCancels()
{
    QFETCH(bool, korean);
    QFETCH(QString, exportTitle);
    QFETCH(QString, cancelTitle);
    LanguageScope language(korean);
    ModelHarness h;
    vt::test::seedHistory(h.store(), QDateTime::currentDateTime());
    h.model().history().setStats(h.store().stats());
    QTemporaryDir dir;
    const QString target = dir.filePath("history.csv");
    QFile earlier(target);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("an earlier export\r\n");
    earlier.close();
    ScriptedPrompts prompts;
    prompts.path = target;
    HistoryPane pane(&h.model(), &prompts);
    pane.resize(700, 600);
    pane.show();
    auto button = [&](const QString &title) -> QAbstractButton * {
        for (QAbstractButton *b : pane.findChildren<QAbstractButton *>())
            if (b->isVisible() && b->text() == title)
                return b;
        return nullptr;
    };
    QTRY_VERIFY_WITH_TIMEOUT(button(exportTitle), 30000);

    // A long post keeps the export busy for a while (a writer no longer holds up its reads): the
    // owner cancels it part way.
    QVERIFY(h.store().remember("youtube", "https://www.youtube.com/watch?v=longpost001",
                               vt::test::makePage("long", 300000), std::nullopt, QDateTime::currentDateTime()));
    QTest::mouseClick(button(exportTitle), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(button(cancelTitle), 30000);
    QVERIFY(pane.paneModel()->exporting());
    QProgressBar *bar = pane.findChild<QProgressBar *>();
    QVERIFY(bar && bar->isVisible());
    QVERIFY(!button(exportTitle));
    QTest::mouseClick(button(cancelTitle), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!pane.paneModel()->exporting(), 60000);
    QTEST(pane.paneModel()->message(), "cancelled");
    QTRY_VERIFY_WITH_TIMEOUT(button(exportTitle), 30000);
    QCOMPARE(readAll(target), QByteArray("an earlier export\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"history.csv"});

    // Without Cancel the same button writes the file, and the bar went to the end on the way.
    QTest::mouseClick(button(exportTitle), Qt::LeftButton);
    QSignalSpy progress(pane.paneModel(), &HistoryPaneModel::exportProgress);
    QTRY_VERIFY_WITH_TIMEOUT(!pane.paneModel()->exporting(), 60000);
    QVERIFY(!pane.paneModel()->failed());
    QVERIFY(readAll(target).startsWith("\xEF\xBB\xBF"
                                       "site,post,"));
    QVERIFY(!progress.isEmpty());
    QCOMPARE(progress.last().at(0).toLongLong(), progress.last().at(1).toLongLong());
}

void SettingsPanesTest::exportRefusesOwnFiles_data()
{
    // %H the history file, %F its folder and %N that folder's name, %D the data folder, %S the
    // settings file. A link:
    // the dialog answers a link elsewhere that
    // leads to the target.
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("link");
    QTest::newRow("the history file") << "%H" << false;
    QTest::newRow("the history file, spelled otherwise") << "%F/../%N/.//scans.sqlite" << false;
    QTest::newRow("a link to the history file") << "%H" << true;
    QTest::newRow("a link to its journal") << "%H-journal" << true;
    QTest::newRow("the account file") << "%D/account.json" << false;
    QTest::newRow("a new file in the data folder") << "%D/history.csv" << false;
    QTest::newRow("a link into the data folder") << "%D/history.csv" << true;
    QTest::newRow("the settings file") << "%S" << false;
}

void SettingsPanesTest::exportRefusesOwnFiles()
{
    QFETCH(QString, target);
    QFETCH(bool, link);
    LanguageScope english(false);
    ModelHarness h;
    vt::test::seedHistory(h.store(), QDateTime::currentDateTime());
    h.model().history().setStats(h.store().stats());
    const QString history = h.store().path();
    QVERIFY(QDir().mkpath(DataFolder::path()));
    QFile account(DataFolder::path() + "/account.json");
    QVERIFY(account.open(QIODevice::WriteOnly));
    account.write("{\"token\":\"t\"}");
    account.close();
    const QString folder = QFileInfo(history).absolutePath();
    target.replace("%H", history)
        .replace("%F", folder)
        .replace("%N", QFileInfo(folder).fileName())
        .replace("%D", DataFolder::path())
        .replace("%S", AppSettings::defaultPath());
    QTemporaryDir elsewhere;
    ScriptedPrompts prompts;
    prompts.path = target;
    if (link) {
        prompts.path = elsewhere.filePath("export.csv");
        QVERIFY(QFile::link(target, *prompts.path));
    }
    const bool existed = QFileInfo::exists(target);
    const QByteArray before = readAll(target);

    HistoryPane pane(&h.model(), &prompts);
    pane.resize(700, 600);
    pane.show();
    QTRY_VERIFY_WITH_TIMEOUT(buttonTitled(pane, "Export"), 60000);
    QTest::mouseClick(buttonTitled(pane, "Export"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!pane.paneModel()->exporting(), 60000);
    QVERIFY(pane.paneModel()->failed());
    QTRY_VERIFY2_WITH_TIMEOUT(resultLine(pane).startsWith("\u26A0 Couldn't save. ") && resultLine(pane).contains("own"),
                              qPrintable(resultLine(pane)), 60000);
    QCOMPARE(QFileInfo::exists(target), existed);
    QCOMPARE(readAll(target), before);
    // The history is as it was.
    QCOMPARE(h.store().stats(), h.model().history().stats());
    QVERIFY(h.store().isOpen());
}

void SettingsPanesTest::exportToFullDisk_data()
{
    QTest::addColumn<bool>("korean");
    QTest::addColumn<QString>("said");
    QTest::newRow("en") << false << "Couldn't save. The disk is full.";
    QTest::newRow("ko") << true << "저장하지 못했습니다. 디스크가 가득 찼습니다.";
}

void SettingsPanesTest::exportToFullDisk()
{
    QFETCH(bool, korean);
    QFETCH(QString, said);
    LanguageScope language(korean);
    QTemporaryDir dir;
    // A disk of its own, small enough to fill.
    if (::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                "size=256k,mode=0700")
        != 0)
        QSKIP("a small disk can be mounted only by root");
    auto unmount = qScopeGuard([&] { ::umount2(QFile::encodeName(dir.path()).constData(), MNT_DETACH); });
    const QString target = dir.filePath("history.csv");
    QFile earlier(target);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("an earlier export\r\n");
    earlier.close();
    QFile filler(dir.filePath("filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) { }
    filler.close();

    ModelHarness h;
    vt::test::seedHistory(h.store(), QDateTime::currentDateTime());
    h.model().history().setStats(h.store().stats());
    ScriptedPrompts prompts;
    prompts.path = target;
    HistoryPane pane(&h.model(), &prompts);
    pane.resize(700, 600);
    pane.show();
    const QString exportTitle = korean ? QStringLiteral("내보내기") : QStringLiteral("Export");
    QTRY_VERIFY_WITH_TIMEOUT(buttonTitled(pane, exportTitle), 60000);
    QTest::mouseClick(buttonTitled(pane, exportTitle), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!pane.paneModel()->exporting(), 60000);
    QVERIFY2(pane.paneModel()->failed(), qPrintable(pane.paneModel()->message()));
    QTRY_VERIFY2_WITH_TIMEOUT(resultLine(pane).startsWith("\u26A0 " + said), qPrintable(resultLine(pane)), 60000);
    QCOMPARE(readAll(target), QByteArray("an earlier export\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"filler", "history.csv"}));
}

void SettingsPanesTest::clearAsksFirstAndKeepsMonitored()
{
    LanguageScope english(false);
    ModelHarness h;
    const vt::test::SeededHistory seeded = vt::test::seedHistory(h.store(), QDateTime::currentDateTime());
    h.model().history().setStats(h.store().stats());
    ScriptedPrompts prompts;
    HistoryPaneModel pane(&h.model(), &prompts);

    prompts.answer = false;
    pane.confirmClear(nullptr);
    QCOMPARE(prompts.asked, 1);
    QCOMPARE(prompts.lastText,
             QStringLiteral("%1 stored comments and the post records will be removed. This cannot be "
                            "undone.")
                 .arg(seeded.comments));
    QCOMPARE(h.store().stats().comments, seeded.comments);
    QCOMPARE(pane.message(), QString());

    // While a job runs nothing is cleared, and the line says so.
    prompts.answer = true;
    h.model().jobs().set(JobState::Job::scan, true);
    pane.confirmClear(nullptr);
    QVERIFY(pane.failed());
    QCOMPARE(pane.message(),
             QStringLiteral("Couldn't clear the history. Try again when the scan or deletion has ended."));
    QCOMPARE(h.store().stats().comments, seeded.comments);
    h.model().jobs().set(JobState::Job::scan, false);

    pane.confirmClear(nullptr);
    QVERIFY(!pane.failed());
    QCOMPARE(pane.message(), QStringLiteral("History cleared."));
    const ScanStore::Stats after = h.store().stats();
    QCOMPARE(after.comments, 0);
    QCOMPARE(after.posts, 1);
    QCOMPARE(after.watched, 1);
    QVERIFY(h.store().post(seeded.youtubePost).has_value());
    QCOMPARE(h.model().history().stats(), after);
}

void SettingsPanesTest::windowTabs()
{
    LanguageScope english(false);
    ModelHarness h({{"vt.aiOn", true}});
    vt::test::seedHistory(h.store(), QDateTime::currentDateTime());
    ScriptedPrompts prompts;
    SettingsWindow window(&h.model(), SettingsTab::ai, nullptr, &prompts);
    QCOMPARE(window.size(), QSize(860, 640));
    QVERIFY(qobject_cast<AIPane *>(window.pane()));
    // "Sign in" in the AI pane moves to the account tab without closing.
    emit static_cast<AIPane *>(window.pane())->openAccount();
    QCOMPARE(window.tab(), SettingsTab(SettingsTab::account));
    window.setTab(SettingsTab::basic);
    QVERIFY(qobject_cast<BasicPane *>(window.pane()));
    window.setTab(SettingsTab::history);
    QVERIFY(qobject_cast<HistoryPane *>(window.pane()));
    // Shown: the totals are refreshed once from the store.
    QCOMPARE(h.model().history().stats().comments, 0);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    QVERIFY(h.model().history().stats().comments > 0);
    QCOMPARE(window.statusShown(SettingsTab::ai), QStringLiteral("Sign-in needed"));
    QCOMPARE(window.statusShown(SettingsTab::history),
             SettingsTab::status(SettingsTab::history, h.model(), h.account()));
    // The sidebar follows the model.
    h.model().ownerSettings().set(OwnerSettings::Key::aiOn, false);
    QCOMPARE(window.statusShown(SettingsTab::ai), QStringLiteral("Off"));
    // Return in a text field belongs to the field; elsewhere it closes the window.
    window.setTab(SettingsTab::basic);
    auto *field = static_cast<BasicPane *>(window.pane())->keywordField();
    field->setFocus();
    field->setText("spammy");
    QTest::keyClick(field, Qt::Key_Return);
    QVERIFY(window.isVisible());
    QVERIFY(h.model().ownerSettings().keywords().contains("spammy"));
    window.done(QDialog::Accepted);
}

void SettingsPanesTest::accountRequestOpensTheAccountTab()
{
    ModelHarness h;
    QWidget mainWindow;
    ScriptedPrompts prompts;
    SettingsOpener opener(&h.model(), &mainWindow, &prompts);
    QVERIFY(!opener.window());
    h.model().raiseAccountRequest();
    QVERIFY(opener.window());
    QCOMPARE(opener.window()->tab(), SettingsTab(SettingsTab::account));
    // Asked again while open: the same window moves to the asked tab.
    SettingsWindow *first = opener.window();
    first->setTab(SettingsTab::basic);
    h.model().raiseAccountRequest();
    QCOMPARE(opener.window(), first);
    QCOMPARE(first->tab(), SettingsTab(SettingsTab::account));
    QCOMPARE(opener.open(SettingsTab::ai), first);
    QCOMPARE(first->tab(), SettingsTab(SettingsTab::ai));
    // Closed, it is gone; the next request makes a new one.
    first->accept();
    QTRY_VERIFY_WITH_TIMEOUT(!opener.window(), 30000);
    QVERIFY(opener.open(SettingsTab::history));
    QCOMPARE(opener.window()->tab(), SettingsTab(SettingsTab::history));
    opener.window()->accept();
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QApplication app(argc, argv);
    SettingsPanesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings_panes.moc"
