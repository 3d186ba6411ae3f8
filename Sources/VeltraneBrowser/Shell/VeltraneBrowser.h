#pragma once
// The main window: for now the browser's current tab, under the product name.

#include <QMainWindow>

class Browser;
class BrowserPage;
class QWebEngineView;

class VeltraneBrowser : public QMainWindow {
    Q_OBJECT
public:
    explicit VeltraneBrowser(Browser *browser, QWidget *parent = nullptr);

    QWebEngineView *view() const { return m_view; }

    // The first page: VT_START_URL when set (even empty), else a restorable "vt.lastPage", else
    // the YouTube home page.
    static QString startPage();

private:
    void showPage(BrowserPage *page);

    Browser *m_browser;
    QWebEngineView *m_view;
};
