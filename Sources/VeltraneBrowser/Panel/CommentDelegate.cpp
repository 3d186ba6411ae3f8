#include "Panel/CommentDelegate.h"

#include "Panel/AIPercent.h"
#include "Panel/CommentListModel.h"
#include "Theme/Avatar.h"
#include "Theme/Design.h"
#include "Panel/PostHeading.h"
#include "Panel/StoredCommentRow.h"
#include "Panel/VerdictPill.h"

#include <QAbstractItemView>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <QToolTip>

#include <cmath>

namespace {

constexpr double kSide = 20;
constexpr double kAvatar = 28;
constexpr double kGap = 9;
constexpr double kHead = 18;
constexpr double kBubblePadX = 11;
constexpr double kBubblePadY = 8;
constexpr double kLineGap = 3;
constexpr double kBottom = 16;

struct Laid {
    double height = 0;
    double width = 0;
};

// Lays out plain text at a width; returns its height and the width of its longest line.
Laid layout(QTextLayout &tl, double width, double lineGap, int maxLines = -1)
{
    QTextOption opt;
    opt.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    tl.setTextOption(opt);
    tl.beginLayout();
    Laid laid;
    int lines = 0;
    for (;;) {
        QTextLine line = tl.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        if (lines > 0)
            laid.height += lineGap;
        line.setPosition(QPointF(0, laid.height));
        laid.height += line.height();
        laid.width = std::max(laid.width, line.naturalTextWidth());
        if (++lines == maxLines)
            break;
    }
    tl.endLayout();
    return laid;
}

// The highlighted stretches of a flagged comment, as the bubble draws and measures them.
QList<QTextLayout::FormatRange> marks(const CommentListModel &model, int row)
{
    QList<QTextLayout::FormatRange> out;
    const ScanStore::Record &rec = model.row(row).record;
    if (!rec.isPendingSpam() || rec.text.isEmpty())
        return out;
    QTextCharFormat fmt;
    fmt.setBackground(Design::spamHit());
    fmt.setFontWeight(QFont::DemiBold);
    for (const SpamRules::Range &range : model.ranges(row)) {
        if (range.start < 0 || range.end > rec.text.size() || range.end <= range.start)
            continue;
        out.append({int(range.start), int(range.end - range.start), fmt});
    }
    return out;
}

QString help(const CommentListModel &model, int row)
{
    return model.verdict(row).help;
}

double detailsHeight(const CommentListModel &model, int row, double width)
{
    const ScanStore::Record &r = model.row(row).record;
    const auto d = StoredCommentRow::details(r, model.verdict(row));
    double h = 2;
    int items = 0;
    if (!d.help.isEmpty()) {
        QTextLayout tl(d.help, Design::font(11));
        h += layout(tl, width, 0).height;
        ++items;
    }
    const double line = QFontMetricsF(Design::font(10)).height();
    for (qsizetype i = 0; i < d.lines.size(); ++i) {
        h += (items ? 6 : 0) + line;
        ++items;
    }
    return h;
}

}   // namespace

CommentDelegate::CommentDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

CommentDelegate::Geometry CommentDelegate::geometry(const CommentListModel &model, int row, int width)
{
    Geometry g;
    const double colX = kSide + kAvatar + kGap;
    const double colW = std::max(40.0, width - colX - kSide);
    g.avatar = QRectF(kSide, 0, kAvatar, kAvatar);
    if (model.hasTickBox(row))
        g.tick = QRectF(colX + colW - 18, 0, 18, 18);
    g.name = QRectF(colX, 0, colW - (g.tick.isEmpty() ? 0 : 24), kHead);
    const ScanStore::Record &r = model.row(row).record;
    QTextLayout tl(StoredCommentRow::body(r), Design::font(13));
    tl.setFormats(marks(model, row));
    const Laid laid = layout(tl, colW - 2 * kBubblePadX, kLineGap);
    const double top = kHead + 5;
    g.bubble = QRectF(colX, top, std::min(colW, std::ceil(laid.width) + 2 * kBubblePadX),
                      laid.height + 2 * kBubblePadY);
    g.text = g.bubble.adjusted(kBubblePadX, kBubblePadY, -kBubblePadX, -kBubblePadY);
    double y = g.bubble.bottom();
    const Verdict &v = model.verdict(row);
    if (StoredCommentRow::showsPill(r, v)) {
        g.pill = QPointF(colX, y + 5);
        y += 5 + VerdictPill::size(v, false).height();
    }
    if (model.expanded(row)) {
        const double h = detailsHeight(model, row, colW);
        g.details = QRectF(colX, y + 5, colW, h);
        y += 5 + h;
    }
    g.height = int(std::ceil(y + kBottom));
    return g;
}

int CommentDelegate::height(const CommentListModel &model, int row, int width)
{
    if (const auto cached = model.cachedHeight(row, width))
        return *cached;
    int h = 0;
    switch (model.row(row).kind) {
    case CommentListModel::Kind::heading: {
        const double textW = std::max(40.0, width - 2 * kSide - 36 - 12);
        QTextLayout tl(PostHeading::title(model.postOf(row)), Design::font(13, QFont::DemiBold));
        const double title = layout(tl, textW, 0, 2).height;
        const double summary = QFontMetricsF(Design::font(11)).height();
        h = int(std::ceil(std::max(56.0, 10 + std::max(36.0, title + 4 + summary) + 10))) + 14;
        break;
    }
    case CommentListModel::Kind::comment:
        h = geometry(model, row, width).height;
        break;
    case CommentListModel::Kind::caption:
        h = int(std::ceil(QFontMetricsF(Design::font(11, QFont::DemiBold)).height() + kBottom));
        break;
    case CommentListModel::Kind::end:
        h = 1;
        break;
    }
    model.cacheHeight(row, width, h);
    return h;
}

int CommentDelegate::viewWidth(const QStyleOptionViewItem &option)
{
    if (const auto *view = qobject_cast<const QAbstractItemView *>(option.widget))
        return view->viewport()->width();
    return option.rect.width();
}

QSize CommentDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const auto *model = qobject_cast<const CommentListModel *>(index.model());
    const int width = viewWidth(option);
    if (!model)
        return {width, 0};
    return {width, height(*model, index.row(), width)};
}

void CommentDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const auto *model = qobject_cast<const CommentListModel *>(index.model());
    if (!model)
        return;
    paintRow(*painter, option.rect, *model, index.row());
}

void CommentDelegate::paintRow(QPainter &p, const QRectF &rect, const CommentListModel &model, int row)
{
    const CommentListModel::Row &r = model.row(row);
    p.save();
    p.translate(rect.topLeft());
    p.setRenderHint(QPainter::Antialiasing);
    const double w = rect.width();
    switch (r.kind) {
    case CommentListModel::Kind::end:
        break;
    case CommentListModel::Kind::caption: {
        const QFont font = Design::font(11, QFont::DemiBold);
        p.setFont(font);
        p.setPen(Design::muted());
        const double tw = QFontMetricsF(font).horizontalAdvance(r.caption);
        const double h = QFontMetricsF(font).height();
        p.drawText(QRectF(kSide, 0, tw + 1, h), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, r.caption);
        p.fillRect(QRectF(kSide + tw + 10, h / 2, std::max(0.0, w - 2 * kSide - tw - 10), 1), Design::border());
        break;
    }
    case CommentListModel::Kind::heading: {
        const ChannelPost &post = model.postOf(row);
        const double h = rect.height() - 14;
        p.fillRect(QRectF(0, 0, w, h), model.highlighted(row) ? Design::card() : Design::panel());
        p.fillRect(QRectF(0, h - 1, w, 1), Design::border());
        const QRectF thumb(kSide, 10, 36, 36);
        p.fillPath(Design::rounded(thumb, 8), Design::elevated());
        p.setPen(Design::muted());
        p.setFont(Design::font(13, QFont::Bold));
        p.drawText(thumb, Qt::AlignCenter, post.site.left(1).toUpper());
        const double textX = kSide + 36 + 12;
        const double textW = std::max(40.0, w - textX - kSide);
        QTextLayout tl(PostHeading::title(post), Design::font(13, QFont::DemiBold));
        const double th = layout(tl, textW, 0, 2).height;
        p.setPen(Design::text());
        tl.draw(&p, QPointF(textX, 10));
        p.setPen(Design::muted());
        const QFont sf = Design::font(11);
        p.setFont(sf);
        const QString summary = QFontMetricsF(sf).elidedText(PostHeading::summary(post), Qt::ElideRight, textW);
        p.drawText(QRectF(textX, 10 + th + 4, textW, QFontMetricsF(sf).height()), Qt::AlignLeft | Qt::TextSingleLine,
                   summary);
        break;
    }
    case CommentListModel::Kind::comment: {
        const ScanStore::Record &rec = r.record;
        const Geometry g = geometry(model, row, int(w));
        const bool flagged = rec.isPendingSpam();
        const bool dimmed = rec.deletedAt.has_value();
        const std::optional<int> tintPct = StoredCommentRow::tintPercent(rec);
        const std::optional<QColor> tint = tintPct ? std::optional<QColor>(Design::risk(*tintPct)) : std::nullopt;
        const double opacity = model.cut(row) ? 0.35 : 1.0;
        p.setOpacity(opacity);
        // Avatar: the author's initial on a round badge.
        Avatar::paint(p, g.avatar, rec.author);
        const QString author = StoredCommentRow::author(rec.author);
        // Head line: name, date, tick box.
        const QFont nameFont = Design::font(11, QFont::DemiBold);
        const QFontMetricsF nfm(nameFont);
        const QString meta = StoredCommentRow::meta(rec);
        const QFont metaFont = Design::font(10);
        const double metaW = meta.isEmpty() ? 0 : QFontMetricsF(metaFont).horizontalAdvance(meta) + 6;
        const QString name = nfm.elidedText(author, Qt::ElideRight, std::max(10.0, g.name.width() - metaW));
        const double nameW = nfm.horizontalAdvance(name);
        p.setFont(nameFont);
        p.setPen(dimmed ? Design::muted() : Design::text());
        p.drawText(QRectF(g.name.left(), 0, nameW + 1, kHead), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   name);
        if (!meta.isEmpty()) {
            p.setFont(metaFont);
            p.setPen(Design::muted());
            p.drawText(QRectF(g.name.left() + nameW + 6, 0, metaW, kHead),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, meta);
        }
        if (!g.tick.isEmpty()) {
            const bool on = model.ticked(row);
            const QRectF box = g.tick.adjusted(1, 1, -1, -1);
            p.setPen(on ? Qt::NoPen : QPen(Design::muted(), 1.2));
            p.setBrush(on ? Design::text() : Qt::NoBrush);
            p.drawPath(Design::rounded(box, 4));
            if (on) {
                QPen pen(Design::panel(), 2);
                pen.setCapStyle(Qt::RoundCap);
                pen.setJoinStyle(Qt::RoundJoin);
                p.setPen(pen);
                p.setBrush(Qt::NoBrush);
                QPainterPath tick;
                tick.moveTo(box.left() + 4, box.center().y());
                tick.lineTo(box.left() + 7, box.bottom() - 4.5);
                tick.lineTo(box.right() - 3.5, box.top() + 4.5);
                p.drawPath(tick);
            }
        }
        // Bubble.
        const QPainterPath bubble = Design::bubble(g.bubble);
        p.fillPath(bubble, flagged ? Design::surface() : Design::card());
        if (flagged) {
            p.setPen(QPen(tint ? Design::faded(*tint, 0.75) : Design::strongBorder(), 1));
            p.setBrush(Qt::NoBrush);
            p.drawPath(Design::bubble(g.bubble.adjusted(0.5, 0.5, -0.5, -0.5)));
        }
        QTextLayout tl(StoredCommentRow::body(rec), Design::font(13));
        tl.setFormats(marks(model, row));
        layout(tl, g.text.width(), kLineGap);
        p.setPen(flagged ? Design::text() : dimmed ? Design::muted() : Design::secondary());
        tl.draw(&p, g.text.topLeft());
        if (model.cut(row)) {
            p.setOpacity(1);
            const QRectF strike(g.bubble.left() - 4, g.bubble.center().y() - 1, g.bubble.width() + 8, 2);
            p.fillPath(Design::rounded(strike, 1), Design::brand());
            p.setOpacity(opacity);
        }
        // Footer: the verdict pill and the unfolded details.
        const Verdict &v = model.verdict(row);
        if (StoredCommentRow::showsPill(rec, v))
            VerdictPill::paint(p, g.pill, v, false, tint);
        if (!g.details.isEmpty()) {
            const auto d = StoredCommentRow::details(rec, v);
            double y = g.details.top() + 2;
            bool first = true;
            if (!d.help.isEmpty()) {
                QTextLayout hl(d.help, Design::font(11));
                const double hh = layout(hl, g.details.width(), 0).height;
                p.setPen(Design::secondary());
                hl.draw(&p, QPointF(g.details.left(), y));
                y += hh;
                first = false;
            }
            const QFont df = Design::font(10);
            const double lh = QFontMetricsF(df).height();
            p.setFont(df);
            for (const auto &[label, value] : d.lines) {
                if (!first)
                    y += 6;
                first = false;
                const QRectF line(g.details.left(), y, g.details.width(), lh);
                p.setPen(Design::muted());
                p.drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, label);
                p.setPen(Design::secondary());
                p.drawText(line, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, value);
                y += lh;
            }
        }
        break;
    }
    }
    p.restore();
}

bool CommentDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                                  const QModelIndex &index)
{
    auto *list = qobject_cast<CommentListModel *>(model);
    if (!list || event->type() != QEvent::MouseButtonRelease
        || list->row(index.row()).kind != CommentListModel::Kind::comment)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    const Geometry g = geometry(*list, index.row(), option.rect.width());
    const QPointF at = mouse->position() - QPointF(option.rect.topLeft());
    if (!g.tick.isEmpty() && g.tick.adjusted(-4, -4, 4, 4).contains(at)) {
        list->setTicked(index.row(), !list->ticked(index.row()));
        return true;
    }
    if (Design::bubble(g.bubble).contains(at)) {
        list->toggleExpanded(index.row());
        emit sizeHintChanged(index);
        return true;
    }
    return false;
}

bool CommentDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                                const QModelIndex &index)
{
    const auto *list = qobject_cast<const CommentListModel *>(index.model());
    if (!list || !event || list->row(index.row()).kind != CommentListModel::Kind::comment)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const Geometry g = geometry(*list, index.row(), option.rect.width());
    const QPointF at = event->pos() - QPointF(option.rect.topLeft());
    const Verdict &v = list->verdict(index.row());
    QString text = StoredCommentRow::tooltip();
    if (StoredCommentRow::showsPill(list->row(index.row()).record, v)
        && QRectF(g.pill, VerdictPill::size(v, false)).contains(at) && !help(*list, index.row()).isEmpty())
        text = help(*list, index.row());
    // Shown literally: a site's message is never read as markup.
    QToolTip::showText(event->globalPos(), Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal), view);
    return true;
}
