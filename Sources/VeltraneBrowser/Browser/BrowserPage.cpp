#include "Browser/BrowserPage.h"


BrowserPage::BrowserPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
    connect(this, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (!m_refused.isEmpty() && info.url() == m_refused) {
            if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
                m_refused.clear();
            return;
        }
        m_loading = info.status() == QWebEngineLoadingInfo::LoadStartedStatus;
        emit loadStateChanged(info);
    });
}

bool BrowserPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (navigationPolicy && !navigationPolicy(url, type, isMainFrame)) {
        if (isMainFrame) {
            m_refused = url;
            emit navigationRefused(url);
        }
        return false;
    }
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

void BrowserPage::javaScriptAlert(const QUrl &, const QString &msg)
{
    emit dialogRequested(DialogKind::alert, msg);
}

bool BrowserPage::javaScriptConfirm(const QUrl &, const QString &msg)
{
    emit dialogRequested(DialogKind::confirm, msg);
    return false;
}

bool BrowserPage::javaScriptPrompt(const QUrl &, const QString &msg, const QString &, QString *)
{
    emit dialogRequested(DialogKind::prompt, msg);
    return false;
}

void BrowserPage::endLoad()
{
    if (m_loading)
        triggerAction(QWebEnginePage::Stop);
}
