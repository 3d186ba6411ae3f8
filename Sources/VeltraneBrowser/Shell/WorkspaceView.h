#pragma once
// The window's content, left to right: the sidebar, a centre card with the browser pane above the
// post list, and the review panel; two invisible handles resize the sidebar and the panel, and the
// hairline between the browser pane and the post list moves the split. The widths and the post
// list's height live in the settings ("vt.menuWidth", "vt.panelWidth", "vt.dockHeight") and are
// clamped where they are shown. Every measure is one of the static functions below. The sidebar's statistics, settings
// and account requests open their sheets here; the settings also open on the account tab whenever
// the spam model asks for the account.

#include <QWidget>

#include <QPointer>

class AppSettings;
class AppState;
class BrowserPane;
class PanelActions;
class PostDock;
class PaneResizer;
class QSplitter;
class SettingsOpener;
class SpamPanel;
class StatisticsSheet;
class WorkspaceSidebar;

class WorkspaceView : public QWidget {
    Q_OBJECT
public:
    struct Geometry {
        QRectF sidebar;
        QRectF card;                // the centre card, inside its 12-point padding
        QRectF panel;               // the panel, inside its padding
        QRectF leadingResizer;      // the gutter between sidebar and card
        QRectF trailingResizer;     // the gutter between card and panel
        double browserHeight = 0;   // the browser pane above the split's hairline
        double dockHeight = 0;      // the post list below it
        double panelLimit = 0;
    };
    // The browser pane keeps room for the page, the post list for its header, a row of tiles and
    // its actions.
    static constexpr double browserMinimum = 360;
    static constexpr double dockMinimum =
        290;   // a whole row of tiles, with the status line, between the header and the buttons
    static constexpr double dockDefault = 300;
    static double sidebarWidth(double stored);
    static double panelLimit(double areaWidth);
    static double panelWidth(double stored, double areaWidth);
    // The post list's height in a card this tall: the stored one, kept within both minimums.
    static double dockHeight(double stored, double cardHeight);
    static Geometry layout(QSizeF size, double storedMenu, double storedPanel, double storedDock = dockDefault);
    // The sidebar and the browser pane lock while the model works or a sign-out clears a site.
    static bool locked(bool working, bool clearing);
    // The post list locks while a site sign-in or sign-out is in progress.
    static bool dockLocked(bool clearing, bool authenticating);

    WorkspaceView(AppState *state, AppSettings *settings, QWidget *parent = nullptr);

    WorkspaceSidebar *sidebar() const { return m_sidebar; }
    BrowserPane *browserPane() const { return m_pane; }
    PostDock *dock() const { return m_dock; }
    SpamPanel *panel() const { return m_panel; }
    SettingsOpener *settings() const { return m_settingsOpener; }
    // The open statistics sheet; none when closed.
    StatisticsSheet *statistics() const;
    // Opens the statistics sheet over the window (or raises the open one).
    void openStatistics();
    PaneResizer *sidebarResizer() const { return m_leading; }
    PaneResizer *panelResizer() const { return m_trailing; }
    QSplitter *cardSplitter() const { return m_split; }
    Geometry currentGeometry() const;

protected:
    void resizeEvent(QResizeEvent *) override;
    void paintEvent(QPaintEvent *) override;

private:
    void relayout();
    void syncLocks();

    AppState *m_state;
    AppSettings *m_settings;
    WorkspaceSidebar *m_sidebar;
    QWidget *m_card;
    QWidget *m_cardBorder;
    QSplitter *m_split;
    BrowserPane *m_pane;
    PostDock *m_dock;
    PanelActions *m_actions;
    SpamPanel *m_panel;
    SettingsOpener *m_settingsOpener;
    QPointer<StatisticsSheet> m_statistics;
    QWidget *m_panelBorder;
    PaneResizer *m_leading;
    PaneResizer *m_trailing;
};
