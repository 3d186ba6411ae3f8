// The language choice and the translation of page-script messages.
#include "Base/DateText.h"
#include "Base/Lang.h"
#include "Base/LocalZone.h"
#include "Base/SiteMessage.h"
#include "LanguageScope.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QVariantList>
#include <QProcess>
#include <QThread>
#include <QTimeZone>
#include <QTest>
#include <QXmlStreamReader>

#include <cstring>
#include <unistd.h>
#include <functional>
#include <memory>
#include <tuple>

class LangTest : public QObject {
    Q_OBJECT
private slots:
    // Naming the local zone changes no local time: an unset zone becomes the system's by name,
    // a zone the owner set stays as it is.
    void localZonePinsTheSameZone_data()
    {
        QTest::addColumn<bool>("set");
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QByteArray>("pinned");   // empty: the system zone's name
        QTest::newRow("unset") << false << QByteArray() << QByteArray();
        QTest::newRow("named") << true << QByteArray("Asia/Seoul") << QByteArray("Asia/Seoul");
        QTest::newRow("with daylight saving")
            << true << QByteArray("America/New_York") << QByteArray("America/New_York");
        QTest::newRow("the system file") << true << QByteArray(":/etc/localtime") << QByteArray(":/etc/localtime");
    }
    void localZonePinsTheSameZone()
    {
        QFETCH(bool, set);
        QFETCH(QByteArray, zone);
        QFETCH(QByteArray, pinned);
        const bool hadZone = qEnvironmentVariableIsSet("TZ");
        const QByteArray oldZone = qgetenv("TZ");
        auto restore = qScopeGuard([&] {
            if (hadZone)
                qputenv("TZ", oldZone);
            else
                qunsetenv("TZ");
        });
        if (set)
            qputenv("TZ", zone);
        else
            qunsetenv("TZ");
        // A summer and a winter instant, each as local time before and after.
        const QList<qint64> instants{1782900000000, 1797800000000};
        QStringList before;
        for (const qint64 ms : instants)
            before << QDateTime::fromMSecsSinceEpoch(ms, Qt::LocalTime).toString(Qt::ISODateWithMs);
        const QByteArray now = LocalZone::pin();
        QCOMPARE(now, pinned.isEmpty() ? QTimeZone::systemTimeZoneId() : pinned);
        QCOMPARE(qgetenv("TZ"), now);
        for (qsizetype i = 0; i < instants.size(); ++i)
            QCOMPARE(QDateTime::fromMSecsSinceEpoch(instants.at(i), Qt::LocalTime).toString(Qt::ISODateWithMs),
                     before.at(i));
    }
    void decide_data()
    {
        QTest::addColumn<bool>("hasVtLang");
        QTest::addColumn<QString>("vtLang");
        QTest::addColumn<QStringList>("preferred");
        QTest::addColumn<bool>("korean");

        const QStringList english{"en-US", "en"};
        const QStringList korean{"ko-KR", "ko", "en"};
        QTest::newRow("VT_LANG ko beats English languages") << true << "ko" << english << true;
        QTest::newRow("VT_LANG ko-KR") << true << "ko-KR" << english << true;
        QTest::newRow("VT_LANG kor") << true << "kor" << english << true;
        QTest::newRow("VT_LANG en beats Korean languages") << true << "en" << korean << false;
        QTest::newRow("VT_LANG is case-sensitive") << true << "KO" << korean << false;
        QTest::newRow("VT_LANG empty still decides") << true << "" << korean << false;
        QTest::newRow("first preferred ko-KR") << false << "" << korean << true;
        QTest::newRow("only the first preferred counts") << false << "" << QStringList{"en-GB", "ko-KR"} << false;
        QTest::newRow("no preferred languages is English") << false << "" << QStringList{} << false;
    }
    void decide()
    {
        QFETCH(bool, hasVtLang);
        QFETCH(QString, vtLang);
        QFETCH(QStringList, preferred);
        QFETCH(bool, korean);
        const std::optional<QString> env = hasVtLang ? std::optional<QString>(vtLang) : std::nullopt;
        QCOMPARE(Lang::decide(env, preferred), korean);
    }

    // The real decision reads the process environment once; each row runs in a fresh process.
    void systemFromEnvironment_data()
    {
        QTest::addColumn<QString>("vtLang");     // "-" leaves VT_LANG unset
        QTest::addColumn<QString>("language");   // the user's preferred languages (LANGUAGE)
        QTest::addColumn<QString>("expected");

        QTest::newRow("VT_LANG ko over English user") << "ko"
                                                      << "en_US"
                                                      << "ko";
        QTest::newRow("VT_LANG en over Korean user") << "en"
                                                     << "ko_KR"
                                                     << "en";
        QTest::newRow("VT_LANG empty over Korean user") << ""
                                                        << "ko_KR"
                                                        << "en";
        QTest::newRow("Korean user") << "-"
                                     << "ko_KR:en_US"
                                     << "ko";
        QTest::newRow("English user") << "-"
                                      << "en_US:ko_KR"
                                      << "en";
    }
    void systemFromEnvironment()
    {
        QFETCH(QString, vtLang);
        QFETCH(QString, language);
        QFETCH(QString, expected);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("VT_LANG");
        if (vtLang != "-")
            env.insert("VT_LANG", vtLang);
        env.remove("LC_ALL");
        env.remove("LC_MESSAGES");
        env.insert("LANG", language.section(':', 0, 0) + ".UTF-8");
        env.insert("LANGUAGE", language);
        QProcess probe;
        probe.setProcessEnvironment(env);
        probe.start(QCoreApplication::applicationFilePath(), {"--print-lang"});
        QVERIFY(probe.waitForFinished(10000));
        QCOMPARE(QString::fromUtf8(probe.readAllStandardOutput()).trimmed(), expected);
    }

    // Every message code a page script can send has its text in both languages, so that no run
    // shows a code or a line of the other language.
    void scriptMessagesTranslated_data()
    {
        QTest::addColumn<QString>("code");
        const QRegularExpression entry(QStringLiteral("(\\w+): '([^']+)'"));
        const QRegularExpression likes(QStringLiteral("const LIKES_SKIP = '([^']+)';"));
        for (const char *script : {":/Resources/ext/youtube.js", ":/Resources/ext/instagram.js",
                                   ":/Resources/channel.js", ":/Resources/ext/bridge.js", ":/Resources/ext/spam.js"}) {
            QFile file(QString::fromLatin1(script));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString source = QString::fromUtf8(file.readAll());
            QStringList codes;
            const QString table =
                source.section(QStringLiteral("const MSG = {"), 1).section(QStringLiteral("};"), 0, 0);
            for (const QRegularExpressionMatch &m : entry.globalMatch(table))
                codes.append(m.captured(2));
            if (const QRegularExpressionMatch m = likes.match(source); m.hasMatch())
                codes.append(m.captured(1));
            QVERIFY2(!codes.isEmpty(), script);
            for (const QString &code : codes)
                QTest::addRow("%s: %s", strrchr(script, '/') + 1, qPrintable(code)) << code;
        }
    }
    void scriptMessagesTranslated()
    {
        QFETCH(QString, code);
        const int count = SiteMessage::argumentCount(code);
        QVERIFY2(count >= 0, "a code without a text");
        QVariantList args;
        for (int i = 0; i < count; ++i)
            args.append(7 + i);
        const QString message = SiteMessage::make(code, args);
        QVERIFY(isSiteMessage(message));
        const QString english = inLanguage(false, [&] { return localizedSiteMessage(message); });
        const QString korean = inLanguage(true, [&] { return localizedSiteMessage(message); });
        const QRegularExpression hangul(QStringLiteral("[\\x{AC00}-\\x{D7A3}]"));
        QCOMPARE(englishSiteMessage(message), english);
        QVERIFY2(!english.contains(hangul) && !english.contains(u'%'), qPrintable(english));
        QVERIFY2(korean.contains(hangul) && !korean.contains(u'%'), qPrintable(korean));
        for (int i = 0; i < count; ++i) {
            QVERIFY2(english.contains(QString::number(7 + i)), qPrintable(english));
            QVERIFY2(korean.contains(QString::number(7 + i)), qPrintable(korean));
        }
    }

    // What the owner reads for each message, in both languages; texts that are no code (an
    // older script's sentence, a newer script's code) are shown as they came, and a message that
    // is not what it claims reads as unreadable, whatever it holds.
    void siteMessages_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("korean");
        QTest::addColumn<QString>("english");
        QTest::addColumn<bool>("known");

        const auto row =
            [](const char *name, const QString &message, const char *korean, const char *english, bool known = true) {
            QTest::newRow(name) << message << QString::fromUtf8(korean) << QString::fromUtf8(english) << known;
        };
        row("youtube.intro", "youtube.intro",
            "스팸 검사를 누르면 이 영상의 댓글을 불러와 검사합니다. 로그인하지 않아도 됩니다.",
            "Press Scan for spam to load and check this video's comments. No sign-in needed.");
        row("youtube.guide", "youtube.guide", "youtube.com에서는 영상 페이지에서 댓글을 수집하고 검사합니다.",
            "On youtube.com, comments are collected and checked on a video page.");
        row("youtube.empty", "youtube.empty",
            "이 영상에서 댓글을 찾지 못했습니다. 댓글이 꺼져 있거나 아직 없는 영상입니다.",
            "No comments found on this video. Comments are turned off or there are none yet.");
        row("youtube.readOnly", "youtube.readOnly",
            "로그인하지 않아 수집과 검사만 했습니다. 삭제하려면 유튜브에 로그인한 뒤 내 영상에서 다시 검사하세요.",
            "You are not signed in, so comments were only collected and checked. To delete, sign in to YouTube and scan again on your own video.");
        row("youtube.noMenu", "youtube.noMenu",
            "댓글의 작업 메뉴를 찾지 못해 중단했습니다. (유튜브 화면이 바뀌었을 수 있음)",
            "Stopped: the comment's action menu was not found. (YouTube's layout may have changed.)");
        row("youtube.noDelete", "youtube.noDelete",
            "메뉴에 삭제가 없어 중단했습니다. 내 채널의 영상에 달린 댓글만 삭제할 수 있습니다.",
            "Stopped: the menu has no Delete. You can only delete comments on your own channel's videos.");
        row("youtube.noData", "youtube.noData", "사이트가 댓글을 보내지 않았습니다. 잠시 뒤 다시 검사해 주세요.",
            "The site didn't send the comments. Please scan again in a moment.");
        row("instagram.intro", "instagram.intro",
            "내 게시물을 연 상태에서 스팸 검사를 누르면 댓글을 모두 불러와 검사합니다.",
            "With your own post open, press Scan for spam to load and check all its comments.");
        row("instagram.guide", "instagram.guide",
            "내 게시물을 열면(프로필에서 게시물 클릭) 여기서 스팸 검사를 할 수 있습니다.",
            "Open one of your posts (click it on your profile) to scan it for spam here.");
        row("instagram.empty", "instagram.empty",
            "이 게시물에서 댓글을 찾지 못했습니다. 댓글이 없는 게시물이거나, 댓글 목록이 보이지 않는 화면입니다.",
            "No comments found on this post. It has none, or this view does not show the comment list.");
        row("instagram.readOnly", "instagram.readOnly",
            "로그인하지 않아 화면에 공개된 댓글만 수집해 검사했습니다(답글과 일부 댓글은 빠질 수 있음). 삭제는 로그인한 뒤 내 게시물에서 하세요.",
            "You are not signed in, so only the publicly shown comments were checked (replies and some comments may be missing). To delete, sign in and open your own post.");
        row("instagram.noOptions", "instagram.noOptions",
            "댓글 옵션 버튼을 찾지 못해 중단했습니다. (인스타그램 화면이 바뀌었을 수 있음)",
            "Stopped: the comment options button was not found. (Instagram's layout may have changed.)");
        row("instagram.noDelete", "instagram.noDelete",
            "메뉴에 삭제가 없어 중단했습니다. 내 게시물의 댓글만 삭제할 수 있습니다.",
            "Stopped: the menu has no Delete. You can only delete comments on your own posts.");
        row("unsupported", "unsupported", "지원하는 댓글 화면이 아닙니다", "This is not a supported comment page");
        row("notFound", "notFound", "검사한 댓글을 찾지 못했습니다. 다시 검사해 주세요.",
            "The scanned comments were not found. Please scan again.");
        row("pageChanged", "pageChanged", "댓글 페이지가 바뀌었습니다. 다시 검사해 주세요.",
            "The comment page changed. Please scan again.");
        row("signIn", "signIn", "삭제하려면 사이트에 로그인한 뒤 내 댓글 화면에서 다시 검사해 주세요.",
            "To delete, sign in to the site and scan again on your own comment page.");
        row("notGone", "notGone", "삭제를 눌렀지만 댓글이 사라지지 않아 중단했습니다.",
            "Stopped: Delete was pressed but the comment did not go away.");
        row("cancelled", "cancelled", "삭제를 취소했습니다.", "Deletion cancelled.");
        row("partialData", "partialData", "사이트가 댓글 일부를 보내지 않아 일부만 수집했습니다. 다시 검사해 주세요.",
            "The site didn't send some of the comments, so only part of them was collected. Please scan again.");
        row("partialReplies", "partialReplies",
            "사이트가 답글 일부를 보내지 않아 일부만 수집했습니다. 다시 검사해 주세요.",
            "The site didn't send some of the replies, so only part of them was collected. Please scan again.");
        row("partialStopped", "partialStopped", "검사를 멈춰 일부만 수집했습니다.",
            "The scan was stopped, so only part of the comments was collected.");
        row("likes reason", "skip.likes", "좋아요가 있어 검사에서 제외", "Has likes, not checked");
        row("likes reason of an older scan", "좋아요가 있어 검사에서 제외", "좋아요가 있어 검사에서 제외",
            "Has likes, not checked");
        row("channel.notChannel", "channel.notChannel", "내 채널 화면을 열지 못했습니다.",
            "Couldn't open your channel page.");
        row("channel.signIn", "channel.signIn",
            "로그인이 필요하거나 사이트가 확인을 요청해 내 게시물을 불러오지 못했습니다.",
            "Couldn't load your posts: the site asks you to sign in or to confirm it's you.");
        row("channel.unreadable", "channel.unreadable",
            "내 게시물 목록을 읽지 못했습니다. (사이트 화면이 바뀌었을 수 있음)",
            "Couldn't read your list of posts. (The site's layout may have changed.)");
        row("loading", "progress.loading", "댓글을 불러오는 중…", "Loading comments…");
        row("collecting", R"({"code":"progress.collecting","args":[12]})", "댓글 수집 중… 12",
            "Collecting comments… 12");
        row("collecting of", R"({"code":"progress.collectingOf","args":[12,300]})", "댓글 수집 중… 12/300",
            "Collecting comments… 12/300");
        row("checking", "progress.checking", "댓글 검사 중…", "Checking comments…");
        row("done", "progress.done", "검사 완료", "Scan complete");
        row("deleting", R"({"code":"progress.deleting","args":[3,10]})", "삭제 중… 3/10", "Deleting… 3/10");
        row("deleting, values as text", R"({"code":"progress.deleting","args":["3","%2"]})", "삭제 중… 3/%2",
            "Deleting… 3/%2");
        row("deleted", "progress.deleted", "삭제 완료", "Deletion complete");
        row("delete stopped", "progress.deleteStopped", "삭제 중단", "Deletion stopped");
        row("code without values, none given", R"({"code":"cancelled"})", "삭제를 취소했습니다.",
            "Deletion cancelled.");

        const char *unreadableKo = "페이지가 읽을 수 없는 메시지를 보냈습니다.";
        const char *unreadableEn = "The page sent a message that couldn't be read.";
        row("values missing", "progress.deleting", unreadableKo, unreadableEn, false);
        row("too few values", R"({"code":"progress.deleting","args":[3]})", unreadableKo, unreadableEn, false);
        row("values where none belong", R"({"code":"cancelled","args":[1]})", unreadableKo, unreadableEn, false);
        row("a value that is no text or number", R"({"code":"progress.deleting","args":[3,{}]})", unreadableKo,
            unreadableEn, false);
        row("args not a list", R"({"code":"progress.deleting","args":"3/10"})", unreadableKo, unreadableEn, false);
        row("code not a text", R"({"code":42})", unreadableKo, unreadableEn, false);
        row("no code", R"({"args":[1]})", unreadableKo, unreadableEn, false);

        row("older script's sentence", "삭제 중… 3/10 댓글", "삭제 중… 3/10 댓글", "삭제 중… 3/10 댓글", false);
        row("newer script's code", "youtube.somethingNew", "youtube.somethingNew", "youtube.somethingNew", false);
        row("newer script's code with values", R"({"code":"later","args":[1]})", R"({"code":"later","args":[1]})",
            R"({"code":"later","args":[1]})", false);
        row("code with spaces around", " cancelled", " cancelled", " cancelled", false);
        row("brace but no JSON", "{not json", "{not json", "{not json", false);
        row("empty", "", "", "", false);
    }
    void siteMessages()
    {
        QFETCH(QString, message);
        QFETCH(QString, korean);
        QFETCH(QString, english);
        QFETCH(bool, known);
        QCOMPARE(inLanguage(true, [&] { return localizedSiteMessage(message); }), korean);
        QCOMPARE(inLanguage(false, [&] { return localizedSiteMessage(message); }), english);
        QCOMPARE(inLanguage(true, [&] { return englishSiteMessage(message); }), english);
        QCOMPARE(isSiteMessage(message), known);
    }

    // What a script's message looks like on the wire, read back.
    void madeMessages()
    {
        QCOMPARE(SiteMessage::make(QStringLiteral("cancelled")), QStringLiteral("cancelled"));
        const QString deleting = SiteMessage::make(QStringLiteral("progress.deleting"), {2, 5});
        QCOMPARE(deleting, QStringLiteral(R"({"args":[2,5],"code":"progress.deleting"})"));
        QCOMPARE(englishSiteMessage(deleting), QStringLiteral("Deleting… 2/5"));
    }

    // Dates and times follow the interface language, not the system locale: main() gives this
    // process a German system locale (24-hour clock, day before month) and default locale.
    void dateTexts_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QDateTime>("at");
        QTest::addColumn<QString>("korean");
        QTest::addColumn<QString>("english");

        const QDateTime evening(QDate(2026, 12, 9), QTime(21, 17, 45));
        const QDateTime morning(QDate(2026, 3, 7), QTime(9, 5));
        const QDateTime midnight(QDate(2026, 1, 31), QTime(0, 5));
        QTest::newRow("clock, evening") << "clock" << evening << "오후 9:17"
                                        << "9:17 PM";
        QTest::newRow("clock, morning") << "clock" << morning << "오전 9:05"
                                        << "9:05 AM";
        QTest::newRow("clock, after midnight") << "clock" << midnight << "오전 12:05"
                                               << "12:05 AM";
        QTest::newRow("clock, noon") << "clock" << QDateTime(QDate(2026, 1, 31), QTime(12, 0)) << "오후 12:00"
                                     << "12:00 PM";
        QTest::newRow("month and day") << "monthDay" << evening << "12월 9일"
                                       << "Dec 9";
        QTest::newRow("month and day, March") << "monthDay" << morning << "3월 7일"
                                              << "Mar 7";
        QTest::newRow("month, day and clock") << "monthDayClock" << evening << "12월 9일 오후 9:17"
                                              << "Dec 9, 9:17 PM";
        QTest::newRow("numeric month and day") << "numericMonthDay" << evening << "12. 9."
                                               << "12/9";
        QTest::newRow("numeric with clock") << "numericDayClock" << morning << "3. 7. 오전 9:05"
                                            << "3/7 9:05 AM";
        QTest::newRow("weekday") << "weekdayMonthDay" << evening << "12월 9일 (수)"
                                 << "Wed, Dec 9";
        QTest::newRow("date") << "date" << midnight << "2026년 1월 31일"
                              << "Jan 31, 2026";
        QTest::newRow("date and clock") << "dateClock" << evening << "2026년 12월 9일 오후 9:17"
                                        << "Dec 9, 2026, 9:17 PM";
    }
    void dateTexts()
    {
        QFETCH(QString, form);
        QFETCH(QDateTime, at);
        QCOMPARE(QLocale().language(), QLocale::German);
        QCOMPARE(QLocale::system().language(), QLocale::German);
        const QHash<QString, std::function<QString()>> forms{
            {"clock", [&] { return DateText::clock(at.time()); }},
            {"monthDay", [&] { return DateText::monthDay(at.date()); }},
            {"monthDayClock", [&] { return DateText::monthDayClock(at); }},
            {"numericMonthDay", [&] { return DateText::numericMonthDay(at.date()); }},
            {"numericDayClock", [&] { return DateText::numericDayClock(at); }},
            {"weekdayMonthDay", [&] { return DateText::weekdayMonthDay(at.date()); }},
            {"date", [&] { return DateText::date(at.date()); }},
            {"dateClock", [&] { return DateText::dateClock(at); }},
        };
        QVERIFY(forms.contains(form));
        QTEST(inLanguage(true, forms.value(form)), "korean");
        QTEST(inLanguage(false, forms.value(form)), "english");
    }

    // The history export writes its dates and messages on a worker thread: they follow the run's
    // language there too.
    void dateTextsOnAWorkerThread()
    {
        const QDateTime evening(QDate(2026, 12, 9), QTime(21, 17, 45));
        for (const auto &[korean, expected] :
             {std::pair(true, "12월 9일 오후 9:17"), std::pair(false, "Dec 9, 9:17 PM")}) {
            LanguageScope language(korean);
            QString shown;
            std::unique_ptr<QThread> worker(QThread::create([&] { shown = DateText::monthDayClock(evening); }));
            worker->start();
            QVERIFY(worker->wait(60000));
            QCOMPARE(shown, QString::fromUtf8(expected));
        }
    }

    // The texts a person or an agent reads (string literals of the sources, the page scripts, the
    // README) name no part of another desktop platform: this program runs on Linux.
    void noOtherPlatformWords_data()
    {
        QTest::addColumn<QString>("pattern");
        for (const char *word : {"\\bMac(s|OS|intosh)?\\b",
                                 "\\bOS X\\b",
                                 "\\bFinder\\b",
                                 "\\bDock\\b",
                                 "\\bCommand[- ]",
                                 "\\bCmd\\b",
                                 "⌘",
                                 "⌥",
                                 "\\bOption[- ]key",
                                 "\\b[Mm]enu bar\\b",
                                 "\\bKeychain\\b",
                                 "\\bSystem (Settings|Preferences)\\b",
                                 "\\bNotification Cent(er|re)\\b",
                                 "\\bSpotlight\\b",
                                 "\\bApplications folder",
                                 "\\bTrash\\b",
                                 "\\bpasteboard\\b",
                                 "\\bapp bundle\\b",
                                 "이 Mac",
                                 "맥(에|의|에서|용)",
                                 "파인더",
                                 "키체인",
                                 "시스템 (설정|환경설정)",
                                 "메뉴 막대",
                                 "휴지통"})
            QTest::newRow(word) << QString::fromUtf8(word);
    }
    void noOtherPlatformWords()
    {
        QFETCH(QString, pattern);
        const QRegularExpression word(pattern);
        QVERIFY(word.isValid());
        // A string literal on one line: "...", with escaped quotes inside.
        const QRegularExpression literal(QString::fromLatin1("\"((?:[^\"\\\\\\n]|\\\\.)*)\""));
        QStringList found;
        auto scan = [&](const QString &path, bool literalsOnly) {
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
            const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
            for (qsizetype i = 0; i < lines.size(); ++i) {
                QStringList texts{lines.at(i)};
                if (literalsOnly) {
                    texts.clear();
                    for (const QRegularExpressionMatch &m : literal.globalMatch(lines.at(i)))
                        texts.append(m.captured(1));
                }
                for (const QString &t : texts) {
                    if (word.match(t).hasMatch())
                        found.append(QStringLiteral("%1:%2: %3").arg(path).arg(i + 1).arg(t.trimmed()));
                }
            }
        };
        const QString root = QStringLiteral(VT_SOURCE_DIR);
        int files = 0;
        for (const auto &[folder, filters, literalsOnly] :
             {std::tuple{QStringLiteral("/Sources"), QStringList{"*.cpp", "*.h"}, true},
              std::tuple{QStringLiteral("/Resources"), QStringList{"*.js"}, false},
              std::tuple{QStringLiteral("/Translations"), QStringList{"*.ts"}, false}}) {
            QDirIterator it(root + folder, filters, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                scan(it.next(), literalsOnly);
                ++files;
            }
        }
        scan(root + QStringLiteral("/README.md"), false);
        QVERIFY(files > 100);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    // Every text of the program has its Korean form, with the same places for the values put in;
    // a text left untranslated would show in English in a Korean run.
    void everyTextTranslated()
    {
        QFile file(QStringLiteral(VT_SOURCE_DIR "/Translations/veltrane_ko.ts"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString context, source, translation, type;
        QStringList faults;
        int messages = 0;
        const QRegularExpression place(QStringLiteral("%L?(\\d+|n)"));
        auto places = [&](const QString &text) {
            QStringList found;
            for (const QRegularExpressionMatch &m : place.globalMatch(text))
                found << m.captured(1);
            found.sort();
            found.removeDuplicates();
            return found;
        };
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                if (xml.name() == u"name")
                    context = xml.readElementText();
                else if (xml.name() == u"source")
                    source = xml.readElementText();
                else if (xml.name() == u"translation") {
                    type = xml.attributes().value(QLatin1String("type")).toString();
                    translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                }
            } else if (xml.isEndElement() && xml.name() == u"message") {
                ++messages;
                if (type == u"vanished" || type == u"obsolete")
                    continue;
                if (type == u"unfinished" || translation.trimmed().isEmpty())
                    faults << QStringLiteral("%1: no Korean for \"%2\"").arg(context, source);
                else if (places(source) != places(translation))
                    faults << QStringLiteral("%1: \"%2\" and \"%3\" take different values")
                                  .arg(context, source, translation);
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(messages > 0);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    void siteMessageFollowsTheRunsLanguage()
    {
        QCOMPARE(localizedSiteMessage(QStringLiteral("cancelled")),
                 Lang::system() ? QStringLiteral("삭제를 취소했습니다.") : QStringLiteral("Deletion cancelled."));
    }
};

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--print-lang") == 0) {
        std::fputs(Lang::system() ? "ko\n" : "en\n", stdout);
        return 0;
    }
    // A system locale other than both interface languages (the child processes set their own).
    // Qt reads the system locale while its libraries load, before main(): start again with it set.
    if (qgetenv("LC_ALL") != "de_DE.UTF-8") {
        qputenv("LC_ALL", "de_DE.UTF-8");
        execv("/proc/self/exe", argv);
        return 1;
    }
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    LangTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_lang.moc"
