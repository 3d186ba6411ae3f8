#include "Panel/PanelTabs.h"

#include "Theme/Design.h"

#include <QMouseEvent>
#include <QPainter>

PanelTabs::CountLook PanelTabs::countLook(PanelTab tab, PanelTab selected, int count)
{
    if (tab == selected || (tab == PanelTab::spam && count > 0))
        return {true, Design::text()};
    return {false, count >= 1 ? Design::secondary() : Design::muted()};
}

QColor PanelTabs::titleColor(PanelTab tab, PanelTab selected)
{
    return tab == selected ? Design::text() : Design::muted();
}

QString PanelTabs::countText(int count, const QLocale &locale)
{
    return locale.toString(count);
}

PanelTabs::PanelTabs(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFixedHeight(70);
}

void PanelTabs::setTab(PanelTab tab)
{
    m_tab = tab;
    update();
}

void PanelTabs::setCounts(const QHash<int, int> &counts)
{
    m_counts = counts;
    update();
}

QRectF PanelTabs::buttonRect(PanelTab tab) const
{
    const double pad = 8, spacing = 6;
    const double w = (width() - 2 * pad - 2 * spacing) / 3;
    return QRectF(pad + int(tab) * (w + spacing), pad, w, 54);
}

void PanelTabs::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        p.setOpacity(0.45);
    for (PanelTab tab : PanelTab::allCases()) {
        const QRectF r = buttonRect(tab);
        if (tab == m_tab)
            p.fillPath(Design::rounded(r, 10), Design::accentSoft());
        else if (m_hovered && *m_hovered == tab && isEnabled())
            p.fillPath(Design::rounded(r, 10), Design::surface());
        p.setFont(Design::font(11, QFont::Medium));
        p.setPen(titleColor(tab, m_tab));
        p.drawText(QRectF(r.left(), r.top() + 6, r.width(), 16), Qt::AlignCenter | Qt::TextSingleLine, tab.title());
        const int n = count(tab);
        const CountLook look = countLook(tab, m_tab, n);
        QFont f = Design::font(20, look.emphasised ? QFont::DemiBold : QFont::Normal);
        f.setLetterSpacing(QFont::AbsoluteSpacing, -0.3);
        p.setFont(f);
        p.setPen(look.color);
        p.drawText(QRectF(r.left(), r.top() + 22, r.width(), 28), Qt::AlignCenter | Qt::TextSingleLine,
                   countText(n, QLocale::system()));
    }
}

void PanelTabs::mouseReleaseEvent(QMouseEvent *event)
{
    if (!isEnabled())
        return;
    for (PanelTab tab : PanelTab::allCases()) {
        if (buttonRect(tab).contains(event->position())) {
            setTab(tab);
            emit tabChosen(tab);
            return;
        }
    }
}

void PanelTabs::mouseMoveEvent(QMouseEvent *event)
{
    std::optional<PanelTab> hovered;
    for (PanelTab tab : PanelTab::allCases()) {
        if (buttonRect(tab).contains(event->position()))
            hovered = tab;
    }
    if (hovered != m_hovered) {
        m_hovered = hovered;
        update();
    }
}

void PanelTabs::leaveEvent(QEvent *)
{
    m_hovered.reset();
    update();
}
