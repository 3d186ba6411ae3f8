#include "Base/SiteMessage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <optional>

namespace {

struct Row {
    const char *code;
    const char *english;
    int args;
};

// Codes are shared by the scripts where the two sites say the same thing.
constexpr Row kRows[] = {
    {"youtube.intro",
     QT_TRANSLATE_NOOP("SiteMessage",
                       "Press Scan for spam to load and check this video's comments. No sign-in needed."),
     0},
    {"youtube.guide",
     QT_TRANSLATE_NOOP("SiteMessage", "On youtube.com, comments are collected and checked on a video page."), 0},
    {"youtube.empty",
     QT_TRANSLATE_NOOP("SiteMessage",
                       "No comments found on this video. Comments are turned off or there are none yet."),
     0},
    {"youtube.readOnly",
     QT_TRANSLATE_NOOP(
         "SiteMessage",
         "You are not signed in, so comments were only collected and checked. To delete, sign in to YouTube and scan again on your own video."),
     0},
    {"youtube.noMenu",
     QT_TRANSLATE_NOOP("SiteMessage",
                       "Stopped: the comment's action menu was not found. (YouTube's layout may have changed.)"),
     0},
    {"youtube.noDelete",
     QT_TRANSLATE_NOOP("SiteMessage",
                       "Stopped: the menu has no Delete. You can only delete comments on your own channel's videos."),
     0},
    {"youtube.noData",
     QT_TRANSLATE_NOOP("SiteMessage", "The site didn't send the comments. Please scan again in a moment."), 0},
    {"instagram.intro",
     QT_TRANSLATE_NOOP("SiteMessage",
                       "With your own post open, press Scan for spam to load and check all its comments."),
     0},
    {"instagram.guide",
     QT_TRANSLATE_NOOP("SiteMessage", "Open one of your posts (click it on your profile) to scan it for spam here."),
     0},
    {"instagram.empty",
     QT_TRANSLATE_NOOP("SiteMessage",
                       "No comments found on this post. It has none, or this view does not show the comment list."),
     0},
    {"instagram.readOnly",
     QT_TRANSLATE_NOOP(
         "SiteMessage",
         "You are not signed in, so only the publicly shown comments were checked (replies and some comments may be missing). To delete, sign in and open your own post."),
     0},
    {"instagram.noOptions",
     QT_TRANSLATE_NOOP("SiteMessage",
                       "Stopped: the comment options button was not found. (Instagram's layout may have changed.)"),
     0},
    {"instagram.noDelete",
     QT_TRANSLATE_NOOP("SiteMessage",
                       "Stopped: the menu has no Delete. You can only delete comments on your own posts."),
     0},
    {"unsupported", QT_TRANSLATE_NOOP("SiteMessage", "This is not a supported comment page"), 0},
    {"notFound", QT_TRANSLATE_NOOP("SiteMessage", "The scanned comments were not found. Please scan again."), 0},
    {"pageChanged", QT_TRANSLATE_NOOP("SiteMessage", "The comment page changed. Please scan again."), 0},
    {"signIn",
     QT_TRANSLATE_NOOP("SiteMessage", "To delete, sign in to the site and scan again on your own comment page."), 0},
    {"notGone", QT_TRANSLATE_NOOP("SiteMessage", "Stopped: Delete was pressed but the comment did not go away."), 0},
    {"cancelled", QT_TRANSLATE_NOOP("SiteMessage", "Deletion cancelled."), 0},
    {"partialData",
     QT_TRANSLATE_NOOP(
         "SiteMessage",
         "The site didn't send some of the comments, so only part of them was collected. Please scan again."),
     0},
    {"partialReplies",
     QT_TRANSLATE_NOOP(
         "SiteMessage",
         "The site didn't send some of the replies, so only part of them was collected. Please scan again."),
     0},
    {"partialStopped",
     QT_TRANSLATE_NOOP("SiteMessage", "The scan was stopped, so only part of the comments was collected."), 0},
    {"skip.likes", QT_TRANSLATE_NOOP("SiteMessage", "Has likes, not checked"), 0},
    {"channel.notChannel", QT_TRANSLATE_NOOP("SiteMessage", "Couldn't open your channel page."), 0},
    {"channel.signIn",
     QT_TRANSLATE_NOOP("SiteMessage", "Couldn't load your posts: the site asks you to sign in or to confirm it's you."),
     0},
    {"channel.unreadable",
     QT_TRANSLATE_NOOP("SiteMessage", "Couldn't read your list of posts. (The site's layout may have changed.)"), 0},
    {"progress.loading", QT_TRANSLATE_NOOP("SiteMessage", "Loading comments…"), 0},
    {"progress.collecting", QT_TRANSLATE_NOOP("SiteMessage", "Collecting comments… %1"), 1},
    {"progress.collectingOf", QT_TRANSLATE_NOOP("SiteMessage", "Collecting comments… %1/%2"), 2},
    {"progress.checking", QT_TRANSLATE_NOOP("SiteMessage", "Checking comments…"), 0},
    {"progress.done", QT_TRANSLATE_NOOP("SiteMessage", "Scan complete"), 0},
    {"progress.deleting", QT_TRANSLATE_NOOP("SiteMessage", "Deleting… %1/%2"), 2},
    {"progress.deleted", QT_TRANSLATE_NOOP("SiteMessage", "Deletion complete"), 0},
    {"progress.deleteStopped", QT_TRANSLATE_NOOP("SiteMessage", "Deletion stopped"), 0},
};

// Scans stored by earlier versions keep the sentence the page scripts wrote then.
constexpr std::pair<const char16_t *, const char *> kStoredSentences[] = {
    {u"좋아요가 있어 검사에서 제외", "skip.likes"},
};

const Row *rowOf(const QString &code)
{
    for (const Row &row : kRows) {
        if (code == QLatin1String(row.code))
            return &row;
    }
    return nullptr;
}

// What a message says: a row and its values, or nothing to translate (shown as it came), or unreadable.
struct Reading {
    enum Kind { asIs, known, unreadable } kind = asIs;
    const Row *row = nullptr;
    QStringList args;
};

std::optional<QString> valueText(const QJsonValue &v)
{
    if (v.isString())
        return v.toString();
    if (v.isDouble() && std::isfinite(v.toDouble()))
        return QString::number(v.toDouble(), 'g', 15);
    return std::nullopt;
}

Reading read(const QString &message)
{
    Reading r;
    if (message.startsWith(u'{')) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(message.toUtf8(), &error);
        if (error.error != QJsonParseError::NoError || !doc.isObject())
            return r;
        const QJsonObject o = doc.object();
        const QJsonValue code = o.value(QLatin1String("code"));
        const QJsonValue args = o.value(QLatin1String("args"));
        if (!code.isString() || !(args.isArray() || args.isUndefined() || args.isNull())) {
            r.kind = Reading::unreadable;
            return r;
        }
        r.row = rowOf(code.toString());
        if (!r.row)
            return r;   // a newer script's code: shown as it came
        for (const QJsonValue &v : args.toArray()) {
            const std::optional<QString> text = valueText(v);
            if (!text) {
                r.kind = Reading::unreadable;
                return r;
            }
            r.args.append(*text);
        }
        r.kind = r.args.size() == r.row->args ? Reading::known : Reading::unreadable;
        return r;
    }
    r.row = rowOf(message);
    if (!r.row) {
        for (const auto &[sentence, code] : kStoredSentences) {
            if (message == QStringView(sentence))
                r.row = rowOf(QLatin1String(code));
        }
    }
    if (r.row)
        r.kind = r.row->args == 0 ? Reading::known : Reading::unreadable;
    return r;
}

// Puts the values in at %1, %2, ... in one pass, so that a value holding "%2" stays as it is.
QString filled(const QString &text, const QStringList &args)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'%' && i + 1 < text.size() && text.at(i + 1).isDigit()) {
            const int n = text.at(i + 1).digitValue();
            if (n >= 1 && n <= args.size()) {
                out += args.at(n - 1);
                ++i;
                continue;
            }
        }
        out += text.at(i);
    }
    return out;
}

QString shown(const QString &message, bool translated)
{
    const Reading r = read(message);
    switch (r.kind) {
    case Reading::asIs:
        return message;
    case Reading::unreadable:
        return translated
            ? SiteMessage::unreadableText()
            : QString::fromUtf8(QT_TRANSLATE_NOOP("SiteMessage", "The page sent a message that couldn't be read."));
    case Reading::known:
        break;
    }
    const QString text = translated ? QCoreApplication::translate("SiteMessage", r.row->english)
                                    : QString::fromUtf8(r.row->english);
    return filled(text, r.args);
}

}   // namespace

QString SiteMessage::text(const QString &message)
{
    return shown(message, true);
}

QString SiteMessage::english(const QString &message)
{
    return shown(message, false);
}

bool SiteMessage::isKnown(const QString &message)
{
    return read(message).kind == Reading::known;
}

QStringList SiteMessage::codes()
{
    QStringList out;
    for (const Row &row : kRows)
        out.append(QLatin1String(row.code));
    return out;
}

int SiteMessage::argumentCount(const QString &code)
{
    const Row *row = rowOf(code);
    return row ? row->args : -1;
}

QString SiteMessage::make(const QString &code, const QVariantList &args)
{
    if (args.isEmpty())
        return code;
    const QJsonObject o{{QStringLiteral("code"), code}, {QStringLiteral("args"), QJsonArray::fromVariantList(args)}};
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

QString SiteMessage::unreadableText()
{
    return tr("The page sent a message that couldn't be read.");
}
