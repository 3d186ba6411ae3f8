#pragma once
// Scans of several posts: a queue of posts the owner ticked, and the channel scan that finds each
// signed-in site's latest posts and scans them with the monitored ones. Each post is opened,
// waited for and scanned on the open page; the rows of the post list show the queue.

#include "Scan/ChannelPost.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QCoro/QCoroTask>

#include <functional>

class Browser;
class HistoryState;
class JobState;
class OpenPage;
class OwnerSettings;
class PostCatalog;
class ScanReport;
class ScanStore;
class StatusLine;

class PostQueue : public QObject {
    Q_OBJECT

public:
    // The seconds a queued post may take to load, and then to show its comments.
    static constexpr double loadBudget = 30;
    static constexpr double commentsBudget = 20;

    // Scans one open post: full or incremental, recording its run or not (the coordinator's scan).
    using Scan = std::function<QCoro::Task<void>(bool full, bool record)>;

    // The rows are the catalog's; each post is opened on `page` and scanned by `scan`; the job,
    // the status line, the report and the history's run session are written as the queue goes.
    // The browser is only watched; the other objects must outlive the queue.
    PostQueue(PostCatalog &catalog, OpenPage &page, JobState &jobs, StatusLine &status, ScanReport &report,
              HistoryState &history, const OwnerSettings &settings, ScanStore &store, Browser *browser, Scan scan,
              QObject *parent = nullptr);

    // The steps of one queued post: opening it, waiting for its comments, scanning it (an
    // incremental scan that records its run). Tests may replace them.
    struct Steps {
        std::function<QCoro::Task<bool>(QString url)> open;
        std::function<QCoro::Task<bool>()> waitForComments;
        std::function<QCoro::Task<void>()> scan;
    };
    Steps steps;

    // Scans the latest posts of every signed-in site, one site after the other; reports through
    // the status line, the issue line and the rows of posts.
    QCoro::Task<void> scanChannels(bool automatic);
    // Scans the given posts in order, each address once; the list shows the queue while it runs.
    QCoro::Task<void> scanSelected(QList<ChannelPost> posts);

signals:
    // A queue is about to take the browser away from page tracking.
    void browserNeeded();

private:
    QCoro::Task<void> scanPosts(QStringList urls);
    QCoro::Task<bool> openPost(QString url);
    QCoro::Task<bool> waitForComments();
    QCoro::Task<void> scanPost();

    PostCatalog &m_catalog;
    OpenPage &m_page;
    JobState &m_jobs;
    StatusLine &m_status;
    ScanReport &m_report;
    HistoryState &m_history;
    const OwnerSettings &m_settings;
    ScanStore &m_store;
    QPointer<Browser> m_browser;
    Scan m_scan;
};
