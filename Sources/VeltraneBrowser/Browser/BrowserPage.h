#pragma once
// The web page of one browser tab. Adds what the browser needs and Qt leaves out: a loading flag,
// the navigation policy hook, and page dialogs (alert, confirm, prompt) that answer at once so
// that a page can never block the application with a modal dialog.

#include <QPointer>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>

#include <functional>

class BrowserPage : public QWebEnginePage {
    Q_OBJECT
public:
    enum class DialogKind { alert, confirm, prompt };

    explicit BrowserPage(QWebEngineProfile *profile, QObject *parent = nullptr);

    // True from the start of a main-frame load until it succeeds, fails or stops.
    bool isLoading() const { return m_loading; }
    // Stops a load still running, before another is asked for: while one runs, the engine reports
    // neither the next load's start nor its failure, only the old page's end.
    void endLoad();

    // Asked for every navigation; false cancels it. Unset allows everything.
    std::function<bool(const QUrl &url, NavigationType type, bool isMainFrame)> navigationPolicy;

signals:
    // loadingChanged without the loads that the navigation policy refused (the engine reports
    // their start and their stop although nothing was loaded).
    void loadStateChanged(const QWebEngineLoadingInfo &info);
    // The navigation policy refused a main-frame navigation to url (a redirect included).
    void navigationRefused(const QUrl &url);
    // A page dialog that was answered without showing it: alert returns, confirm answers
    // "Cancel" (false) and prompt gives no text. The window may show the message without blocking.
    void dialogRequested(BrowserPage::DialogKind kind, const QString &message);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                          QString *result) override;

private:
    bool m_loading = false;
    QUrl m_refused;
};
