#pragma once
// The post list under the browser: the owner's posts of the site selected in the browser as a
// grid of tiles, a header with the count, select-all, deselect-all and a search, the actions
// area and the discovery status. A view over the spam model, the browser and the post list model:
// it keeps only the search text, whether the search is open and the tile under the pointer; the
// decisions are PostDockModel's.

#include "Scan/ChannelPost.h"

#include <QCoro/QCoroTask>
#include <QHash>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

class Spinner;
class Browser;
class HeaderButton;
class IconButton;
class ImageStore;
class PostDesk;
class PostDockActions;
class PostTile;
class QLabel;
class QLineEdit;
class QScrollArea;
class SpamModel;

class PostDock : public QWidget {
    Q_OBJECT
public:
    // images: where thumbnails come from (none: no thumbnails). The objects must outlive the dock.
    PostDock(SpamModel *model, Browser *browser, PostDesk *desk, ImageStore *images, QWidget *parent = nullptr);

    // Turns monitoring of a post on or off (the window's; the model's setWatched when unset).
    std::function<void(const QString &url, bool on)> monitor;

    // Locked while a site sign-in or sign-out is in progress.
    void setLocked(bool locked);
    bool locked() const { return m_locked; }

    // What the dock does when it first appears: the model stops scanning pages opened from the
    // list, the history fills an empty list, the desk refreshes and focuses the open post.
    void appear();

    // The site whose posts are listed ("youtube" or "instagram").
    QString siteKey() const;
    QString query() const { return m_query; }
    void setQuery(const QString &text);
    bool searching() const { return m_searching; }
    // Opens the search (focusing its field) or closes it (emptying the search text).
    void setSearching(bool on);
    std::optional<QString> hovered() const { return m_hovered; }
    // The tiles in grid order.
    QList<PostTile *> tiles() const;
    PostDockActions *actionsArea() const { return m_actions; }
    // The status line under the tiles; empty while it is hidden.
    QString statusText() const;
    HeaderButton *selectAllButton() const { return m_selectAll; }
    HeaderButton *deselectAllButton() const { return m_deselectAll; }
    IconButton *searchButton() const { return m_searchButton; }
    QLineEdit *searchField() const { return m_search; }
    // The hint shown over an empty list; empty while none is shown.
    QString emptyHintText() const;

    // Forgets a post and its history after the owner confirmed it through the model's alerts;
    // true when it was forgotten.
    static QCoro::Task<bool> removeFromList(QPointer<SpamModel> model, QPointer<PostDesk> desk, ChannelPost post);

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void rebuild();
    void syncHeader();
    void syncActions();
    void layoutGrid();
    void addressChanged();
    void modelPostsChanged();
    void workingChanged();
    bool signedIn() const;

    QPointer<SpamModel> m_model;
    QPointer<Browser> m_browser;
    QPointer<PostDesk> m_desk;
    QPointer<ImageStore> m_images;
    bool m_locked = false;
    bool m_appeared = false;
    bool m_awaitingPaint = false;   // appear() follows the window's first paint
    QString m_query;
    bool m_searching = false;
    std::optional<QString> m_hovered;

    QLabel *m_caption;
    QLabel *m_count;
    HeaderButton *m_selectAll;
    HeaderButton *m_deselectAll;
    IconButton *m_searchButton;
    QLineEdit *m_search;
    QScrollArea *m_scroll;
    QWidget *m_grid;
    QHash<QString, PostTile *> m_tiles;
    QList<PostTile *> m_order;
    // The closing sentence of the last deletion, shown in the status line until the next job.
    bool m_deleting = false;
    QString m_deletedLine;
    PostDockActions *m_actions;
    QWidget *m_statusRow;
    Spinner *m_statusSpinner;
    QLabel *m_status;
    QLabel *m_empty;
};
