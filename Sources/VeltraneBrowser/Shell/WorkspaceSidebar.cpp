#include "Shell/WorkspaceSidebar.h"

#include "Browser/Browser.h"
#include "Service/VeltraneAccount.h"
#include "Shell/AgentSetupView.h"
#include "Shell/PostDock.h"
#include "Theme/BrandMark.h"
#include "Theme/Design.h"
#include "Theme/Hairline.h"
#include "Theme/IconButton.h"
#include "Shell/SidebarSites.h"
#include "Theme/Symbol.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPainter>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

// The service account row: symbol, two lines, the whole rectangle clickable.
class AccountButton : public QAbstractButton {
public:
    using QAbstractButton::QAbstractButton;
    WorkspaceSidebar::AccountRow row;
    static constexpr double symbolWidth = 20;
    static constexpr double textLeft = 25;

    // The fonts of the two lines.
    QFont titleFont() const
    {
        QFont f = font();
        f.setPixelSize(12);
        f.setWeight(QFont::DemiBold);
        return f;
    }
    QFont subtitleFont() const
    {
        QFont f = font();
        f.setPixelSize(10);
        return f;
    }
    double room() const { return width() - textLeft; }
    // The second line's height: one line, or two when a narrow sidebar wraps it (the footer
    // holds three lines of these sizes).
    double subtitleHeight() const
    {
        const QFontMetricsF fm(subtitleFont());
        if (fm.horizontalAdvance(row.subtitle) <= room())
            return fm.height();
        return qMin(2 * fm.lineSpacing(),
                    fm.boundingRect(QRectF(0, 0, room(), 1000), Qt::TextWordWrap, row.subtitle).height());
    }
    bool fits() const
    {
        const QFontMetricsF fm(subtitleFont());
        const double needed = fm.boundingRect(QRectF(0, 0, room(), 1000), Qt::TextWordWrap, row.subtitle).height();
        return QFontMetricsF(titleFont()).horizontalAdvance(row.title) <= room() && needed <= 2 * fm.lineSpacing() + 0.5
            && fm.boundingRect(QRectF(0, 0, room(), 1000), Qt::TextWordWrap, row.subtitle).width() <= room();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        Symbol::paint(p, row.symbol, QRectF(0, 0, symbolWidth, height()), Design::accent(), 15);
        const QFont first = titleFont(), second = subtitleFont();
        const QFontMetricsF fm1(first), fm2(second);
        const double x = textLeft, room = this->room(), below = subtitleHeight();
        const double top = (height() - fm1.height() - 2 - below) / 2;
        p.setFont(first);
        p.setPen(Design::text());
        p.drawText(QRectF(x, top, room, fm1.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   fm1.elidedText(row.title, Qt::ElideRight, room));
        p.setFont(second);
        p.setPen(Design::muted());
        p.drawText(QRectF(x, top + fm1.height() + 2, room, below), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   row.subtitle);
    }
};

}   // namespace

WorkspaceSidebar::AccountRow WorkspaceSidebar::accountRow(bool hasToken, bool deviceAccounts)
{
    const QString aiCheck = tr("AI check");
    const QString start = tr("Get started");
    if (hasToken)
        return {QStringLiteral("checkmark.seal"), aiCheck, tr("Manage account")};
    if (deviceAccounts)
        return {QStringLiteral("sparkles"), aiCheck, start};
    return {QStringLiteral("sparkles"), tr("Sign in"), start};
}

QString WorkspaceSidebar::caption()
{
    return tr("CHANNELS");
}

WorkspaceSidebar::WorkspaceSidebar(Browser *browser, VeltraneAccount *account, QWidget *parent)
    : QWidget(parent)
    , m_browser(browser)
    , m_account(account)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 38, 0,
                               8);   // the sides' 12 points are inside each part, so the line can span the width
    layout->setSpacing(0);

    m_top = new QWidget(this);
    auto *top = new QVBoxLayout(m_top);
    top->setContentsMargins(12, 0, 12, 0);
    top->setSpacing(0);
    auto *brand = new QHBoxLayout;
    brand->setContentsMargins(6, 0, 6, 16);
    brand->setSpacing(8);
    brand->addWidget(new BrandMark(30));
    auto *name = new QLabel(QStringLiteral("Glimora"));
    name->setTextFormat(Qt::PlainText);
    QFont nameFont = name->font();
    nameFont.setPixelSize(16);
    nameFont.setWeight(QFont::DemiBold);
    nameFont.setLetterSpacing(QFont::AbsoluteSpacing, -0.5);
    name->setFont(nameFont);
    name->setMinimumWidth(QFontMetrics(nameFont).horizontalAdvance(name->text()) + 2);   // never cut
    brand->addWidget(name);
    brand->addStretch();
    top->addLayout(brand);
    auto *cap = new QLabel(caption());
    cap->setTextFormat(Qt::PlainText);
    QFont capFont = cap->font();
    capFont.setPixelSize(10);
    capFont.setWeight(QFont::Medium);
    capFont.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
    cap->setFont(capFont);
    QPalette capPal = cap->palette();
    capPal.setColor(QPalette::WindowText, Design::muted());
    cap->setPalette(capPal);
    cap->setContentsMargins(10, 0, 10, 6);
    top->addWidget(cap);
    m_sites = new SidebarSites(browser, browser->accounts(), m_top);
    m_sites->working = [this] { return working && working(); };
    top->addWidget(m_sites);
    layout->addWidget(m_top);
    layout->addStretch();

    // The line reaches both edges through the side padding.
    auto *line = new Hairline(this);
    layout->addWidget(line);
    layout->addSpacing(6);

    m_footer = new QWidget(this);
    m_footer->setFixedHeight(44);
    auto *footer = new QHBoxLayout(m_footer);
    footer->setContentsMargins(12 + 2, 0, 8, 0);
    footer->setSpacing(0);
    auto *accountButton = new AccountButton(m_footer);
    accountButton->setCursor(Qt::PointingHandCursor);
    accountButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_accountButton = accountButton;
    connect(accountButton, &QAbstractButton::clicked, this, [this] {
        if (openAccount)
            openAccount();
    });
    footer->addWidget(accountButton, 1);
    auto *stats = new IconButton(QStringLiteral("chart.bar.xaxis"), tr("Statistics"), m_footer);
    connect(stats, &QAbstractButton::clicked, this, [this] {
        if (openDashboard)
            openDashboard();
    });
    footer->addWidget(stats);
    auto *settings = new IconButton(QStringLiteral("slider.horizontal.3"), tr("Scan settings"), m_footer);
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));   // works only while enabled
    connect(settings, &QAbstractButton::clicked, this, [this] {
        if (openSettings)
            openSettings();
    });
    footer->addWidget(settings);
    m_agentButton = new IconButton(QStringLiteral("terminal"), tr("AI agent"), m_footer);
    connect(m_agentButton, &QAbstractButton::clicked, this, &WorkspaceSidebar::toggleAgent);
    footer->addWidget(m_agentButton);
    layout->addWidget(m_footer);

    if (account)
        connect(account, &VeltraneAccount::changed, this, &WorkspaceSidebar::syncAccount);
    syncAccount();
}

void WorkspaceSidebar::syncAccount()
{
    m_row = accountRow(m_account && m_account->hasToken(), m_account && m_account->deviceAccounts());
    // An account file that could not be read: the row sends the owner to the account pane,
    // which says the rest (the row has room for a few words only).
    if (m_account && m_account->fileUnreadable())
        m_row.subtitle = tr("Check account");
    static_cast<AccountButton *>(m_accountButton)->row = m_row;
    m_accountButton->setAccessibleName(m_row.title + QStringLiteral(", ") + m_row.subtitle);
    // Should a narrow sidebar cut a line, the tooltip holds both whole.
    m_accountButton->setToolTip(m_row.title + u'\n' + m_row.subtitle);
    m_accountButton->update();
}

bool WorkspaceSidebar::accountRowFits() const
{
    return static_cast<AccountButton *>(m_accountButton)->fits();
}

void WorkspaceSidebar::setLocked(bool locked)
{
    m_locked = locked;
    m_top->setEnabled(!locked);
    m_footer->setEnabled(!locked);
}

void WorkspaceSidebar::toggleAgent()
{
    if (m_agent && m_agent->isVisible()) {
        m_agent->close();
        return;
    }
    // A new view every time it opens: its copy state starts again.
    delete m_agent;
    m_agent = new AgentSetupView(this);
    m_agent->setAttribute(Qt::WA_DeleteOnClose);
    m_agent->adjustSize();
    // Beside its button, but above the post list under the browser, so that the tiles stay in view.
    QPoint at = m_agentButton->mapToGlobal(
        QPoint(m_agentButton->width() + 8, m_agentButton->height() - m_agent->height()));
    if (const PostDock *dock = window()->findChild<PostDock *>(); dock && dock->isVisible()) {
        const int above = dock->mapToGlobal(QPoint(0, 0)).y() - 8 - m_agent->height();
        const int top = window()->mapToGlobal(QPoint(0, 0)).y() + 8;
        at.setY(std::max(top, std::min(at.y(), above)));
    }
    m_agent->move(at);
    m_agent->show();
}

void WorkspaceSidebar::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), Design::sidebar());
}

QAbstractButton *WorkspaceSidebar::agentButton() const
{
    return m_agentButton;
}
