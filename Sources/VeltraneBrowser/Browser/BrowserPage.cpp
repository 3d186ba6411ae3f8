#include "Browser/BrowserPage.h"

#include <QWebEngineLoadingInfo>

BrowserPage::BrowserPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
    // Ahead of every other receiver, so that they read the new flag.
    connect(this, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        m_loading = info.status() == QWebEngineLoadingInfo::LoadStartedStatus;
    });
}

bool BrowserPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (navigationPolicy && !navigationPolicy(url, type, isMainFrame))
        return false;
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
