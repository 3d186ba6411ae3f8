#pragma once
// One tile of the post dock: the post's thumbnail, title, status line and last scan time, a tick
// in the top-leading corner and a context menu (monitoring, removal). A click on the tick asks to
// tick or untick, a click anywhere else asks to open the post; the tile changes nothing itself.
// A newly listed tile fades in after its arrival delay (at once with reduced motion).

#include "Scan/ChannelPost.h"
#include "Sites/LoginProvider.h"

#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

class ImageStore;

class PostTile : public QWidget {
    Q_OBJECT
public:
    struct Look {
        bool ticked = false;
        bool focused = false;
        bool hovered = false;
        bool queueScan = false;                        // a queue scan runs (waiting posts read "Queued")
        LoginProvider site = LoginProvider::youtube;   // the placeholder glyph's site
    };

    // images: where thumbnails come from (none: no thumbnails).
    PostTile(const ChannelPost &post, ImageStore *images, QWidget *parent = nullptr);

    const ChannelPost &post() const { return m_post; }
    void setPost(const ChannelPost &post);
    void setLook(const Look &look);
    const Look &look() const { return m_look; }
    // Starts the fade-in of a newly listed tile with its arrival number.
    void arrive(int order);
    bool shown() const { return m_reveal >= 1; }

    // The tick's hit area in tile coordinates.
    static QRect tickArea();

signals:
    void openRequested(const ChannelPost &post);
    void tickRequested(const ChannelPost &post);
    void monitorRequested(const QString &url, bool on);
    void removeRequested(const ChannelPost &post);
    void entered(const QString &url);
    void left(const QString &url);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;

private:
    // A 0-to-1 value following a Boolean over the quick motion; the first setting jumps.
    struct Fade {
        double value = 0;
        bool set = false;
        QVariantAnimation animation;
    };
    void follow(Fade &fade, bool on);
    void describe();
    bool inQueue() const;
    // The reason a failed scan gave; empty for any other state.
    QString failureReason() const;

    ChannelPost m_post;
    QPointer<ImageStore> m_images;
    Look m_look;
    double m_reveal = 1;   // 0: not yet shown, 1: fully shown
    QVariantAnimation m_fade;
    Fade m_tick;
    Fade m_hover;
    Fade m_focus;
    bool m_pressedOnTick = false;
};
