#pragma once
// Everything the panel asks of models that are not in the tree yet, in one place: the post list
// of a site and its focused post (the post list model), the deletion of stored records, Stop and
// the end of a pending monitor request (the spam model's deletion and scan). Until those exist,
// the posts come from the history and the requests are announced as signals; the window connects
// them to the real members once they are there.

#include "Scan/ChannelPost.h"
#include "Store/ScanStore.h"

#include <QList>
#include <QObject>

#include <optional>

class PanelActions : public QObject {
    Q_OBJECT
public:
    explicit PanelActions(ScanStore *store = nullptr, QObject *parent = nullptr);

    // The posts of a site ("youtube" or "instagram") in list order. Here: the stored posts of
    // the site, monitored first, then by their last scan.
    virtual QList<ChannelPost> posts(const QString &site);
    // The post highlighted in the post list.
    virtual std::optional<QString> focused() const { return m_focused; }
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
    ScanStore *m_store;
    std::optional<QString> m_focused;
};
