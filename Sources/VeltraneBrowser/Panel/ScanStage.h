#pragma once
// The live stage that replaces the comment list while a scan runs: the post being scanned as a
// card with its stage, counts and the comments coming in, and during a queue one row per other
// post. Reads the spam model only; its motion runs at most 30 times a second, only while shown,
// and not at all when reduced motion is asked for.

#include "Scan/ChannelPost.h"
#include "Scan/SpamModel.h"
#include "Scan/ScanActivity.h"
#include "Wire/Comment.h"

#include <QColor>
#include <QElapsedTimer>
#include <QPointer>
#include <QScrollArea>
#include <QTimer>

#include <optional>


class ScanStage : public QScrollArea {
    Q_OBJECT
public:
    // ---- what the stage shows, as functions of the model's state -----------------------
    static std::optional<ChannelPost> current(const QList<ChannelPost> &posts, bool touring,
                                              const std::optional<ChannelPost> &currentPost);
    static QList<ChannelPost> queue(const QList<ChannelPost> &posts, bool touring);

    struct Item {
        ChannelPost post;
        bool live = false;   // the live card; otherwise a queue row
    };
    static QList<Item> items(const QList<ChannelPost> &posts, bool touring,
                             const std::optional<ChannelPost> &currentPost);

    // Texts in the run's language.
    static QString stageLabel(const ScanActivity &activity);
    // Empty while nothing is collected.
    static QString countsText(const ScanActivity &activity);

    struct Mark {
        QString text;
        bool semibold = false;
        QColor color;
        bool check = false;   // a check mark follows the text
    };
    static Mark queueMark(const ChannelPost &post);

    static double sampleOpacity(int index, int count);
    enum class Trailing { none, badge, dots };
    static Trailing trailing(const Comment &comment, bool inspecting);
    static QString badgeText(const Comment &comment);
    static int badgePercent(const Comment &comment);

    static double pulseOpacity(double seconds, bool calm);
    static double dotOpacity(int index, double seconds, bool calm);

    // ---- the view ----------------------------------------------------------------------
    explicit ScanStage(SpamModel *model, QWidget *parent = nullptr);
    void setCalm(bool calm);
    bool animating() const { return m_timer.isActive(); }
    // Paints the stage's content at a width into a painter, for the view and for pictures.
    static int paintContent(QPainter *painter, int width, const QList<Item> &items, const ScanActivity &activity,
                            bool calm, double seconds);

protected:
    void showEvent(QShowEvent *) override;
    void hideEvent(QHideEvent *) override;
    void resizeEvent(QResizeEvent *) override;

private:
    void refresh();
    void updateTimer();

    QPointer<SpamModel> m_model;
    QWidget *m_canvas;
    QTimer m_timer;
    QElapsedTimer m_clock;
    bool m_calm;
    std::optional<QString> m_lastCurrent;
};
