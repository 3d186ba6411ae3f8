#pragma once
// The post list's own state over the spam model: the listed posts of both sites (always the
// model's scan candidates, in their one order, which is also the scan order), the ticked posts,
// the post opened last from the list, how often a post was opened from it, and the arrival
// numbers of newly listed posts (per site, from 0, in list order), which are emptied about one
// second after a refresh brought them.
//
// Every site starts in select-all mode: while a site is in it, each refresh ticks all its listed
// posts. Ticking or unticking a single post, or loading more posts of the site, ends the mode.
//
//   PostDesk desk(&model);
//   desk.refresh();                       // after the model's list changed
//   desk.start(QStringLiteral("youtube")); // scans the ticked YouTube posts one after another

#include "Scan/ChannelPost.h"
#include "Sites/LoginProvider.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QCoro/QCoroTask>

#include <functional>
#include <optional>

class Browser;
class SpamModel;

class PostDesk : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<ChannelPost> posts READ posts NOTIFY postsChanged)
    Q_PROPERTY(QSet<QString> checked READ checked NOTIFY checkedChanged)
    Q_PROPERTY(std::optional<QString> focused READ focused WRITE setFocused NOTIFY focusedChanged)
    Q_PROPERTY(int picks READ picks NOTIFY picksChanged)
    Q_PROPERTY(QHash<QString, int> arrivals READ arrivals NOTIFY arrivalsChanged)
public:
    // How long arrival numbers stay after the refresh that brought them.
    static constexpr int settleMs = 1000;

    // The model must outlive the desk.
    explicit PostDesk(SpamModel *model, QObject *parent = nullptr);

    SpamModel *model() const { return m_model; }

    const QList<ChannelPost> &posts() const { return m_posts; }
    const QSet<QString> &checked() const { return m_checked; }
    const std::optional<QString> &focused() const { return m_focused; }
    void setFocused(const std::optional<QString> &url);
    int picks() const { return m_picks; }
    const QHash<QString, int> &arrivals() const { return m_arrivals; }
    // Whether arrival numbers wait to be emptied.
    bool settling() const { return m_settling.isActive(); }

    // The listed posts of a site ("youtube" or "instagram"), in list order.
    QList<ChannelPost> posts(const QString &site) const;
    // The ticked posts of a site, in list order.
    QList<ChannelPost> queue(const QString &site) const;
    // False for a site without listed posts; otherwise whether all of them are ticked.
    bool isAllChecked(const QString &site) const;

    // Reloads the list from the model's candidates, keeps the ticks of posts still listed, ticks
    // the posts of sites in select-all mode and numbers the newly listed posts.
    void refresh();
    // Ticks (on) or unticks all listed posts of a site and turns its select-all mode on or off.
    void setAll(bool on, const QString &site);
    // Flips the tick of one post; its site leaves select-all mode.
    void toggle(const ChannelPost &post);
    // Focuses a post and opens it in the browser (the model's when none is given), unless it is
    // the page already open.
    void show(const ChannelPost &post, Browser *browser = nullptr);
    // Asks the model for more posts of a site; when some came, the site's ticks become exactly
    // its posts that were never scanned.
    QCoro::Task<void> loadMore(LoginProvider provider);
    // Starts the queue scan of the site's ticked posts in list order; nothing when none is
    // ticked or the model is working. Returns at once.
    void start(const QString &site);

    // What loadMore asks for more posts of a site: the post list's loadMore unless replaced
    // (tests). Answers how many posts were added.
    std::function<QCoro::Task<int>(LoginProvider)> loadPosts;

signals:
    void postsChanged();
    void checkedChanged();
    void focusedChanged();
    void picksChanged();
    void arrivalsChanged();

private:
    void setChecked(const QSet<QString> &checked);
    void setArrivals(const QHash<QString, int> &arrivals);

    QPointer<SpamModel> m_model;
    QList<ChannelPost> m_posts;
    QSet<QString> m_checked;
    std::optional<QString> m_focused;
    int m_picks = 0;
    QHash<QString, int> m_arrivals;
    // The desk's own child: it cannot fire once the desk is gone.
    QTimer m_settling;
    QSet<QString> m_allChecked;
};
