#pragma once
// The upper part of the centre column: a toolbar (back, forward, reload or stop, the address
// field, sound and autoplay toggles), a one-line error banner with "Try again" when a page failed,
// and the web view of the selected site. While `working` the navigation controls are disabled;
// while a sign-out removes a site's data the page takes no clicks.
//
// What the toolbar shows is toolbar() of the browser's state; the widgets only draw it.

#include "Sites/LoginProvider.h"

#include <QWidget>

class Spinner;
class Browser;
class IconButton;
class QLabel;
class QLineEdit;
class QPushButton;
class WebViewHost;

class BrowserPane : public QWidget {
    Q_OBJECT
public:
    struct State {
        bool canGoBack = false;
        bool canGoForward = false;
        bool isLoading = false;
        bool isMuted = true;
        bool blocksAutoplay = true;
    };
    struct Item {
        QString icon;
        QString label;   // tooltip and accessible name
        QString value;   // accessible value (the toggles)
        bool active = false;
        bool enabled = true;
    };
    // back, forward, reload/stop, sound, autoplay.
    static QList<Item> toolbar(const State &state, bool working);
    static QString addressIcon(const QString &address);
    static double desktopWidth(LoginProvider site);
    static QString placeholder();
    static QString fieldLabel();
    static QString tryAgain();

    explicit BrowserPane(Browser *browser, QWidget *parent = nullptr);

    void setWorking(bool working);
    bool working() const { return m_working; }

    QLineEdit *addressField() const { return m_field; }
    WebViewHost *webView() const { return m_view; }
    QList<IconButton *> buttons() const { return m_buttons; }
    QWidget *banner() const { return m_banner; }
    QString bannerText() const;
    // False while a sign-out removes a site's data: the page takes no clicks then.
    bool takesPageClicks() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *) override;

private:
    void sync();
    void showAddress();
    void showTab();
    void act(int index);

    Browser *m_browser;
    bool m_working = false;
    QWidget *m_toolbar;
    QWidget *m_fieldFrame;
    QLineEdit *m_field;
    Spinner *m_spinner;
    QWidget *m_banner;
    QLabel *m_bannerText;
    QPushButton *m_retry;
    WebViewHost *m_view;
    QWidget *m_shield;
    QList<IconButton *> m_buttons;
    QAction *m_enterAddress;
};
