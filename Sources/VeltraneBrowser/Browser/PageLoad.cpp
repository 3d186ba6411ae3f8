#include "Browser/PageLoad.h"

#include "Browser/BrowserPage.h"
#include "Sites/AuthPolicy.h"

#include <QWebEngineLoadingInfo>

namespace {

// Chromium's "aborted": the load was replaced by another one or stopped.
constexpr int abortedCode = -3;

}   // namespace

PageLoad::PageLoad(BrowserPage *page, const QUrl &asked, QObject *parent)
    : QObject(parent)
    , m_page(page)
{
    if (!page)
        return;
    connect(page, &BrowserPage::loadStateChanged, this, [this, asked](const QWebEngineLoadingInfo &info) {
        switch (info.status()) {
        case QWebEngineLoadingInfo::LoadStartedStatus:
            m_started = true;
            m_running = true;
            if (AuthPolicy::isAuthentication(info.url()))
                m_signIn = true;
            break;
        case QWebEngineLoadingInfo::LoadSucceededStatus:
            end(!m_started && !asked.isEmpty() && info.url() != asked);
            break;
        case QWebEngineLoadingInfo::LoadFailedStatus:
            if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain)
                end(false);   // the server's own page shows
            else if (info.errorCode() == abortedCode)
                m_running = false;   // replaced: the load that replaced it tells
            else
                end(true);
            break;
        case QWebEngineLoadingInfo::LoadStoppedStatus:
            // Before a start, it is the load before this one, stopped to make way for it.
            if (m_started)
                end(true);
            break;
        }
    });
    connect(page, &BrowserPage::navigationRefused, this, [this](const QUrl &url) {
        if (AuthPolicy::isAuthentication(url))
            m_signIn = true;
    });
}

bool PageLoad::ended() const
{
    return m_page && m_ended && !m_running && !m_page->isLoading();
}

void PageLoad::end(bool failed)
{
    m_running = false;
    m_ended = true;
    m_failed = failed;
    // Where the load ended, after its redirects.
    if (m_page && AuthPolicy::isAuthentication(m_page->url()))
        m_signIn = true;
}
