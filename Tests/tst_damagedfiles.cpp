// The application started over files the owner left damaged: a history database of random bytes,
// cut in half or with one corrupt page, and an account file cut short or with a member of a type it
// does not expect. The owner's data is kept (the bytes as they were, or kept aside), and the
// window, the settings and the agent say why.
#include "Agent/AgentController.h"
#include "Await.h"
#include "Base/AppSettings.h"
#include "Base/Lang.h"
#include "FakeService.h"
#include "FixtureSite.h"
#include "LanguageScope.h"
#include "Scan/SpamModel.h"
#include "Service/VeltraneAccount.h"
#include "Settings/SettingsOpener.h"
#include "Settings/SettingsWindow.h"
#include "Shell/AppState.h"
#include "Shell/MainWindow.h"
#include "Shell/PostDock.h"
#include "Shell/VeltraneBrowserApp.h"
#include "Shell/WorkspaceSidebar.h"
#include "Shell/WorkspaceView.h"
#include "StatusTexts.h"
#include "Store/ScanStore.h"
#include "StoreTestData.h"
#include "TestMain.h"
#include "Theme/IconButton.h"
#include "YouTubeFixture.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using vt::test::FakeService;
using vt::test::FixtureSite;
using vt::test::YouTubeFixture;
using vt::test::YtComment;

namespace {

constexpr int slow = 60000;
const QString kVideo = QStringLiteral("damagedFile1");

QString dataFolder()
{
    return VeltraneAccount::dataFolder();
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool plant(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A history with a few thousand comments, written by the store itself and closed.
bool writeHistory(const QString &path)
{
    ScanStore store(path);
    return store.remember(QStringLiteral("youtube"), QStringLiteral("https://www.youtube.com/watch?v=ownerPost01"),
                          vt::test::makePage(QStringLiteral("c"), 3000), std::nullopt, QDateTime::currentDateTime());
}

// Overwrites the root page of the comments table with noise: every read of the comments meets it.
bool corruptOnePage(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return false;
    qint64 root = 0, pageSize = 0;
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT rootpage, (SELECT page_size FROM pragma_page_size) FROM sqlite_master "
                           "WHERE type = 'table' AND name = 'comments'",
                           -1, &st, nullptr)
            == SQLITE_OK
        && sqlite3_step(st) == SQLITE_ROW) {
        root = sqlite3_column_int64(st, 0);
        pageSize = sqlite3_column_int64(st, 1);
    }
    sqlite3_finalize(st);
    sqlite3_close_v2(db);
    if (root < 2 || pageSize < 512)
        return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite) || !f.seek((root - 1) * pageSize))
        return false;
    return f.write(QByteArray(int(pageSize), '\xA5')) == pageSize;
}

// Marks the file as made by a newer version of the application, with a table this one does not know.
bool makeNewer(const QString &path)
{
    sqlite3 *db = nullptr;
    const bool ok = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr)
            == SQLITE_OK
        && sqlite3_exec(db, "CREATE TABLE later (x); DROP INDEX comments_seen; PRAGMA user_version = 6", nullptr,
                        nullptr, nullptr)
            == SQLITE_OK;
    sqlite3_close_v2(db);
    return ok;
}

// One agent command as the control server answers it.
QJsonObject command(AppState &state, const QString &cmd, const QJsonObject &args = {})
{
    return vt::test::await(AgentController::reply(state.agent(), QJsonObject{{"cmd", cmd}, {"args", args}}), 240000);
}

}   // namespace

class DamagedFilesTest : public QObject {
    Q_OBJECT

    FakeService *service = nullptr;
    std::unique_ptr<AppState> state;
    std::unique_ptr<MainWindow> window;

    void start()
    {
        state = std::make_unique<AppState>();
        window = std::make_unique<MainWindow>(state.get(), &AppSettings::shared());
        window->show();
        QTRY_VERIFY_WITH_TIMEOUT(!state->browser()->isLoading() && !state->browser()->address().isEmpty(), slow);
    }

    void quit()
    {
        window.reset();
        state.reset();
    }

    // The settings window opened from the sidebar's button, moved to `tab` through its row.
    SettingsWindow *settingsOn(SettingsTab tab)
    {
        WorkspaceSidebar *sidebar = window->workspace()->sidebar();
        for (IconButton *b : sidebar->findChildren<IconButton *>())
            if (b->label() == byLanguage("검사 설정", "Scan settings"))
                b->click();
        SettingsWindow *settings = window->workspace()->settings()->window();
        if (!settings)
            return nullptr;
        for (QAbstractButton *row : settings->findChildren<QAbstractButton *>())
            if (row->accessibleName().startsWith(tab.label() + ", "))
                row->click();
        return settings;
    }

    static QString labelText(QWidget *root, const QString &name)
    {
        QLabel *label = root ? root->findChild<QLabel *>(name) : nullptr;
        return label ? label->text() : QString();
    }

    // The post list's status line under the browser.
    QStringList dockLines() const
    {
        QStringList lines;
        for (QLabel *label : window->workspace()->dock()->findChildren<QLabel *>())
            if (label->isVisible())
                lines << label->text();
        return lines;
    }

private slots:
    void initTestCase()
    {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        const QList<YtComment> mixed =
            YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"), now);
        auto *yt = new YouTubeFixture(this);
        yt->addVideo({kVideo, QStringLiteral("Damaged files video"), false, false, mixed});
        yt->install(*FixtureSite::shared());
    }

    void init()
    {
        qputenv("VT_START_URL", YouTubeFixture::watchUrl(kVideo).toString().toUtf8());
        // The agent's scan is the one to see, by the rules alone: no question to the owner.
        AppSettings::shared().setValue("vt.scanOnOpen", false);
        AppSettings::shared().setValue("vt.aiOn", false);
        QDir data(dataFolder());
        for (const QString &name : data.entryList({"scans.sqlite*", "account*"}, QDir::Files | QDir::Hidden))
            QVERIFY(data.remove(name));
    }

    void cleanup()
    {
        quit();
        qunsetenv("VT_START_URL");
    }

    void damagedHistory_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QStringList>("said");     // what the notice says, in Korean and English
        QTest::addColumn<QStringList>("advice");   // and what to do
        const QStringList damaged{QStringLiteral("손상"), QStringLiteral("damaged")};
        const QStringList moveIt{QStringLiteral("다른 곳으로 옮기"), QStringLiteral("move the file elsewhere")};
        QTest::newRow("random bytes") << "random" << damaged << moveIt;
        QTest::newRow("cut in half") << "half" << damaged << moveIt;
        QTest::newRow("one corrupt page") << "page" << damaged << moveIt;
        // Sound, but of a schema this version does not know: nothing is added to it.
        QTest::newRow("made by a newer version")
            << "newer" << QStringList{QStringLiteral("더 새로운 버전"), QStringLiteral("newer version")}
            << QStringList{QStringLiteral("업데이트"), QStringLiteral("Update Veltrane")};
    }

    // The file stays byte for byte; the status line says once that history is off, the post
    // list keeps saying it, the settings' history tab says why and what to do, the agent's
    // history reply and its scan reply say that nothing was recorded.
    void damagedHistory()
    {
        QFETCH(QString, damage);
        const QString path = ScanStore::defaultPath();
        if (damage == "random") {
            QByteArray noise(96 * 1024, '\0');
            QRandomGenerator(27).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
            QVERIFY(plant(path, noise));
        } else {
            QVERIFY(writeHistory(path));
            QFile f(path);
            QVERIFY(f.size() > 100000);
            if (damage == "half")
                QVERIFY(f.resize(f.size() / 2));
            else if (damage == "newer")
                QVERIFY(makeNewer(path));
            else
                QVERIFY(corruptOnePage(path));
        }
        const QByteArray before = bytesOf(path);

        state = std::make_unique<AppState>();
        QStringList statuses;
        QObject listening;   // ends the connection with this test's locals
        onStatusText(state->spam()->statusLine(), &listening, [&](const QString &text) { statuses << text; });
        window = std::make_unique<MainWindow>(state.get(), &AppSettings::shared());
        window->show();
        QTRY_VERIFY_WITH_TIMEOUT(!state->spam()->history().notice().isEmpty(), slow);
        const QString notice = state->spam()->history().notice();
        QFETCH(QStringList, said);
        QFETCH(QStringList, advice);
        QVERIFY2(notice.contains(path) && notice.contains(byLanguage(said.at(0), said.at(1))), qPrintable(notice));
        QVERIFY2(notice.contains(byLanguage(advice.at(0), advice.at(1))), qPrintable(notice));
        QCOMPARE(statuses.count(notice), 1);
        QTRY_VERIFY_WITH_TIMEOUT(dockLines().contains(QStringLiteral("\u26A0 ") + notice), slow);

        // Settings: the history tab's status line and its pane.
        SettingsWindow *settings = settingsOn(SettingsTab::history);
        QVERIFY(settings);
        QCOMPARE(settings->tab(), SettingsTab::history);
        QTRY_COMPARE_WITH_TIMEOUT(settings->statusShown(SettingsTab::history).isEmpty(), false, slow);
        QVERIFY(byLanguage("기록 꺼짐 · 파일을 읽지 못함", "History off · file unreadable")
                    .startsWith(settings->statusShown(SettingsTab::history).chopped(1)));
        QTRY_COMPARE_WITH_TIMEOUT(labelText(settings->pane(), "historyNotice"), QStringLiteral("\u26A0 ") + notice,
                                  slow);
        settings->close();

        // The agent: the history is off, not empty.
        const QJsonObject history = command(*state, "history");
        QVERIFY(history.value("ok").toBool());
        QCOMPARE(history.value("result").toObject().value("posts").toArray().size(), 0);
        QCOMPARE(history.value("result").toObject().value("historyError").toString(), notice);

        // A scan runs by the rules, and says it was not recorded.
        QJsonObject scanned;
        QVERIFY(QTest::qWaitFor(
            [&] {
            scanned = command(*state, "scan");
            return scanned.value("ok").toBool();
            },
            120000));
        const QJsonObject result = scanned.value("result").toObject();
        QVERIFY(result.value("hasScanned").toBool());
        QVERIFY(!result.value("items").toArray().isEmpty());
        QCOMPARE(result.value("recorded").toBool(true), false);
        QCOMPARE(result.value("historyError").toString(), notice);
        QVERIFY2(result.value("status").toString().contains(byLanguage("기록되지 않았습니다", "was not recorded")),
                 qPrintable(result.value("status").toString()));
        QCOMPARE(state->spam()->statusLine().kind(), StatusKind::warn);
        QCOMPARE(command(*state, "history").value("result").toObject().value("historyError").toString(), notice);

        quit();
        QCOMPARE(bytesOf(path), before);
    }

    // A sound history that refuses one write of a scan (here the run, as a full disk would):
    // the history stays on, and the scan says it was not fully recorded, and why.
    void refusedWriteIsNotReportedAsRecorded()
    {
        const QString path = ScanStore::defaultPath();
        QVERIFY(writeHistory(path));
        vt::test::RawDb raw(path);
        QVERIFY(raw.exec(
            "CREATE TRIGGER refuse BEFORE INSERT ON runs BEGIN SELECT RAISE(ABORT, 'no room for the run'); END"));

        start();
        QJsonObject scanned;
        QVERIFY(QTest::qWaitFor(
            [&] {
            scanned = command(*state, "scan");
            return scanned.value("ok").toBool();
            },
            120000));
        const QJsonObject result = scanned.value("result").toObject();
        QVERIFY(result.value("hasScanned").toBool());
        QCOMPARE(result.value("recorded").toBool(true), false);
        QVERIFY2(result.value("historyError").toString().contains("no room for the run"),
                 qPrintable(result.value("historyError").toString()));
        const QString status = result.value("status").toString();
        QVERIFY2(status.contains(byLanguage("기록에 다 저장되지 않았습니다", "not fully recorded"))
                     && status.contains("no room for the run"),
                 qPrintable(status));
        QCOMPARE(state->spam()->statusLine().kind(), StatusKind::warn);
        // The history itself is on, and holds nothing of that scan: a scan's record is stored
        // whole or not at all, so no comments are left without their post and run.
        QVERIFY(state->spam()->history().notice().isEmpty());
        const QJsonObject history = command(*state, "history").value("result").toObject();
        QVERIFY(!history.contains("historyError"));
        QVERIFY(history.value("posts").toArray().isEmpty());

        // Without the refusal the same scan is recorded.
        QVERIFY(raw.exec("DROP TRIGGER refuse"));
        const QJsonObject again = command(*state, "scan").value("result").toObject();
        QCOMPARE(again.value("recorded").toBool(false), true);
        QVERIFY(!again.contains("historyError"));
    }

    void damagedAccountFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("cut short") << "short";
        QTest::newRow("extra non-string member") << "member";
    }

    // A file cut short is kept aside, byte for byte, before the new device account is saved, and
    // the account pane, its tab and the window's account row say so; a member of a type the
    // file does not expect is ignored and the owner stays signed in with the same file.
    void damagedAccountFile()
    {
        QFETCH(QString, kind);
        const QString path = VeltraneAccount::defaultStore(VeltraneAccount::configuredServer());
        const QString email = QStringLiteral("owner-%1@example.com").arg(kind);
        const QString token = service->addAccount(email, "password1");
        const QByteArray whole = QStringLiteral(R"({"token":"%1","email":"%2","server":"%3","plan":2})")
                                     .arg(token, email, service->url().toString())
                                     .toUtf8();
        const QByteArray planted = kind == "short" ? whole.left(whole.indexOf("\"server\"") + 5) : whole;
        QVERIFY(plant(path, planted));

        start();
        VeltraneAccount *account = state->spam()->account();
        WorkspaceSidebar *sidebar = window->workspace()->sidebar();
        if (kind == "member") {
            QVERIFY(account->hasToken());
            QCOMPARE(account->emailText(), email);
            QVERIFY(account->fileNotice().isEmpty());
            QTRY_COMPARE_WITH_TIMEOUT(sidebar->shownAccountRow().subtitle, byLanguage("계정 관리", "Manage account"),
                                      slow);
            SettingsWindow *settings = settingsOn(SettingsTab::account);
            QVERIFY(settings);
            QTRY_VERIFY_WITH_TIMEOUT(!settings->statusShown(SettingsTab::account).isEmpty()
                                         && email.startsWith(settings->statusShown(SettingsTab::account).chopped(1)),
                                     slow);
            QVERIFY(labelText(settings->pane(), "accountFileNotice").isEmpty());
            settings->close();
            quit();
            QCOMPARE(bytesOf(path), planted);
            return;
        }

        // The start-up refresh makes a device account; the old file goes aside first.
        QTRY_VERIFY_WITH_TIMEOUT(account->hasToken() && !account->keptAside().isEmpty(), slow);
        const QString aside = account->keptAside();
        QCOMPARE(QFileInfo(aside).absolutePath(), QFileInfo(path).absolutePath());
        QCOMPARE(bytesOf(aside), planted);
        QVERIFY(service->tokenValid(QJsonDocument::fromJson(bytesOf(path)).object().value("token").toString()));
        const QString notice = account->fileNotice();
        QVERIFY2(notice.contains(aside) && notice.contains(byLanguage("잘려", "cut short")), qPrintable(notice));

        const QString unreadable = byLanguage("계정 파일을 읽지 못함", "Account file unreadable");
        QTRY_COMPARE_WITH_TIMEOUT(sidebar->shownAccountRow().subtitle, byLanguage("계정 확인 필요", "Check account"),
                                  slow);
        SettingsWindow *settings = settingsOn(SettingsTab::account);
        QVERIFY(settings);
        QCOMPARE(settings->tab(), SettingsTab::account);
        QTRY_VERIFY_WITH_TIMEOUT(!settings->statusShown(SettingsTab::account).isEmpty()
                                     && unreadable.startsWith(settings->statusShown(SettingsTab::account).chopped(1)),
                                 slow);
        QTRY_COMPARE_WITH_TIMEOUT(labelText(settings->pane(), "accountFileNotice"), QStringLiteral("\u26A0 ") + notice,
                                  slow);
        settings->close();
        quit();
        QCOMPARE(bytesOf(aside), planted);
    }

public:
    void setService(FakeService *s) { service = s; }
};

int main(int argc, char *argv[])
{
    vt::test::isolateUserFolders();
    QApplication app(argc, argv);
    VeltraneBrowserApp::applyTheme(app);
    if (!FixtureSite::startShared())
        return 1;
    FakeService service;
    if (!service.start())
        return 1;
    qputenv("VT_SERVER_URL", service.url().toString().toUtf8());
    DamagedFilesTest test;
    test.setService(&service);
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_damagedfiles.moc"
