// The language choice and the translation of page-script messages.
#include "Base/Lang.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QProcess>
#include <QTest>

#include <cstring>

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
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    LangTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_lang.moc"
