#pragma once
// One tab of the browser: the page of one site and what the browser remembers about it.

#include "Browser/BrowserPage.h"

#include <QObject>
#include <QString>
#include <QUrl>

#include <optional>

class BrowserTab : public QObject {
    Q_OBJECT
public:
    explicit BrowserTab(BrowserPage *page, QObject *parent = nullptr);

    BrowserPage *page() const { return m_page; }

    // Something was asked of this tab (an address opened or a sign-in started in it).
    bool requested = false;
    // The tab's last load or web-process error; empty means none.
    QString error;
    // The address whose load failed with that error: the address field shows it, not the page
    // that stayed from before.
    QUrl errorURL;
    // An address asked for whose load has reported neither its start nor its end yet.
    std::optional<QUrl> asked;
    void clearError()
    {
        error.clear();
        errorURL.clear();
    }
    // A restorable address whose load failed, loaded again by Browser::retry().
    std::optional<QUrl> failedURL;

private:
    BrowserPage *m_page;
};
