#pragma once
// The web view of the browser pane. It shows the page of the browser's current tab (the tabs own
// their pages; the view only switches between them), lays Instagram out as a 960-point desktop
// page when the pane is narrower, and offers a context menu of its own: only what makes sense
// here, in the run's language.

#include <QWebEnginePage>
#include <QWebEngineView>

#include <optional>

class WebViewHost : public QWebEngineView {
    Q_OBJECT
public:
    // The zoom to set for a container width, or none when the page's zoom is close enough
    // (within 0.005) or the container has no width yet.
    static std::optional<double> zoom(double containerWidth, double desktopWidth, double currentZoom);

    struct MenuContext {
        bool editable = false;
        bool hasSelection = false;
        bool hasLink = false;
        bool canUndo = false;
        bool canRedo = false;
        bool canCut = false;
        bool canCopy = false;
        bool canPaste = false;
        bool canGoBack = false;
        bool canGoForward = false;
    };
    struct MenuItem {
        QWebEnginePage::WebAction action;   // NoWebAction: a separator
        QString title;
        bool enabled = true;
    };
    static QList<MenuItem> menuItems(const MenuContext &context);
    // The dark look of the menu.
    static QString menuStyle();

    explicit WebViewHost(QWidget *parent = nullptr);

    // Shows a tab's page; the page that was shown stays alive in its tab.
    void showPage(QWebEnginePage *page);
    // 960 for Instagram, 0 (no zoom) for YouTube.
    void setDesktopWidth(double width);
    double desktopWidth() const { return m_desktopWidth; }
    void fit();

    // The menu for the last context menu request (tests).
    QList<MenuItem> currentMenu() const;

protected:
    void resizeEvent(QResizeEvent *) override;
    void contextMenuEvent(QContextMenuEvent *) override;

private:
    double m_desktopWidth = 0;
};
