#pragma once
// Paints the rows of the comment list: post headings, comment bubbles with their verdict pill,
// tick box and unfolding details, captions. Row heights are measured once per width and kept in
// the model; texts are laid out as plain text.

#include <QRectF>
#include <QStyledItemDelegate>

class CommentListModel;

class CommentDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CommentDelegate(QObject *parent = nullptr);

    // Where the parts of a comment row lie for a row width (row-local coordinates).
    struct Geometry {
        QRectF avatar;
        QRectF name;
        QRectF tick;   // empty without a tick box
        QRectF bubble;
        QRectF text;
        QPointF pill;     // top-left of the pill; meaningful when it shows
        QRectF details;   // empty when folded
        int height = 0;
    };
    static Geometry geometry(const CommentListModel &model, int row, int width);
    static int height(const CommentListModel &model, int row, int width);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

    // Paints one row of the model into a rectangle, for the list and for pictures of it.
    static void paintRow(QPainter &painter, const QRectF &rect, const CommentListModel &model, int row);

private:
    static int viewWidth(const QStyleOptionViewItem &option);
};
