// The page-side rules on their own: spam verdicts for Korean and English comments (with the
// usual disguises and the innocent look-alikes), the likes rule, and the date reading of time.js.
#include "Await.h"
#include "TestHttpServer.h"
#include "TestMain.h"

#include "Page/PageCall.h"
#include "Base/Lang.h"
#include "LanguageScope.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimeZone>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>

using vt::test::await;

class PageRulesTest : public QObject {
    Q_OBJECT
    vt::test::TestHttpServer m_server;
    QWebEnginePage *m_page = nullptr;
    QString m_scripts;

    QJsonObject judge(const QJsonObject &item, const QJsonObject &opts, const QStringList &owners = {})
    {
        const auto a = await(
            PageCall::run(m_page, QStringLiteral("vtx"),
                          m_scripts
                              + QStringLiteral("\nreturn JSON.stringify(VtxSpam.judge(item, opts, new Set(owners)));"),
                          {{"item", item}, {"opts", opts}, {"owners", QJsonArray::fromStringList(owners)}}));
        return QJsonDocument::fromJson(a.text->toUtf8()).object();
    }

private slots:
    void initTestCase()
    {
        for (const char *name : {"spam", "time"}) {
            QFile f(QStringLiteral(":/Resources/ext/%1.js").arg(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::ReadOnly));
            m_scripts += QString::fromUtf8(f.readAll()) + QStringLiteral("\n;\n");
        }
        m_server.route("GET", QStringLiteral("/"), [](const vt::test::HttpRequest &, const vt::test::HttpResponder &r) {
            r.reply(vt::test::HttpReply::html("<html><body></body></html>"));
        });
        QVERIFY(m_server.listen());
        m_page = new QWebEnginePage(this);
        QSignalSpy loaded(m_page, &QWebEnginePage::loadFinished);
        m_page->load(m_server.url());
        QVERIFY(loaded.wait(20000));
    }

    void verdicts_data()
    {
        QTest::addColumn<QString>("author");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code");   // expected among the reasons; empty: not spam
        QTest::newRow("kakao id") << "@a"
                                  << "카톡 아이디 vip8282 추가하시면 무료 리딩방 초대"
                                  << "contact";
        QTest::newRow("telegram spaced out") << "@a"
                                             << "텔 레 그 램 @rich777 으로 연락 주세요"
                                             << "contact";
        QTest::newRow("zero-width inside") << "@a"
                                           << "카\u200B톡 아이디 abc123 추가"
                                           << "contact";
        QTest::newRow("full-width latin") << "@a"
                                          << "ＤＭ ｍｅ ｏｎ ＷｈａｔｓＡｐｐ"
                                          << "contact";
        QTest::newRow("phone number") << "@a"
                                      << "상담 010-1234-5678"
                                      << "contact";
        QTest::newRow("signals") << "@a"
                                 << "Crypto signals with 90% accuracy, join now"
                                 << "invest";
        QTest::newRow("leading room") << "@a"
                                      << "코인 선물 리딩방 수익 보장"
                                      << "invest";
        QTest::newRow("toto") << "@a"
                              << "안전 놀이터 추천 첫충 20%"
                              << "gambling";
        QTest::newRow("casino") << "@a"
                                << "Free spins at the best online casino"
                                << "gambling";
        QTest::newRow("loan") << "@a"
                              << "무직자 당일 대출 가능"
                              << "loan";
        QTest::newRow("payday") << "@a"
                                << "Instant payday loan, no credit check"
                                << "loan";
        QTest::newRow("side job") << "@a"
                                  << "재택 부업으로 월 300 벌어요"
                                  << "sidejob";
        QTest::newRow("work from home") << "@a"
                                        << "I earn $500 a day working from home"
                                        << "sidejob";
        QTest::newRow("adult") << "@a"
                               << "19금 영상 무료로 보세요"
                               << "adult";
        QTest::newRow("hot singles") << "@a"
                                     << "Hot singles near you 🔞"
                                     << "adult";
        QTest::newRow("prize") << "@a"
                               << "축하합니다 이벤트에 당첨되셨습니다"
                               << "impersonation";
        QTest::newRow("winner") << "@a"
                                << "Congratulations, you have been selected as a winner!"
                                << "impersonation";
        QTest::newRow("testimonial ko") << "@a"
                                        << "선생님 덕분에 원금 회복하고 수익 봤어요"
                                        << "testimonial";
        QTest::newRow("testimonial en") << "@a"
                                        << "Thanks to Mr. John Carter my portfolio doubled"
                                        << "testimonial";
        QTest::newRow("promo") << "@a"
                               << "구독자 구매 최저가"
                               << "promo";
        QTest::newRow("shortener") << "@a"
                                   << "여기 보세요 bit.ly/abc"
                                   << "link";
        QTest::newRow("spaced domain") << "@a"
                                       << "visit spinwin .club today"
                                       << "link";
        QTest::newRow("promotional author") << "@텔레그램_수익방"
                                            << "좋은 영상이네요"
                                            << "author";
        QTest::newRow("look-alike of the owner") << "@channe1owner"
                                                 << "안녕하세요"
                                                 << "impersonation";
        // Self-promotion: a request (subscribe, check out, give me a chance) with a target (my channel or
        // music, a link, the writer as an artist), in its many spellings.
        QTest::newRow("subscribe to my channel") << "@a"
                                                 << "Subscribe to my channel for daily covers!"
                                                 << "promo";
        QTest::newRow("sub to me") << "@a"
                                   << "sub to me guys"
                                   << "promo";
        QTest::newRow("misspelt subscribe") << "@a"
                                            << "pls suscribe to me"
                                            << "promo";
        QTest::newRow("accented letters") << "@a"
                                          << "Subscrïbe to mê for daily edits"
                                          << "promo";
        QTest::newRow("sub4sub") << "@a"
                                 << "sub 4 sub anyone?"
                                 << "promo";
        QTest::newRow("please subscribe") << "@a"
                                          << "SUBSCRIBE PLEASE!!!"
                                          << "promo";
        QTest::newRow("referral code") << "@a"
                                       << "join with my referral code ABC123"
                                       << "promo";
        QTest::newRow("subscribe back") << "@a"
                                        << "I'll subscribe back to everyone"
                                        << "promo";
        QTest::newRow("subscribe traded") << "@a"
                                          << "subscribe and i will watch your videos too"
                                          << "promo";
        QTest::newRow("check out my new song") << "@a"
                                               << "Check out my new song, it's up now"
                                               << "promo";
        QTest::newRow("our covers") << "@a"
                                    << "check out our acoustic covers!!"
                                    << "promo";
        QTest::newRow("words between my and the work") << "@a"
                                                       << "go check out my late night piano cover"
                                                       << "promo";
        QTest::newRow("something I made") << "@a"
                                          << "please watch this new video I made"
                                          << "promo";
        QTest::newRow("text with entities") << "@a"
                                            << "I&#39;m a young rapper, check it out&lt;3"
                                            << "promo";
        QTest::newRow("share card") << "@a"
                                    << "Check out this playlist on YouTube: "
                                    << "promo";
        QTest::newRow("artist asking for a chance") << "@a"
                                                    << "I'm a 17 year old rapper, give me a chance and check it out"
                                                    << "promo";
        QTest::newRow("sorry for the spam") << "@a"
                                            << "sorry for the spam but check out my channel"
                                            << "promo";
        QTest::newRow("bare watch address") << "@a"
                                            << "Like and subscribe! /watch?v=Qx7rT2mZpLk"
                                            << "promo";
        QTest::newRow("cut-down short address") << "@a"
                                                << "guys go and share youtu be/AbCdEf12 with your friends"
                                                << "promo";
        QTest::newRow("like this comment so others see") << "@a"
                                                         << "Please like this comment so more people can see my music"
                                                         << "promo";
        QTest::newRow("help my channel grow") << "@a"
                                              << "help me grow my channel, every sub counts"
                                              << "promo";
        QTest::newRow("calls to action in a row") << "@a"
                                                  << "daily edits here, WATCH, LIKE, SUBSCRIBE"
                                                  << "promo";
        QTest::newRow("if you like it subscribe") << "@a"
                                                  << "If you like it, subscribe"
                                                  << "promo";
        QTest::newRow("new channel asking for support") << "@a"
                                                        << "I just started my channel, would love some support!"
                                                        << "promo";
        QTest::newRow("watch it on my channel") << "@a"
                                                << "My new music video is out!! watch it on my channel"
                                                << "promo";
        QTest::newRow("link on my page") << "@a"
                                         << "I just uploaded my first song, link on my page!"
                                         << "promo";
        QTest::newRow("search my name") << "@a"
                                        << "I'm an upcoming artist, search \"Lil Dreams\" on spotify"
                                        << "promo";
        QTest::newRow("check my stuff") << "@a"
                                        << "real hip hop here, check my newest stuff"
                                        << "promo";
        QTest::newRow("follow for follow") << "@a"
                                           << "f4f? follow me back 🙏"
                                           << "promo";
        QTest::newRow("link in my bio") << "@a"
                                        << "Nice pic! check my bio"
                                        << "promo";
        QTest::newRow("promote it on a handle") << "@a"
                                                << "Promote it on @growpage_official"
                                                << "promo";
        QTest::newRow("views sold with a contact") << "@a"
                                                   << "Need real subscribers? message me on telegram"
                                                   << "promo";
        QTest::newRow("views sold at a link") << "@a"
                                              << "buy real youtube views cheap at viewsnow.net"
                                              << "promo";
        QTest::newRow("korean my channel") << "@a"
                                           << "제 채널 구독 부탁드려요!"
                                           << "promo";
        QTest::newRow("korean mutual subscribing") << "@a"
                                                   << "구독하면 맞구독 갑니다"
                                                   << "promo";
        QTest::newRow("korean request") << "@a"
                                        << "구독 좀 해주세요 ㅠㅠ"
                                        << "promo";
        QTest::newRow("korean visit the channel") << "@a"
                                                  << "채널 놀러 오세요~"
                                                  << "promo";
        QTest::newRow("korean my video") << "@a"
                                         << "제 영상도 한번 봐주세요 ㅎㅎ"
                                         << "promo";
        QTest::newRow("korean love my channel") << "@a"
                                                << "저희 채널도 많이 사랑해주세요"
                                                << "promo";
        QTest::newRow("korean sorry for the promotion") << "@a"
                                                        << "홍보 죄송합니다 저희 채널도 놀러와 주세요"
                                                        << "promo";
        QTest::newRow("korean new creator") << "@a"
                                            << "초보 유튜버입니다 응원 부탁드려요"
                                            << "promo";
        QTest::newRow("korean follow back") << "@a"
                                            << "선팔하고 갑니다 맞팔해요"
                                            << "promo";
        // Disguised addresses and other sites.
        QTest::newRow("star for the dot") << "@a"
                                          << "grow fast with starviews*com"
                                          << "link";
        QTest::newRow("dot spelt out") << "@a"
                                       << "go to freegems dot com"
                                       << "link";
        QTest::newRow("space after the dot") << "@a"
                                             << "she used getmoreviews. com"
                                             << "link";
        QTest::newRow("spaced www") << "@a"
                                    << "more at w w w. hiddennews. net"
                                    << "link";
        QTest::newRow("store") << "@a"
                               << "Dress like her at fashiondeals.store"
                               << "link";
        QTest::newRow("game referral") << "@a"
                                       << "Play free at marketwar.com/ref?id=123"
                                       << "link";
        QTest::newRow("follow me on twitter") << "@a"
                                              << "follow me on twitter for more beats"
                                              << "contact";
        QTest::newRow("add me on facebook") << "@a"
                                            << "add me on facebook: Jenny Smith"
                                            << "contact";
        QTest::newRow("handle of another site") << "@a"
                                                << "IG: jenny.beats_"
                                                << "contact";
        QTest::newRow("my snap") << "@a"
                                 << "my snap is @jenny_b"
                                 << "contact";
        QTest::newRow("international number") << "@a"
                                              << "+447700900123 call me baby"
                                              << "contact";
        QTest::newRow("dm for a shoutout") << "@a"
                                           << "DM us for a shoutout"
                                           << "contact";
        // Prize lures and adult offers.
        QTest::newRow("gift card survey") << "@a"
                                          << "Free $50 Amazon gift card, just complete a quick survey here"
                                          << "impersonation";
        QTest::newRow("free robux") << "@a"
                                    << "free robux generator: robuxnow.xyz"
                                    << "impersonation";
        QTest::newRow("like and share to win") << "@a"
                                               << "Like and share this post to win a free phone"
                                               << "impersonation";
        QTest::newRow("paid surveys") << "@a"
                                      << "get paid to take surveys from home"
                                      << "sidejob";
        QTest::newRow("sexy with an offer") << "@a"
                                            << "sexy girls waiting for you, click my profile"
                                            << "adult";
        QTest::newRow("private photos") << "@a"
                                        << "see my private photos on my profile"
                                        << "adult";
        QTest::newRow("korean sexy with an offer") << "@a"
                                                   << "섹시한 영상 보러 오세요 프로필 클릭"
                                                   << "adult";
        // Someone else's name or channel sent to, likes begged for the comment itself.
        QTest::newRow("check out a name") << "@a"
                                          << "everyone check out Lil Zed, he raps better than anyone"
                                          << "promo";
        QTest::newRow("check out a name after a condition") << "@a"
                                                            << "if you like this then check out moonbeatz"
                                                            << "promo";
        QTest::newRow("search a name elsewhere") << "@a"
                                                 << "Search for DJ Moonlight on youtube"
                                                 << "promo";
        QTest::newRow("title in quotes") << "@a"
                                         << "guys watch youtube video \"Kid Rhymes - Lost\" plz"
                                         << "promo";
        QTest::newRow("like this comment if") << "@a"
                                              << "Like this comment if you love Eminem"
                                              << "promo";
        QTest::newRow("who is watching, with a request") << "@a"
                                                         << "Who is watching in 2025? Like this so I know I'm not alone"
                                                         << "promo";
        QTest::newRow("two calls to action") << "@a"
                                             << "NEW REMIX OUT!! check it out and subscribe"
                                             << "promo";
        // The writer's channel with no direct request.
        QTest::newRow("my channel to everyone") << "@a"
                                                << "Hey guys, my channel has new videos every friday"
                                                << "promo";
        QTest::newRow("a cover on my channel") << "@a"
                                               << "I uploaded a cover of this on my channel"
                                               << "promo";
        QTest::newRow("please consider subscribing") << "@a"
                                                     << "we are two friends making skits, please consider subscribing"
                                                     << "promo";
        QTest::newRow("would love a sub") << "@a"
                                          << "cool video, i'd love it if you subbed to me"
                                          << "promo";
        QTest::newRow("help with a goal") << "@a"
                                          << "help me please, I want 1000 subscribers by june"
                                          << "promo";
        // Bare, stretched, misspelt and spaced-out requests.
        QTest::newRow("bare subscribe") << "@a"
                                        << "SUBSCRIBE guys!!"
                                        << "promo";
        QTest::newRow("arrow and a misspelling") << "@a"
                                                 << "<--- subscibe"
                                                 << "promo";
        QTest::newRow("stretched sub") << "@a"
                                       << "subbbbb to me"
                                       << "promo";
        QTest::newRow("letters typed apart") << "@a"
                                             << "S u b s c r i b e t o m e"
                                             << "promo";
        QTest::newRow("misspelt check out") << "@a"
                                            << "chek out my vids"
                                            << "promo";
        // Money, hacks, chain posts and sermons.
        QTest::newRow("money while sleeping") << "@a"
                                              << "I make money while sleeping, ask me how"
                                              << "sidejob";
        QTest::newRow("dollars a day") << "@a"
                                       << "earn 300 dollars a day from home, just ask"
                                       << "sidejob";
        QTest::newRow("hack with steps") << "@a"
                                         << "Free iTunes codes, step 1: visit my profile"
                                         << "impersonation";
        QTest::newRow("game hack") << "@a"
                                   << "new fortnite hack, get unlimited vbucks free"
                                   << "impersonation";
        QTest::newRow("selling a channel") << "@a"
                                           << "selling this channel, offers via skype"
                                           << "promo";
        QTest::newRow("chain post") << "@a"
                                    << "Copy and paste this on 5 videos or you will have bad luck for 10 years"
                                    << "promo";
        QTest::newRow("sermon")
            << "@a"
            << "Jesus died on the cross for your sins. Repent and be born again, for the Lord is coming and "
               "hell awaits those who reject the gospel of Christ. Pray today and you will have eternal life."
            << "promo";
        // Addresses under endings outside the common list.
        QTest::newRow("country ending") << "@a"
                                        << "free movies at qwzx.tk"
                                        << "link";
        QTest::newRow("two-level country ending") << "@a"
                                                  << "watch it free on moviesnow.us.mn"
                                                  << "link";
        QTest::newRow("address with a path") << "@a"
                                             << "get it at shortlink.it/abc"
                                             << "link";
        QTest::newRow("http typed apart") << "@a"
                                          << "h t t p :// ptab. it/x1y2z"
                                          << "link";
        QTest::newRow("stray letter after com") << "@a"
                                                << "♥♥♥StreamHere.comI♥♥♥"
                                                << "link";
        QTest::newRow("dot glued in") << "@a"
                                      << "free tools at HackTools24DOTcom"
                                      << "link";
        // Ordinary comments that share words with spam.
        QTest::newRow("online class") << "@a"
                                      << "온라인 강의 문의는 어디로 하나요?"
                                      << "";
        QTest::newRow("television") << "@a"
                                    << "텔레비전에서 보고 왔어요"
                                    << "";
        QTest::newRow("recipe thanks") << "@a"
                                       << "Thanks to your recipe I made three batches"
                                       << "";
        QTest::newRow("diet") << "@a"
                              << "덕분에 3kg 뺐어요"
                              << "";
        QTest::newRow("youtube link") << "@a"
                                      << "See also https://www.youtube.com/watch?v=abc"
                                      << "";
        QTest::newRow("abuse is for the AI") << "@a"
                                             << "이런 쓰레기 영상 왜 올림"
                                             << "";
        // A fan's words that share a word with the offers above.
        QTest::newRow("sexy as praise") << "@a"
                                        << "sexy shakira"
                                        << "";
        QTest::newRow("so sexy") << "@a"
                                 << "god she is so sexy"
                                 << "";
        QTest::newRow("korean sexy as praise") << "@a"
                                               << "언니 너무 섹시해요 💋"
                                               << "";
        QTest::newRow("korean sexy as praise, adjective") << "@a"
                                                          << "섹시한 언니 최고"
                                                          << "";
        QTest::newRow("free money, a saying") << "@a"
                                              << "that's free money right here"
                                              << "";
        QTest::newRow("kisses") << "@a"
                                << "Love you Katy xxx"
                                << "";
        QTest::newRow("bought views, an accusation") << "@a"
                                                     << "She obviously buys views, nobody watches this"
                                                     << "";
        QTest::newRow("buy views, a question") << "@a"
                                               << "did he buy views? the likes don't add up"
                                               << "";
        QTest::newRow("more views, a question") << "@a"
                                                << "How does this have more views?"
                                                << "";
        QTest::newRow("subscribed") << "@a"
                                    << "I just subscribed to your channel!"
                                    << "";
        QTest::newRow("will subscribe to yours") << "@a"
                                                 << "I'll subscribe to your channel, love it"
                                                 << "";
        QTest::newRow("subtitles") << "@a"
                                   << "English sub please, love this channel"
                                   << "";
        QTest::newRow("listening on my playlist") << "@a"
                                                  << "I listen to it on my playlist every day"
                                                  << "";
        QTest::newRow("you won't believe") << "@a"
                                           << "You won't believe how good this is"
                                           << "";
        QTest::newRow("going to work") << "@a"
                                       << "I go to my work every day listening to this"
                                       << "";
        QTest::newRow("my playlist") << "@a"
                                     << "This song is on my playlist, I listen to it every day"
                                     << "";
        QTest::newRow("my kids and your music") << "@a"
                                                << "My kids love your music, please make more"
                                                << "";
        QTest::newRow("moment of the video") << "@a"
                                             << "I'm a drummer, check out the fill at 2:10"
                                             << "";
        QTest::newRow("reply to a friend") << "@a"
                                           << "@maria check this out, it's our song"
                                           << "";
        QTest::newRow("someone else's channel asked for") << "@a"
                                                          << "Please subscribe to PewDiePie"
                                                          << "";
        QTest::newRow("fan of the channel") << "@a"
                                            << "Everyone subscribe to this channel, it deserves more"
                                            << "";
        QTest::newRow("the owner's other channel") << "@a"
                                                   << "Check out his other channel, the cooking one is great"
                                                   << "";
        QTest::newRow("sharing, not asking") << "@a"
                                             << "I'm going to share this on facebook"
                                             << "";
        QTest::newRow("lyrics") << "@a"
                                << "Follow me, follow me, I love this lyric"
                                << "";
        QTest::newRow("thumbs up if") << "@a"
                                      << "Thumbs up if you're watching in 2015"
                                      << "";
        QTest::newRow("like if, not this comment") << "@a"
                                                   << "Like if you think she is the best singer ever"
                                                   << "";
        QTest::newRow("subscribe button") << "@a"
                                          << "Subscribe button is broken lol"
                                          << "";
        QTest::newRow("counting subscribers") << "@a"
                                              << "He has more subscribers than views"
                                              << "";
        QTest::newRow("finally subscribed") << "@a"
                                            << "got my account back so I can finally subscribe :)"
                                            << "";
        QTest::newRow("the artist's own albums") << "@a"
                                                 << "I need to check out his other albums"
                                                 << "";
        QTest::newRow("a prayer in a lyric") << "@a"
                                             << "this song makes me pray to god for better days"
                                             << "";
        QTest::newRow("money in a story") << "@a"
                                          << "she is getting $200 dinners a day"
                                          << "";
        QTest::newRow("slash between words") << "@a"
                                             << "Nice logic. Some/many people agree"
                                             << "";
        QTest::newRow("no space after a full stop") << "@a"
                                                    << "love it.so good, do.it again"
                                                    << "";
        QTest::newRow("the site's own short link") << "@a"
                                                   << "who decides? http://youtu.be/AbCdEf12"
                                                   << "";
        QTest::newRow("end of a sentence") << "@a"
                                           << "Loved it so. Me and my sister sing it daily"
                                           << "";
        QTest::newRow("my instagram") << "@a"
                                      << "my instagram is private now lol"
                                      << "";
        QTest::newRow("korean subscribed") << "@a"
                                           << "구독 누르고 갑니다~"
                                           << "";
        QTest::newRow("korean favourite song") << "@a"
                                               << "제 최애 노래예요"
                                               << "";
        QTest::newRow("korean karaoke") << "@a"
                                        << "제 노래방 18번 곡이에요"
                                        << "";
        QTest::newRow("korean my video, no request") << "@a"
                                                     << "제 영상에도 이 노래 썼어요, 좋아요!"
                                                     << "";
        QTest::newRow("korean come to a city") << "@a"
                                               << "부산 놀러오세요!"
                                               << "";
        QTest::newRow("korean browsing the channel") << "@a"
                                                     << "이 채널 구경하다가 왔어요"
                                                     << "";
        QTest::newRow("korean subtitles") << "@a"
                                          << "영어 자막 부탁드려요"
                                          << "";
        QTest::newRow("empty") << "@a"
                               << ""
                               << "";
    }
    void verdicts()
    {
        QFETCH(QString, author);
        QFETCH(QString, text);
        QFETCH(QString, code);
        const QJsonObject v = judge({{"id", "x"}, {"text", text}, {"authorName", author}, {"likeCount", 0}}, {},
                                    {QStringLiteral("@channelowner")});
        const QStringList codes = v.value("reason").toString().split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (code.isEmpty()) {
            QCOMPARE(v.value("state").toString(), QStringLiteral("ok"));
            QCOMPARE(v.value("score").toDouble(), 0.0);
        } else {
            QCOMPARE(v.value("state").toString(), QStringLiteral("spam"));
            QVERIFY2(codes.contains(code), qPrintable(v.value("reason").toString()));
            QVERIFY(v.value("score").toDouble() >= 0.5 && v.value("score").toDouble() <= 1.0);
        }
    }

    void specialCases_data()
    {
        QTest::addColumn<QJsonObject>("item");
        QTest::addColumn<QJsonObject>("opts");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("reason");
        const QJsonObject spam{{"id", "x"},
                               {"text", "카톡 아이디 vip8282 추가"},
                               {"authorName", "@a"},
                               {"likeCount", 3}};
        QJsonObject owner = spam;
        owner["isOwner"] = true;
        QJsonObject flagged{{"id", "x"}, {"text", "nice video"}, {"authorName", "@a"}, {"siteSpam", true}};
        QJsonObject unknownLikes = spam;
        unknownLikes.remove("likeCount");
        QTest::newRow("owner is never spam") << owner << QJsonObject{} << "ok"
                                             << "";
        QTest::newRow("site's own marking") << flagged << QJsonObject{} << "spam"
                                            << "youtube";
        QTest::newRow("liked, likes rule on") << spam << QJsonObject{{"noLikesOnly", true}, {"minLikes", 1}} << "skip"
                                              << "좋아요가 있어 검사에서 제외";
        QTest::newRow("below the minimum") << spam << QJsonObject{{"noLikesOnly", true}, {"minLikes", 5}} << "spam"
                                           << "contact";
        QTest::newRow("likes unknown") << unknownLikes << QJsonObject{{"noLikesOnly", true}, {"minLikes", 1}} << "spam"
                                       << "contact";
    }
    void specialCases()
    {
        QFETCH(QJsonObject, item);
        QFETCH(QJsonObject, opts);
        QFETCH(QString, state);
        QFETCH(QString, reason);
        const QJsonObject v = judge(item, opts);
        QCOMPARE(v.value("state").toString(), state);
        if (state == QLatin1String("spam"))
            QVERIFY(v.value("reason").toString().split(',').contains(reason));
        else if (state == QLatin1String("skip"))   // a message code: what the owner reads
            QCOMPARE(inLanguage(true, [&] { return localizedSiteMessage(v.value("reason").toString()); }), reason);
        else
            QCOMPARE(v.value("reason").toString(), reason);
    }

    void times_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("agoMs");   // -1: absolute date below; -2: unreadable
        QTest::newRow("days") << "3 days ago" << 3 * 86400000.0;
        QTest::newRow("edited") << "2 weeks ago (edited)" << 14 * 86400000.0;
        QTest::newRow("korean hours") << "5시간 전" << 5 * 3600000.0;
        QTest::newRow("korean edited") << "1개월 전(수정됨)" << 30 * 86400000.0;
        QTest::newRow("just now") << "방금 전" << 0.0;
        QTest::newRow("one year") << "1 year ago" << 365 * 86400000.0;
        QTest::newRow("korean date") << "2026. 3. 1." << -1.0;
        QTest::newRow("garbage") << "soon" << -2.0;
    }
    void times()
    {
        QFETCH(QString, text);
        QFETCH(double, agoMs);
        const auto a = await(PageCall::run(
            m_page, QStringLiteral("vtx"),
            m_scripts
                + QStringLiteral(
                    "\nconst now = 1780000000000; const t = VtxTime.parse(text, now); return JSON.stringify(t === null ? null : now - t);"),
            {{"text", text}}));
        const QJsonValue v = QJsonDocument::fromJson("[" + a.text->toUtf8() + "]").array().at(0);
        if (agoMs == -2.0)
            QVERIFY(v.isNull());
        else if (agoMs == -1.0)
            QCOMPARE(1780000000000.0 - v.toDouble(),
                     double(QDateTime(QDate(2026, 3, 1), QTime(0, 0), QTimeZone::utc()).toMSecsSinceEpoch()));
        else
            QCOMPARE(v.toDouble(), agoMs);
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QApplication app(argc, argv);
    PageRulesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pagerules.moc"
