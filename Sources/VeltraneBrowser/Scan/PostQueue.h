#pragma once
// Scans of several posts: a queue of posts the owner ticked, and the channel scan that finds each
// signed-in site's latest posts and scans them with the monitored ones. Each post is opened,
// waited for and scanned on the model's page; the rows of the post list show the queue.

#include "Scan/ChannelPost.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QCoro/QCoroTask>

#include <functional>

class SpamModel;

class PostQueue : public QObject {
    Q_OBJECT

public:
    explicit PostQueue(SpamModel &model);

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

private:
    QCoro::Task<void> scanPosts(QStringList urls);
    QCoro::Task<bool> openPost(QString url);
    QCoro::Task<bool> waitForComments();
    QCoro::Task<void> scanPost();

    SpamModel &m_model;
};
