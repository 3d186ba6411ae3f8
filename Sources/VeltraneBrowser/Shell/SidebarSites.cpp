#include "Shell/SidebarSites.h"

#include "Browser/AccountSession.h"
#include "Browser/Browser.h"
#include "Shell/AccountMenu.h"
#include "Theme/Design.h"
#include "Theme/HoverFade.h"
#include "Theme/ServiceIcon.h"
#include "Theme/Symbol.h"

#include <QAbstractButton>
#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int rowHeight = 36;
constexpr int rowSpacing = 2;

// The site part of a row: glyph, name and state text.
class SiteButton : public QAbstractButton {
public:
    SiteButton(LoginProvider site, QWidget *parent)
        : QAbstractButton(parent)
        , site(site)
    {
        setCursor(Qt::PointingHandCursor);
        setFixedHeight(rowHeight);
    }
    LoginProvider site;
    QString state;
    bool lit = false;   // selected or hovered
    bool selected = false;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const double x0 = 6;
        ServiceIcon::paint(p, site, QRectF(x0 + 3, (height() - 16) / 2.0, 16, 16));
        QFont name = font();
        name.setPixelSize(12);
        name.setWeight(selected ? QFont::DemiBold : QFont::Medium);
        const QFontMetricsF nm(name);
        const double nameX = x0 + 22 + 6;
        double stateWidth = 0;
        QFont small = font();
        small.setPixelSize(10);
        if (!state.isEmpty()) {
            // Shrinks down to 0.85 of its size before it is cut.
            const double room = qMax(width() - nameX - nm.horizontalAdvance(site.displayName()) - 4, 0.0);
            const QFontMetricsF sm(small);
            const double full = sm.horizontalAdvance(state);
            const double scale = full > room ? qMax(room / full, 0.85) : 1.0;
            stateWidth = qMin(full * scale, room);
            p.save();
            p.setFont(small);
            p.setPen(Design::muted());
            p.translate(width() - stateWidth, height() / 2.0);
            p.scale(scale, scale);
            const double inner = stateWidth / scale;
            p.drawText(QRectF(0, -height() / 2.0 / scale, inner, height() / scale), Qt::AlignVCenter | Qt::AlignRight,
                       sm.elidedText(state, Qt::ElideRight, inner));
            p.restore();
        }
        p.setFont(name);
        p.setPen(lit ? Design::text() : Design::secondary());
        const double nameRoom = width() - nameX - (stateWidth > 0 ? stateWidth + 4 : 0);
        p.drawText(QRectF(nameX, 0, nameRoom, height()), Qt::AlignVCenter | Qt::AlignLeft,
                   nm.elidedText(site.displayName(), Qt::ElideRight, nameRoom));
    }
};

// The person symbol at the end of a row.
class AccountButton : public QAbstractButton {
public:
    explicit AccountButton(QWidget *parent)
        : QAbstractButton(parent)
    {
        setCursor(Qt::PointingHandCursor);
        setFixedSize(32, rowHeight);
    }
    LoginStatus status;
    bool selected = false;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF box(0, 0, width(), height());
        const QColor color = SidebarSites::accountColor(status, selected);
        if (SidebarSites::isSignedIn(status)) {
            // The glow: the symbol blurred under itself.
            Symbol::paint(p, SidebarSites::accountSymbol(status), box, Design::faded(Design::signedIn(), 0.25), 17);
        }
        Symbol::paint(p, SidebarSites::accountSymbol(status), box, color, 14);
    }
};

}   // namespace

class SidebarSites::Row : public QWidget {
public:
    Row(LoginProvider site, QWidget *parent)
        : QWidget(parent)
        , site(site)
        , button(new SiteButton(site, this))
        , account(new AccountButton(this))
    {
        setFixedHeight(rowHeight);
        setAttribute(Qt::WA_Hover);
        auto *layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(button, 1);
        layout->addWidget(account);
    }
    LoginProvider site;
    SiteButton *button;
    AccountButton *account;
    std::function<void(bool)> onHover;

protected:
    void enterEvent(QEnterEvent *) override
    {
        if (onHover)
            onHover(true);
    }
    void leaveEvent(QEvent *) override
    {
        if (onHover)
            onHover(false);
    }
};

bool SidebarSites::isSignedIn(LoginStatus status)
{
    return status == LoginStatus::savedSession || status == LoginStatus::signedIn;
}

QString SidebarSites::stateText(LoginStatus status)
{
    if (isSignedIn(status))
        return QString();
    const QString label = status.label();
    const qsizetype cut = label.indexOf(QStringLiteral(" · "));
    return cut < 0 ? label : label.left(cut);
}

QString SidebarSites::accessibleLabel(LoginProvider site, LoginStatus status)
{
    return site.displayName() + QStringLiteral(", ") + status.label();
}

QString SidebarSites::accountSymbol(LoginStatus status)
{
    return isSignedIn(status) ? QStringLiteral("person.crop.circle.fill.badge.checkmark")
                              : QStringLiteral("person.crop.circle");
}

QColor SidebarSites::accountColor(LoginStatus status, bool selected)
{
    if (isSignedIn(status))
        return Design::signedIn();
    return selected ? Design::accent() : Design::muted();
}

QString SidebarSites::accountTooltip(LoginProvider site)
{
    return tr("%1 sign-in and sign-out").arg(site.displayName());
}

QString SidebarSites::accountAccessible(LoginProvider site)
{
    return tr("%1 account").arg(site.displayName());
}

SidebarSites::SidebarSites(Browser *browser, AccountSession *session, QWidget *parent)
    : QWidget(parent)
    , m_browser(browser)
    , m_session(session)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(rowSpacing);
    for (LoginProvider site : LoginProvider::allCases()) {
        auto *row = new Row(site, this);
        m_rows << row;
        layout->addWidget(row);
        connect(row->button, &QAbstractButton::clicked, this, [this, site] { m_browser->selectSite(site); });
        connect(row->account, &QAbstractButton::clicked, this, &SidebarSites::showMenu);
        row->onHover = [this, site](bool in) {
            if (in)
                m_hovered = site;
            else if (m_hovered == site)   // a late leave does not clear the next row
                m_hovered.reset();
            sync();
        };
    }
    const Design::Motion motion = Design::motion(Design::Motion::spring());
    m_slide.setDuration(motion.durationMs);
    m_slide.setEasingCurve(motion.curve);
    connect(&m_slide, &QVariantAnimation::valueChanged, this, [this](const QVariant &v) {
        if (Design::reduceMotion())
            m_highlightOpacity = v.toDouble();
        else
            m_highlightY = v.toDouble();
        update();
    });
    connect(session, &AccountSession::statusesChanged, this, &SidebarSites::sync);
    connect(browser, &Browser::selectedSiteChanged, this, [this] {
        sync();
        placeHighlight(true);
    });
    sync();
}

SidebarSites::~SidebarSites() = default;

QRectF SidebarSites::rowRect(LoginProvider site) const
{
    for (Row *row : m_rows)
        if (row->site == site)
            return QRectF(row->geometry());
    return {};
}

void SidebarSites::resizeEvent(QResizeEvent *)
{
    placeHighlight(false);
}

void SidebarSites::placeHighlight(bool animate)
{
    const double target = rowRect(m_browser->selectedSite()).top();
    m_slide.stop();
    if (!animate || !isVisible()) {
        m_highlightY = target;
        m_highlightOpacity = 1;
        update();
        return;
    }
    if (Design::reduceMotion()) {
        // No travel: the new row's highlight fades in where it stands.
        m_highlightY = target;
        m_slide.setStartValue(0.0);
        m_slide.setEndValue(1.0);
    } else {
        m_slide.setStartValue(m_highlightY);
        m_slide.setEndValue(target);
    }
    m_slide.start();
}

void SidebarSites::sync()
{
    for (Row *row : std::as_const(m_rows)) {
        const LoginStatus status = m_session->status(row->site);
        const bool selected = m_browser->selectedSite() == row->site;
        row->button->state = stateText(status);
        row->button->selected = selected;
        row->button->lit = selected || m_hovered == row->site;
        row->button->setAccessibleName(accessibleLabel(row->site, status));
        row->button->setCheckable(true);
        row->button->setChecked(selected);
        row->account->status = status;
        row->account->selected = selected;
        row->account->setToolTip(accountTooltip(row->site));
        row->account->setAccessibleName(accountAccessible(row->site));
        row->button->update();
        row->account->update();
    }
    update();
}

QString SidebarSites::rowState(LoginProvider site) const
{
    for (Row *row : m_rows)
        if (row->site == site)
            return row->button->state;
    return {};
}

QAbstractButton *SidebarSites::siteButton(LoginProvider site) const
{
    for (Row *row : m_rows)
        if (row->site == site)
            return row->button;
    return nullptr;
}

QAbstractButton *SidebarSites::accountButton(LoginProvider site) const
{
    for (Row *row : m_rows)
        if (row->site == site)
            return row->account;
    return nullptr;
}

void SidebarSites::showMenu()
{
    if (!m_menu) {
        m_menu = new AccountMenu(m_browser, m_session, this);
        m_menu->working = [this] { return working && working(); };
    }
    m_menu->refresh();
    m_menu->adjustSize();
    // Beside the list, at its trailing edge.
    const QPoint anchor = mapToGlobal(QPoint(width() + 8, 0));
    m_menu->move(anchor);
    m_menu->show();
}

void SidebarSites::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    for (Row *row : std::as_const(m_rows)) {
        if (row->site != m_browser->selectedSite() && m_hovered == row->site)
            p.fillPath(Design::rounded(QRectF(row->geometry()), 8), Design::faded(Design::card(), 0.5));
    }
    const QRectF selected = rowRect(m_browser->selectedSite());
    if (selected.isValid()) {
        p.setOpacity(m_highlightOpacity);
        p.fillPath(Design::rounded(QRectF(0, m_highlightY, width(), selected.height()), 8), Design::card());
    }
}
