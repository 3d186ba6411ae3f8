#pragma once
// The typed bridge between the application and the comment scripts in the open post.
//
// Every operation runs in the world "vtx" of the current tab's page. Calls that inject send the
// script bundle in front of the expression; the bundle guards itself on window.__vtx, so the
// files run once per document. Answers cross as one JSON text and are decoded into the wire
// types; refusals and page changes throw BrowserError, bad answers DecodeError.
//
//   SpamEngine engine(&browser);
//   ScanResult r = co_await engine.scan(0, false, false, 1, std::nullopt);
//   std::optional<ScanProgress> p = co_await engine.progress();   // beside a running scan
//   engine.stop();

#include "Wire/FoundPost.h"
#include "Page/PageCall.h"
#include "Wire/Recent.h"
#include "Wire/RemoveResult.h"
#include "Wire/ScanProgress.h"
#include "Wire/ScanResult.h"
#include "Wire/SiteInfo.h"
#include "Wire/Stopped.h"

#include <QCoro/QCoroTask>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QUuid>
#include <QWebEnginePage>

#include <functional>
#include <optional>

class Browser;

class SpamEngine : public QObject {
    Q_OBJECT
public:
    using Recent = ::Recent;
    using RemoveResult = ::RemoveResult;
    using Stopped = ::Stopped;
    using FoundPost = ::FoundPost;

    explicit SpamEngine(Browser *browser, QObject *parent = nullptr);

    // "youtube" or "instagram" for the two sites' web hosts (exact, case-sensitive); none otherwise.
    static std::optional<QString> adapter(const QString &host);

    // What the open page is; none on any failure.
    QCoro::Task<std::optional<SiteInfo>> info();
    // Collects the open post's comments.
    QCoro::Task<ScanResult> scan(qint64 limit, bool sortNewest, bool noLikesOnly, qint64 minLikes,
                                 std::optional<Recent> recent);
    // The running scan's or deletion's progress; none when the page has none (or no scripts).
    QCoro::Task<std::optional<ScanProgress>> progress();
    // Deletes the given comments of the post at url through the site's own controls. With
    // `acknowledged`, the page waits after each deletion until acknowledge() says the application
    // has taken it (for a while at most), so that no more than one is ever unrecorded.
    QCoro::Task<RemoveResult> remove(QStringList ids, QString url, bool acknowledged = false);
    // Fire and forget: the application has taken the first `count` deletions the progress reported.
    void acknowledge(qsizetype count);
    // Marks the given comments on the page; fails when the page does not answer a boolean.
    QCoro::Task<void> flag(QStringList ids, QString url);

    // Fire and forget: ask a running collection to stop; scroll to one comment.
    void stop();
    void reveal(const QString &id);

    // The bundle for an adapter: the guard, the site name, spam, time, the adapter, the bridge.
    // Read from the resources once per process. Throws BrowserError.
    static QString bundle(const QString &adapter);
    // Test seam: read the script files from this folder instead of the resources ("" restores
    // them), and forget the bundles read so far.
    static void setScriptFolder(const QString &folder);

    // Messages (the run's language).
    static QString unsupportedMessage();
    static QString pageChangedMessage();
    static QString unreadableMessage();
    static QString filesMessage();
    static QString timeoutMessage();
    static QString stoppedMessage();

    // Short calls (info, progress, flag) end with timeoutMessage() after this long.
    int shortCallTimeoutMs = 20000;
    // A scan or a deletion ends with timeoutMessage() after a limit that grows with its work
    // (scanTimeoutMs, removeTimeoutMs) times this factor (a test seam).
    double longCallScale = 1.0;
    static int scanTimeoutMs(qint64 limit);
    static int removeTimeoutMs(qsizetype count);
    // After stop(), a scan or deletion that started before it ends with stoppedMessage() when the
    // page has not answered within this long.
    int stopGraceMs = 3000;
    // The longest the page waits for acknowledge() after a deletion before it goes on.
    static constexpr int acknowledgeWaitMs = 15000;

    // The owner's own channel, read by the channel script (Resources/channel.js) in the world
    // "vt-channel" of the current tab (SpamEngineChannel.cpp).
    // The signed-in owner's Instagram profile address; none when the page answers no string.
    QCoro::Task<std::optional<QString>> myProfile();
    // The latest posts the open channel tab or profile shows (the script applies the limit).
    QCoro::Task<QList<FoundPost>> myPosts(QString site, qint64 limit);
    // Fire and forget: ask a running post listing to stop.
    void stopReadingPosts();
    // The posts of a channel-script answer: an array of objects with a string "url" (others
    // skipped), "title" when a string, "thumb" when a string; anything else gives none.
    static QList<FoundPost> foundPosts(const QJsonValue &answer);
    static QString channelMessage();
    // Test seam: read the channel script from this file instead of the resources ("" restores it).
    static void setChannelScriptFile(const QString &path);
    // The channel script ends with timeoutMessage() after this long.
    static constexpr int channelTimeoutMs = 120000;

private:
    QCoro::Task<QByteArray> call(QString expression, QJsonObject args, bool inject, int timeoutMs, qsizetype maxChars,
                                 bool stoppable = false);
    // The page's answer as the page gave it (call() is its UTF-8).
    QCoro::Task<QString> callText(QString expression, QJsonObject args, bool inject, int timeoutMs, qsizetype maxChars,
                                  bool stoppable = false);
    static QString file(const QString &name);
    QCoro::Task<PageCall::Answer> runOnPage(QPointer<QWebEnginePage> page, QUuid pageID, QString world, QString source,
                                            QJsonObject args, int timeoutMs, qsizetype maxChars,
                                            std::function<QString(const QString &)> scriptError,
                                            std::function<bool()> stopped = {});
    QCoro::Task<QJsonValue> channel(QString step, QString site, qint64 limit);

    int longCallTimeout(int derivedMs) const;
    std::function<bool()> stopTest() const;

    QPointer<Browser> m_browser;
    quint64 m_stops = 0;        // stop() calls so far
    QElapsedTimer m_lastStop;   // since the latest stop()
};
