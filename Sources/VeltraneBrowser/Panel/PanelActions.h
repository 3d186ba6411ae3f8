#pragma once
// What the panel asks of the models around it, in one place: the post list of a site and its
// focused post (read from the post list model), the deletion of stored records, Stop and the end
// of a pending monitor request (announced as signals, which the window connects to the spam
// model). Made over a history alone (the panel's tests and pictures), the posts are the stored
// posts of the site and the focus is kept here.

#include "Scan/ChannelPost.h"
#include "Store/ScanStore.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <optional>

class PostDesk;

class PanelActions : public QObject {
    Q_OBJECT
public:
    // Over the post list model (not owned; it must outlive this object).
    explicit PanelActions(PostDesk *desk, QObject *parent = nullptr);
    // Over a history alone.
    explicit PanelActions(ScanStore *store = nullptr, QObject *parent = nullptr);

    // The posts of a site ("youtube" or "instagram") in list order: the post list's, or without
    // one the stored posts of the site, monitored first, then by their last scan.
    virtual QList<ChannelPost> posts(const QString &site);
    // The post highlighted in the post list.
    virtual std::optional<QString> focused() const;
    void setFocused(const std::optional<QString> &url);

    // Hands the picks to the deletion of stored records, which confirms with the owner and
    // takes at most 30 per run.
    virtual void removeStored(const QList<ScanStore::Record> &records) { emit removeRequested(records); }
    virtual void stopScan() { emit stopRequested(); }
    virtual void finishPendingMonitor() { emit pendingMonitorFinished(); }

    // Converts a stored post into a row of the post list.
    static ChannelPost postOf(const ScanStore::Post &post);

signals:
    void removeRequested(const QList<ScanStore::Record> &records);
    void stopRequested();
    void pendingMonitorFinished();
    void postsChanged();
    void focusedChanged();

private:
    QPointer<PostDesk> m_desk;
    ScanStore *m_store = nullptr;
    std::optional<QString> m_focused;
};
