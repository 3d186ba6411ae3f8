// The language choice and the translation of page-script messages.
#include "Base/DateText.h"
#include "Base/Lang.h"
#include "LanguageScope.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QProcess>
#include <QThread>
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
    void decide_data()
    {
        QTest::addColumn<bool>("hasVtLang");
        QTest::addColumn<QString>("vtLang");
        QTest::addColumn<QStringList>("preferred");
        QTest::addColumn<bool>("korean");

        const QStringList english {"en-US", "en"};
        const QStringList korean {"ko-KR", "ko", "en"};
        QTest::newRow("VT_LANG ko beats English languages") << true << "ko" << english << true;
        QTest::newRow("VT_LANG ko-KR") << true << "ko-KR" << english << true;
        QTest::newRow("VT_LANG kor") << true << "kor" << english << true;
        QTest::newRow("VT_LANG en beats Korean languages") << true << "en" << korean << false;
        QTest::newRow("VT_LANG is case-sensitive") << true << "KO" << korean << false;
        QTest::newRow("VT_LANG empty still decides") << true << "" << korean << false;
        QTest::newRow("first preferred ko-KR") << false << "" << korean << true;
        QTest::newRow("only the first preferred counts") << false << "" << QStringList {"en-GB", "ko-KR"} << false;
        QTest::newRow("no preferred languages is English") << false << "" << QStringList {} << false;
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

        QTest::newRow("VT_LANG ko over English user") << "ko" << "en_US" << "ko";
        QTest::newRow("VT_LANG en over Korean user") << "en" << "ko_KR" << "en";
        QTest::newRow("VT_LANG empty over Korean user") << "" << "ko_KR" << "en";
        QTest::newRow("Korean user") << "-" << "ko_KR:en_US" << "ko";
        QTest::newRow("English user") << "-" << "en_US:ko_KR" << "en";
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

    // Every fixed message of the page scripts has its English text, so an English run never
    // shows a Korean line from the page.
    void scriptMessagesTranslated_data()
    {
        QTest::addColumn<QString>("text");
        const QRegularExpression entry(QStringLiteral("^\\s+\\w+: '([^']+)',$"), QRegularExpression::MultilineOption);
        for (const char *script : {":/Resources/ext/youtube.js", ":/Resources/ext/instagram.js", ":/Resources/channel.js"}) {
            QFile file(QString::fromLatin1(script));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString source = QString::fromUtf8(file.readAll());
            const QString table = source.section(QStringLiteral("const MSG = {"), 1).section(QStringLiteral("};"), 0, 0);
            QVERIFY2(!table.isEmpty(), script);
            for (const QRegularExpressionMatch &m : entry.globalMatch(table)) {
                const QString text = m.captured(1);
                QTest::addRow("%s: %s", strrchr(script, '/') + 1, qPrintable(text)) << text;
            }
        }
    }
    void scriptMessagesTranslated()
    {
        QFETCH(QString, text);
        QVERIFY(localizedSiteMessage(text, false) != text);
        QCOMPARE(localizedSiteMessage(text, true), text);
    }

    void siteMessages_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("korean");
        QTest::addColumn<QString>("shown");

        const QString cancelled = QStringLiteral("삭제를 취소했습니다.");
        const QString intro = QStringLiteral("youtube.com에서는 영상 페이지에서 댓글을 수집하고 검사합니다.");
        const QString deleting = QStringLiteral("삭제 중\u2026 ");
        QTest::newRow("known message") << cancelled << false << "Deletion cancelled.";
        QTest::newRow("host in both texts") << intro << false
                                            << "On youtube.com, comments are collected and checked on a video page.";
        QTest::newRow("likes reason") << QStringLiteral("좋아요가 있어 검사에서 제외") << false << "Has likes, not checked";
        QTest::newRow("whole text only") << cancelled + " " << false << cancelled + " ";
        QTest::newRow("unknown stays Korean") << QStringLiteral("알 수 없는 오류") << false << QStringLiteral("알 수 없는 오류");
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("prefix alone") << deleting << false << QStringLiteral("Deleting\u2026 ");
        QTest::newRow("prefix keeps the rest") << deleting + QStringLiteral("3/10 댓글") << false
                                               << QStringLiteral("Deleting\u2026 3/10 댓글");
        QTest::newRow("prefix needs the ellipsis character") << QStringLiteral("삭제 중... 3") << false
                                                             << QStringLiteral("삭제 중... 3");
        QTest::newRow("Korean keeps known") << cancelled << true << cancelled;
        QTest::newRow("Korean keeps prefix") << deleting + "1" << true << deleting + "1";
    }
    void siteMessages()
    {
        QFETCH(QString, text);
        QFETCH(bool, korean);
        QFETCH(QString, shown);
        QCOMPARE(localizedSiteMessage(text, korean), shown);
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
        QTest::newRow("clock, evening") << "clock" << evening << "오후 9:17" << "9:17 PM";
        QTest::newRow("clock, morning") << "clock" << morning << "오전 9:05" << "9:05 AM";
        QTest::newRow("clock, after midnight") << "clock" << midnight << "오전 12:05" << "12:05 AM";
        QTest::newRow("clock, noon") << "clock" << QDateTime(QDate(2026, 1, 31), QTime(12, 0)) << "오후 12:00" << "12:00 PM";
        QTest::newRow("month and day") << "monthDay" << evening << "12월 9일" << "Dec 9";
        QTest::newRow("month and day, March") << "monthDay" << morning << "3월 7일" << "Mar 7";
        QTest::newRow("month, day and clock") << "monthDayClock" << evening << "12월 9일 오후 9:17" << "Dec 9, 9:17 PM";
        QTest::newRow("numeric month and day") << "numericMonthDay" << evening << "12. 9." << "12/9";
        QTest::newRow("numeric with clock") << "numericDayClock" << morning << "3. 7. 오전 9:05" << "3/7 9:05 AM";
        QTest::newRow("weekday") << "weekdayMonthDay" << evening << "12월 9일 (수)" << "Wed, Dec 9";
        QTest::newRow("date") << "date" << midnight << "2026년 1월 31일" << "Jan 31, 2026";
        QTest::newRow("date and clock") << "dateClock" << evening << "2026년 12월 9일 오후 9:17" << "Dec 9, 2026, 9:17 PM";
    }
    void dateTexts()
    {
        QFETCH(QString, form);
        QFETCH(QDateTime, at);
        QCOMPARE(QLocale().language(), QLocale::German);
        QCOMPARE(QLocale::system().language(), QLocale::German);
        const QHash<QString, std::function<QString()>> forms {
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
        for (const auto &[korean, expected] : {std::pair(true, "12월 9일 오후 9:17"), std::pair(false, "Dec 9, 9:17 PM")}) {
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
        for (const char *word : {"\\bMac(s|OS|intosh)?\\b", "\\bOS X\\b", "\\bFinder\\b", "\\bDock\\b", "\\bCommand[- ]",
                                 "\\bCmd\\b", "⌘", "⌥", "\\bOption[- ]key", "\\b[Mm]enu bar\\b", "\\bKeychain\\b",
                                 "\\bSystem (Settings|Preferences)\\b", "\\bNotification Cent(er|re)\\b", "\\bSpotlight\\b",
                                 "\\bApplications folder", "\\bTrash\\b", "\\bpasteboard\\b", "\\bapp bundle\\b",
                                 "이 Mac", "맥(에|의|에서|용)", "파인더", "키체인", "시스템 (설정|환경설정)", "메뉴 막대", "휴지통"})
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
                QStringList texts {lines.at(i)};
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
             {std::tuple {QStringLiteral("/Sources"), QStringList {"*.cpp", "*.h"}, true},
              std::tuple {QStringLiteral("/Resources"), QStringList {"*.js"}, false},
              std::tuple {QStringLiteral("/Translations"), QStringList {"*.ts"}, false}}) {
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
                    faults << QStringLiteral("%1: \"%2\" and \"%3\" take different values").arg(context, source, translation);
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(messages > 0);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    void pickFollowsSystem()
    {
        QCOMPARE(Lang::pick("가", "a"), Lang::system() ? QString("가") : QString("a"));
        QCOMPARE(localizedSiteMessage(QStringLiteral("삭제를 취소했습니다.")),
                 localizedSiteMessage(QStringLiteral("삭제를 취소했습니다."), Lang::system()));
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
