#pragma once
// The sidebar's list of sites: one row per site with its glyph, its name and, while the owner is
// not signed in there, a short sign-in state. A click on a row shows that site; the person symbol
// at its end opens the site accounts menu. The highlight of the shown site slides between rows
// (it fades in place when motion is reduced).
//
// Everything the rows show is decided by the static functions below from the site's status.

#include "Sites/LoginProvider.h"
#include "Sites/LoginStatus.h"

#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>
#include <optional>

#include "Shell/AccountMenu.h"
class AccountSession;
class Browser;
class QAbstractButton;

class SidebarSites : public QWidget {
    Q_OBJECT
public:
    // The one rule of the site list, the accounts menu and the post list.
    static bool isSignedIn(LoginStatus status);
    // The row's state text: the status label cut before its first " · "; empty when signed in.
    static QString stateText(LoginStatus status);
    // The row button's accessible name: the site name, ", " and the full status label.
    static QString accessibleLabel(LoginProvider site, LoginStatus status);
    static QString accountSymbol(LoginStatus status);
    static QColor accountColor(LoginStatus status, bool selected);
    static QString accountTooltip(LoginProvider site);
    static QString accountAccessible(LoginProvider site);

    SidebarSites(Browser *browser, AccountSession *session, QWidget *parent = nullptr);
    ~SidebarSites() override;

    // The spam model's working flag, passed on to the accounts menu.
    std::function<bool()> working;

    // What the row of a site shows right now (tests, the gallery).
    QString rowState(LoginProvider site) const;
    QAbstractButton *siteButton(LoginProvider site) const;
    QAbstractButton *accountButton(LoginProvider site) const;
    AccountMenu *menu() const { return m_menu; }
    // Opens the accounts menu beside the list.
    void showMenu();

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;

private:
    class Row;
    void sync();
    void placeHighlight(bool animate);
    QRectF rowRect(LoginProvider site) const;

    Browser *m_browser;
    AccountSession *m_session;
    QList<Row *> m_rows;
    std::optional<LoginProvider> m_hovered;
    QVariantAnimation m_slide;
    double m_highlightY = 0;
    double m_highlightOpacity = 1;
    QPointer<AccountMenu> m_menu;
};
