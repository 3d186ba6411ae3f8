#include "Shell/WebViewHost.h"

#include "Theme/Design.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineHistory>

std::optional<double> WebViewHost::zoom(double containerWidth, double desktopWidth, double currentZoom)
{
    if (containerWidth <= 0)
        return std::nullopt;
    double z = 1;
    if (desktopWidth > 0)
        z = qMin(containerWidth / desktopWidth, 1.0);
    if (qAbs(currentZoom - z) <= 0.005)
        return std::nullopt;
    return z;
}

QList<WebViewHost::MenuItem> WebViewHost::menuItems(const MenuContext &c)
{
    const MenuItem separator{QWebEnginePage::NoWebAction, QString(), true};
    QList<MenuItem> items;
    if (c.editable) {
        items << MenuItem{QWebEnginePage::Undo, tr("Undo"), c.canUndo}
              << MenuItem{QWebEnginePage::Redo, tr("Redo"), c.canRedo} << separator
              << MenuItem{QWebEnginePage::Cut, tr("Cut"), c.canCut}
              << MenuItem{QWebEnginePage::Copy, tr("Copy"), c.canCopy}
              << MenuItem{QWebEnginePage::Paste, tr("Paste"), c.canPaste}
              << MenuItem{QWebEnginePage::SelectAll, tr("Select All"), true};
        return items;
    }
    if (c.hasSelection)
        items << MenuItem{QWebEnginePage::Copy, tr("Copy"), true};
    if (c.hasLink)
        items << MenuItem{QWebEnginePage::CopyLinkToClipboard, tr("Copy Link Address"), true};
    if (!items.isEmpty())
        return items;
    items << MenuItem{QWebEnginePage::Back, tr("Back"), c.canGoBack}
          << MenuItem{QWebEnginePage::Forward, tr("Forward"), c.canGoForward}
          << MenuItem{QWebEnginePage::Reload, tr("Reload"), true};
    return items;
}

QString WebViewHost::menuStyle()
{
    return QStringLiteral("QMenu { background: %1; color: %2; border: 1px solid %3; padding: 4px; }"
                          "QMenu::item { padding: 5px 18px; border-radius: 5px; }"
                          "QMenu::item:selected { background: %4; }"
                          "QMenu::item:disabled { color: %5; }"
                          "QMenu::separator { height: 1px; background: %3; margin: 4px 6px; }")
        .arg(Design::panel().name(), Design::text().name(), Design::strongBorder().name(QColor::HexArgb),
             Design::elevated().name(), Design::muted().name());
}

WebViewHost::WebViewHost(QWidget *parent)
    : QWebEngineView(parent)
{
}

void WebViewHost::showPage(QWebEnginePage *page)
{
    if (this->page() != page)
        setPage(page);
    fit();
}

void WebViewHost::setDesktopWidth(double width)
{
    m_desktopWidth = width;
    fit();
}

void WebViewHost::fit()
{
    QWebEnginePage *shown = page();
    if (!shown)
        return;
    if (const std::optional<double> z = zoom(width(), m_desktopWidth, shown->zoomFactor()))
        shown->setZoomFactor(*z);
}

void WebViewHost::resizeEvent(QResizeEvent *event)
{
    QWebEngineView::resizeEvent(event);
    fit();
}

QList<WebViewHost::MenuItem> WebViewHost::currentMenu() const
{
    const QWebEngineContextMenuRequest *request = lastContextMenuRequest();
    MenuContext c;
    if (request) {
        const auto flags = request->editFlags();
        c.editable = request->isContentEditable();
        c.hasSelection = !request->selectedText().isEmpty();
        c.hasLink = request->linkUrl().isValid() && !request->linkUrl().isEmpty();
        c.canUndo = flags.testFlag(QWebEngineContextMenuRequest::CanUndo);
        c.canRedo = flags.testFlag(QWebEngineContextMenuRequest::CanRedo);
        c.canCut = flags.testFlag(QWebEngineContextMenuRequest::CanCut);
        c.canCopy = flags.testFlag(QWebEngineContextMenuRequest::CanCopy);
        c.canPaste = flags.testFlag(QWebEngineContextMenuRequest::CanPaste);
    }
    if (page()) {
        c.canGoBack = page()->history()->canGoBack();
        c.canGoForward = page()->history()->canGoForward();
    }
    return menuItems(c);
}

void WebViewHost::contextMenuEvent(QContextMenuEvent *event)
{
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setStyleSheet(menuStyle());
    for (const MenuItem &item : currentMenu()) {
        if (item.action == QWebEnginePage::NoWebAction) {
            menu->addSeparator();
            continue;
        }
        QAction *a = menu->addAction(item.title);
        a->setEnabled(item.enabled);
        const QWebEnginePage::WebAction action = item.action;
        connect(a, &QAction::triggered, this, [this, action] {
            if (page())
                page()->triggerAction(action);
        });
    }
    menu->popup(event->globalPos());
}
