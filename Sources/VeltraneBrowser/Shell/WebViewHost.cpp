#include "Shell/WebViewHost.h"

#include "Base/Lang.h"
#include "Shell/Design.h"

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

QList<WebViewHost::MenuItem> WebViewHost::menuItems(const MenuContext &c, bool korean)
{
    auto t = [korean](const char16_t *ko, const char *en) { return korean ? QString::fromUtf16(ko) : QString::fromLatin1(en); };
    const MenuItem separator {QWebEnginePage::NoWebAction, QString(), true};
    QList<MenuItem> items;
    if (c.editable) {
        items << MenuItem {QWebEnginePage::Undo, t(u"실행 취소", "Undo"), c.canUndo}
              << MenuItem {QWebEnginePage::Redo, t(u"다시 실행", "Redo"), c.canRedo} << separator
              << MenuItem {QWebEnginePage::Cut, t(u"잘라내기", "Cut"), c.canCut}
              << MenuItem {QWebEnginePage::Copy, t(u"복사", "Copy"), c.canCopy}
              << MenuItem {QWebEnginePage::Paste, t(u"붙여넣기", "Paste"), c.canPaste}
              << MenuItem {QWebEnginePage::SelectAll, t(u"모두 선택", "Select All"), true};
        return items;
    }
    if (c.hasSelection)
        items << MenuItem {QWebEnginePage::Copy, t(u"복사", "Copy"), true};
    if (c.hasLink)
        items << MenuItem {QWebEnginePage::CopyLinkToClipboard, t(u"링크 주소 복사", "Copy Link Address"), true};
    if (!items.isEmpty())
        return items;
    items << MenuItem {QWebEnginePage::Back, t(u"뒤로", "Back"), c.canGoBack}
          << MenuItem {QWebEnginePage::Forward, t(u"앞으로", "Forward"), c.canGoForward}
          << MenuItem {QWebEnginePage::Reload, t(u"새로고침", "Reload"), true};
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
    return menuItems(c, Lang::system());
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
