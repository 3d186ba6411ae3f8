#include "Shell/BrowserPane.h"

#include "Browser/AccountSession.h"
#include "Browser/Browser.h"
#include "Browser/BrowserTab.h"
#include "Theme/Design.h"
#include "Theme/Spinner.h"
#include "Theme/Hairline.h"
#include "Theme/IconButton.h"
#include "Theme/PlainText.h"
#include "Theme/Symbol.h"
#include "Shell/WebViewHost.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Paints the toolbar's card background.
class Toolbar : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), Design::card()); }
};

// The rounded frame of the address field with its lock or globe symbol.
class FieldFrame : public QWidget {
public:
    using QWidget::QWidget;
    bool focused = false;
    QString icon = QStringLiteral("globe");

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF box(rect());
        p.fillPath(Design::rounded(box, 8), focused ? Design::card() : Design::faded(Design::surface(), 0.65));
        Design::innerStroke(p, box, 8, focused ? Design::strongBorder() : Design::border());
        Symbol::paint(p, icon, QRectF(12, 0, 12, height()), focused ? Design::accent() : Design::muted(), 11);
    }
};

// Takes every click while a site's data is removed, so the page gets none.
class Shield : public QWidget {
public:
    explicit Shield(QWidget *parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void mousePressEvent(QMouseEvent *e) override { e->accept(); }
    void mouseReleaseEvent(QMouseEvent *e) override { e->accept(); }
    void mouseDoubleClickEvent(QMouseEvent *e) override { e->accept(); }
    void wheelEvent(QWheelEvent *e) override { e->accept(); }
};

}   // namespace

QList<BrowserPane::Item> BrowserPane::toolbar(const State &s, bool working)
{
    QList<Item> items;
    items << Item{QStringLiteral("chevron.left"), tr("Back"), {}, false, !working && s.canGoBack};
    items << Item{QStringLiteral("chevron.right"), tr("Forward"), {}, false, !working && s.canGoForward};
    if (s.isLoading)
        items << Item{QStringLiteral("xmark"), tr("Stop loading"), {}, false, !working};
    else
        items << Item{QStringLiteral("arrow.clockwise"), tr("Reload"), {}, false, !working};
    if (s.isMuted)
        items << Item{QStringLiteral("speaker.slash.fill"), tr("Unmute browser"), tr("Muted"), true, true};
    else
        items << Item{QStringLiteral("speaker.wave.2"), tr("Mute browser"), tr("Unmuted"), false, true};
    if (s.blocksAutoplay)
        items << Item{QStringLiteral("play.slash.fill"), tr("Allow autoplay"), tr("Autoplay off"), true, true};
    else
        items << Item{QStringLiteral("play"), tr("Turn off autoplay"), tr("Autoplay on"), false, true};
    return items;
}

QString BrowserPane::addressIcon(const QString &address)
{
    return address.startsWith(QLatin1String("https://")) ? QStringLiteral("lock") : QStringLiteral("globe");
}

double BrowserPane::desktopWidth(LoginProvider site)
{
    return site == LoginProvider::instagram ? 960 : 0;
}

QString BrowserPane::placeholder()
{
    return tr("Enter a comment page address");
}

QString BrowserPane::fieldLabel()
{
    return tr("Comment page address");
}

QString BrowserPane::tryAgain()
{
    return tr("Try again");
}

BrowserPane::BrowserPane(Browser *browser, QWidget *parent)
    : QWidget(parent)
    , m_browser(browser)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_toolbar = new Toolbar(this);
    m_toolbar->setFixedHeight(56);
    auto *bar = new QHBoxLayout(m_toolbar);
    bar->setContentsMargins(12, 0, 12, 0);
    bar->setSpacing(5);
    for (int i = 0; i < 5; ++i) {
        auto *button = new IconButton(QString(), QString(), m_toolbar);
        m_buttons << button;
        connect(button, &QAbstractButton::clicked, this, [this, i] { act(i); });
    }
    m_buttons[2]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    bar->addWidget(m_buttons[0]);
    bar->addWidget(m_buttons[1]);
    bar->addWidget(m_buttons[2]);

    auto *frame = new FieldFrame(m_toolbar);
    m_fieldFrame = frame;
    frame->setFixedHeight(34);
    auto *fieldRow = new QHBoxLayout(frame);
    fieldRow->setContentsMargins(12 + 12 + 8, 0, 12, 0);
    fieldRow->setSpacing(8);
    m_field = new QLineEdit(frame);
    m_field->setFrame(false);
    m_field->setPlaceholderText(placeholder());
    m_field->setAccessibleName(fieldLabel());
    QFont f = m_field->font();
    f.setPixelSize(12);
    m_field->setFont(f);
    m_field->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; border: none; color: %1; }"
                                          "QLineEdit:focus { color: %2; }")
                               .arg(Design::secondary().name(), Design::text().name()));
    m_field->installEventFilter(this);
    fieldRow->addWidget(m_field, 1);
    m_spinner = new Spinner(14, 9, 1.6, &Design::muted, frame);
    fieldRow->addWidget(m_spinner);
    bar->addSpacing(5);
    bar->addWidget(frame, 1);
    auto *divider = new QWidget(m_toolbar);
    divider->setFixedSize(1, 18);
    divider->setAutoFillBackground(true);
    QPalette dp = divider->palette();
    dp.setColor(QPalette::Window, Design::border());
    divider->setPalette(dp);
    bar->addSpacing(4);
    bar->addWidget(divider);
    bar->addSpacing(4);
    bar->addWidget(m_buttons[3]);
    bar->addWidget(m_buttons[4]);
    layout->addWidget(m_toolbar);
    layout->addWidget(new Hairline(this));

    m_banner = new QWidget(this);
    auto *bannerRow = new QHBoxLayout(m_banner);
    bannerRow->setContentsMargins(12, 12, 12, 12);
    auto *warnIcon = new QLabel(m_banner);
    QPixmap mark(16, 16);
    mark.fill(Qt::transparent);
    {
        QPainter p(&mark);
        Symbol::paint(p, QStringLiteral("exclamationmark.circle"), QRectF(0, 0, 16, 16), Design::warn(), 11);
    }
    warnIcon->setPixmap(mark);
    bannerRow->addWidget(warnIcon);
    m_bannerText = new QLabel(m_banner);
    m_bannerText->setTextFormat(Qt::PlainText);   // page text never renders as markup
    QFont bf = m_bannerText->font();
    bf.setPixelSize(11);
    m_bannerText->setFont(bf);
    QPalette bp = m_bannerText->palette();
    bp.setColor(QPalette::WindowText, Design::warn());
    m_bannerText->setPalette(bp);
    m_bannerText->setWordWrap(true);   // a long error keeps its end
    bannerRow->addWidget(m_bannerText, 1);
    m_retry = new QPushButton(tryAgain(), m_banner);
    m_retry->setFlat(true);
    m_retry->setCursor(Qt::PointingHandCursor);
    m_retry->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; color: %1; }"
                                          "QPushButton:disabled { color: rgba(243,243,243,90); }")
                               .arg(Design::warn().name()));
    connect(m_retry, &QPushButton::clicked, m_browser, &Browser::retry);
    bannerRow->addWidget(m_retry);
    layout->addWidget(m_banner);

    m_view = new WebViewHost(this);
    layout->addWidget(m_view, 1);
    m_shield = new Shield(this);
    m_shield->hide();
    m_view->installEventFilter(this);   // the shield follows the view's frame

    m_enterAddress = new QAction(tr("Enter address"), this);
    m_enterAddress->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    m_enterAddress->setShortcutContext(Qt::WindowShortcut);
    connect(m_enterAddress, &QAction::triggered, this, [this] {
        m_field->setFocus(Qt::ShortcutFocusReason);
        m_field->selectAll();
    });
    addAction(m_enterAddress);

    showAddress();
    connect(m_field, &QLineEdit::returnPressed, this, [this] {
        m_browser->open(m_field->text());
        m_field->clearFocus();
        showAddress();
    });
    connect(m_browser, &Browser::addressChanged, this, [this] {
        if (!m_field->hasFocus())   // what the owner is typing stays
            showAddress();
        sync();
    });
    for (auto signal :
         {&Browser::titleChanged, &Browser::errorChanged, &Browser::isLoadingChanged, &Browser::canGoBackChanged,
          &Browser::canGoForwardChanged, &Browser::isMutedChanged, &Browser::blocksAutoplayChanged})
        connect(m_browser, signal, this, &BrowserPane::sync);
    connect(m_browser, &Browser::currentTabChanged, this, &BrowserPane::showTab);
    connect(m_browser->accounts(), &AccountSession::clearingChanged, this, &BrowserPane::sync);
    showTab();
}

void BrowserPane::showAddress()
{
    // From its start, so that the host stays in view and a long path is what runs out of room.
    m_field->setText(m_browser->address());
    m_field->setCursorPosition(0);
}

QString BrowserPane::bannerText() const
{
    return m_banner->isVisibleTo(this) ? m_bannerText->text() : QString();
}

bool BrowserPane::takesPageClicks() const
{
    return !m_shield->isVisibleTo(this);
}

void BrowserPane::setWorking(bool working)
{
    m_working = working;
    sync();
}

void BrowserPane::showTab()
{
    m_view->showPage(m_browser->currentTab()->page());
    m_view->setDesktopWidth(desktopWidth(m_browser->selectedSite()));
    sync();
}

void BrowserPane::act(int index)
{
    BrowserPage *page = m_browser->currentTab()->page();
    switch (index) {
    case 0:
        page->triggerAction(QWebEnginePage::Back);
        break;
    case 1:
        page->triggerAction(QWebEnginePage::Forward);
        break;
    case 2:
        if (m_browser->isLoading())
            page->triggerAction(QWebEnginePage::Stop);
        else
            m_browser->retry();   // a failed page is fetched again from its failed address
        break;
    case 3:
        m_browser->setMuted(!m_browser->isMuted());
        break;
    case 4:
        m_browser->setAutoplayBlocked(!m_browser->blocksAutoplay());
        break;
    }
}

void BrowserPane::sync()
{
    const State state{m_browser->canGoBack(), m_browser->canGoForward(), m_browser->isLoading(), m_browser->isMuted(),
                      m_browser->blocksAutoplay()};
    const QList<Item> items = toolbar(state, m_working);
    for (int i = 0; i < items.size(); ++i) {
        IconButton *b = m_buttons[i];
        b->setIcon(items[i].icon);
        b->setLabel(items[i].label);
        b->setAccessibleDescription(items[i].value);
        b->setActive(items[i].active);
        b->setEnabled(items[i].enabled);
    }
    m_field->setEnabled(!m_working);
    m_enterAddress->setEnabled(!m_working);
    m_fieldFrame->setToolTip(PlainText::toolTip(m_browser->title()));
    static_cast<FieldFrame *>(m_fieldFrame)->icon = addressIcon(m_browser->address());
    m_fieldFrame->update();
    m_spinner->setRunning(m_browser->isLoading());
    // The address that failed goes with the reason: the field may show the page before it.
    QString banner = m_browser->error();
    if (!banner.isEmpty() && m_browser->currentTab() && m_browser->currentTab()->failedURL)
        banner += QLatin1Char('\n') + m_browser->currentTab()->failedURL->toDisplayString();
    m_bannerText->setText(banner);
    m_bannerText->setToolTip(PlainText::toolTip(banner));
    m_banner->setVisible(!m_browser->error().isEmpty());
    m_retry->setEnabled(!m_working);
    const bool clearing = m_browser->accounts()->clearing().has_value();
    m_shield->setGeometry(m_view->geometry());
    m_shield->setVisible(clearing);
    if (clearing)
        m_shield->raise();
}

bool BrowserPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        m_shield->setGeometry(m_view->geometry());
    if (watched == m_field) {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            showAddress();
            m_field->clearFocus();
            return true;
        }
        if (event->type() == QEvent::FocusOut) {
            showAddress();
            static_cast<FieldFrame *>(m_fieldFrame)->focused = false;
            m_fieldFrame->update();
        } else if (event->type() == QEvent::FocusIn) {
            static_cast<FieldFrame *>(m_fieldFrame)->focused = true;
            m_fieldFrame->update();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BrowserPane::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), Design::canvas());
}
