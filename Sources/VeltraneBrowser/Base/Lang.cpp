#include "Base/Lang.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>
#include <QTranslator>
#include <QtGlobal>

#include <atomic>
#include <memory>

bool Lang::decide(const std::optional<QString> &vtLang, const QStringList &preferredLanguages)
{
    if (vtLang)
        return vtLang->startsWith(QLatin1String("ko"));
    // No application bundle localisations on this platform: the user's preferred languages decide.
    const QString first = preferredLanguages.isEmpty() ? QStringLiteral("en") : preferredLanguages.first();
    return first.startsWith(QLatin1String("ko"));
}

namespace {

// -1 until decided, then 1 for Korean and 0 for English.
std::atomic<int> chosen {-1};

std::unique_ptr<QTranslator> &installed()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

} // namespace

bool Lang::system()
{
    int now = chosen.load(std::memory_order_acquire);
    if (now < 0) {
        std::optional<QString> vtLang;
        if (qEnvironmentVariableIsSet("VT_LANG"))
            vtLang = qEnvironmentVariable("VT_LANG");
        int expected = -1;
        chosen.compare_exchange_strong(expected, decide(vtLang, QLocale::system().uiLanguages()) ? 1 : 0,
                                       std::memory_order_acq_rel);
        now = chosen.load(std::memory_order_acquire);
    }
    return now == 1;
}

void Lang::use(bool korean)
{
    chosen.store(korean ? 1 : 0, std::memory_order_release);
    installTranslator();
}

void Lang::installTranslator()
{
    if (!QCoreApplication::instance())
        return;
    auto &translator = installed();
    if (translator) {
        QCoreApplication::removeTranslator(translator.get());
        translator.reset();
    }
    // English is the language the texts are written in.
    if (!system())
        return;
    auto korean = std::make_unique<QTranslator>();
    if (!korean->load(QStringLiteral(":/i18n/veltrane_ko.qm")))
        qWarning("The Korean texts are missing from this build; showing English.");
    else if (QCoreApplication::installTranslator(korean.get()))
        translator = std::move(korean);
}

namespace {
void installAtStart()
{
    Lang::installTranslator();
}
} // namespace
Q_COREAPP_STARTUP_FUNCTION(installAtStart)

namespace {

const QHash<QString, QString> &siteMessages()
{
    static const QHash<QString, QString> table = [] {
        const QString host = QString::fromUtf16(kYouTubeMessageHost);
        const std::pair<QString, QString> rows[] = {
            {host + QStringLiteral("에서는 영상 페이지에서 댓글을 수집하고 검사합니다."),
             QStringLiteral("On ") + host + QStringLiteral(", comments are collected and checked on a video page.")},
            {QStringLiteral("스팸 검사를 누르면 이 영상의 댓글을 불러와 검사합니다. 로그인하지 않아도 됩니다."),
             QStringLiteral("Press Scan for spam to load and check this video's comments. No sign-in needed.")},
            {QStringLiteral("이 영상에서 댓글을 찾지 못했습니다. 댓글이 꺼져 있거나 아직 없는 영상입니다."),
             QStringLiteral("No comments found on this video. Comments are turned off or there are none yet.")},
            {QStringLiteral("로그인하지 않아 수집과 검사만 했습니다. 삭제하려면 유튜브에 로그인한 뒤 내 영상에서 다시 검사하세요."),
             QStringLiteral("You are not signed in, so comments were only collected and checked. To delete, sign in to YouTube and scan again on your own video.")},
            {QStringLiteral("내 게시물을 연 상태에서 스팸 검사를 누르면 댓글을 모두 불러와 검사합니다."),
             QStringLiteral("With your own post open, press Scan for spam to load and check all its comments.")},
            {QStringLiteral("내 게시물을 열면(프로필에서 게시물 클릭) 여기서 스팸 검사를 할 수 있습니다."),
             QStringLiteral("Open one of your posts (click it on your profile) to scan it for spam here.")},
            {QStringLiteral("이 게시물에서 댓글을 찾지 못했습니다. 댓글이 없는 게시물이거나, 댓글 목록이 보이지 않는 화면입니다."),
             QStringLiteral("No comments found on this post. It has none, or this view does not show the comment list.")},
            {QStringLiteral("로그인하지 않아 화면에 공개된 댓글만 수집해 검사했습니다(답글과 일부 댓글은 빠질 수 있음). 삭제는 로그인한 뒤 내 게시물에서 하세요."),
             QStringLiteral("You are not signed in, so only the publicly shown comments were checked (replies and some comments may be missing). To delete, sign in and open your own post.")},
            {QStringLiteral("지원하는 댓글 화면이 아닙니다"), QStringLiteral("This is not a supported comment page")},
            {QStringLiteral("내 채널 화면을 열지 못했습니다."), QStringLiteral("Couldn't open your channel page.")},
            {QStringLiteral("로그인이 필요하거나 사이트가 확인을 요청해 내 게시물을 불러오지 못했습니다."),
             QStringLiteral("Your posts couldn't be loaded: the site needs you to sign in or asked for a check.")},
            {QStringLiteral("내 게시물 목록을 읽지 못했습니다. (사이트 화면이 바뀌었을 수 있음)"),
             QStringLiteral("Couldn't read the list of your posts. (The site's layout may have changed.)")},
            {QStringLiteral("검사한 댓글을 찾지 못했습니다. 다시 검사해 주세요."),
             QStringLiteral("The scanned comments were not found. Please scan again.")},
            {QStringLiteral("댓글 페이지가 바뀌었습니다. 다시 검사해 주세요."),
             QStringLiteral("The comment page changed. Please scan again.")},
            {QStringLiteral("삭제하려면 사이트에 로그인한 뒤 내 댓글 화면에서 다시 검사해 주세요."),
             QStringLiteral("To delete, sign in to the site and scan again on your own comment page.")},
            {QStringLiteral("댓글 옵션 버튼을 찾지 못해 중단했습니다. (인스타그램 화면이 바뀌었을 수 있음)"),
             QStringLiteral("Stopped: the comment options button was not found. (Instagram's layout may have changed.)")},
            {QStringLiteral("댓글의 작업 메뉴를 찾지 못해 중단했습니다. (유튜브 화면이 바뀌었을 수 있음)"),
             QStringLiteral("Stopped: the comment's action menu was not found. (YouTube's layout may have changed.)")},
            {QStringLiteral("메뉴에 삭제가 없어 중단했습니다. 내 게시물의 댓글만 삭제할 수 있습니다."),
             QStringLiteral("Stopped: the menu has no Delete. You can only delete comments on your own posts.")},
            {QStringLiteral("메뉴에 삭제가 없어 중단했습니다. 내 채널의 영상에 달린 댓글만 삭제할 수 있습니다."),
             QStringLiteral("Stopped: the menu has no Delete. You can only delete comments on your own channel's videos.")},
            {QStringLiteral("삭제를 눌렀지만 댓글이 사라지지 않아 중단했습니다."),
             QStringLiteral("Stopped: Delete was pressed but the comment did not go away.")},
            {QStringLiteral("삭제를 취소했습니다."), QStringLiteral("Deletion cancelled.")},
            {QStringLiteral("사이트가 댓글 일부를 보내지 않아 일부만 수집했습니다. 다시 검사해 주세요."),
             QStringLiteral("The site didn't send some of the comments, so only part of them was collected. Please scan again.")},
            {QStringLiteral("사이트가 답글 일부를 보내지 않아 일부만 수집했습니다. 다시 검사해 주세요."),
             QStringLiteral("The site didn't send some of the replies, so only part of them was collected. Please scan again.")},
            {QStringLiteral("검사를 멈춰 일부만 수집했습니다."), QStringLiteral("The scan was stopped, so only part of the comments was collected.")},
            {QStringLiteral("사이트가 댓글을 보내지 않았습니다. 잠시 뒤 다시 검사해 주세요."),
             QStringLiteral("The site didn't send the comments. Please scan again in a moment.")},
            {QStringLiteral("좋아요가 있어 검사에서 제외"), QStringLiteral("Has likes, not checked")},
        };
        QHash<QString, QString> out;
        for (const auto &[ko, en] : rows)
            out.insert(ko, en);
        return out;
    }();
    return table;
}

} // namespace

QString localizedSiteMessage(const QString &text, bool korean)
{
    if (korean)
        return text;
    const auto &table = siteMessages();
    if (auto it = table.constFind(text); it != table.constEnd())
        return *it;
    static const QString deleting = QStringLiteral("삭제 중\u2026 ");
    if (text.startsWith(deleting))
        return QStringLiteral("Deleting\u2026 ") + text.mid(deleting.size());
    return text;
}

QString localizedSiteMessage(const QString &text)
{
    return localizedSiteMessage(text, Lang::system());
}

QString englishSiteMessage(const QString &text)
{
    return localizedSiteMessage(text, false);
}

bool isSiteMessage(const QString &text)
{
    return localizedSiteMessage(text, false) != text;
}
