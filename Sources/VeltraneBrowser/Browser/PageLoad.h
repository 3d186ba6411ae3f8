#pragma once
// What became of the main-frame loads of one page from a moment on: whether one began, whether the
// last one has ended and how, and whether any went to a sign-in page (or was refused on its way
// there). Made before a load is asked for, it tells that load's own outcome; the address a page
// shows while a new load runs is still the old page's, and says nothing about the new one.
//
//   std::unique_ptr<PageLoad> load = browser->openWatched(url);
//   ... later: if (load->ended() && !load->failed() && !load->toSignIn()) the page shows url's page

#include <QObject>
#include <QPointer>
#include <QUrl>

class BrowserPage;

class PageLoad : public QObject {
    Q_OBJECT
public:
    // asked: the address about to be loaded; the old page's end, reported in place of that load's
    // own outcome, then counts as its failure.
    explicit PageLoad(BrowserPage *page, const QUrl &asked = QUrl(), QObject *parent = nullptr);

    BrowserPage *page() const { return m_page; }
    // A main-frame load began after the watch did.
    bool started() const { return m_started; }
    // A load began and the last one to begin has ended; the page is not loading.
    bool ended() const;
    // The last load that ended showed no page (an engine error, not an HTTP status), or the page went.
    bool failed() const { return m_failed || !m_page; }
    // A load went to, ended on, or was refused on its way to a sign-in or verification page.
    bool toSignIn() const { return m_signIn; }

private:
    void end(bool failed);

    QPointer<BrowserPage> m_page;
    bool m_started = false;
    bool m_running = false;
    bool m_ended = false;
    bool m_failed = false;
    bool m_signIn = false;
};
