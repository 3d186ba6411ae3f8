#include "Shell/AccountMenu.h"

#include "Browser/AccountSession.h"
#include "Browser/Browser.h"
#include "Theme/AlertStyle.h"
#include "Theme/BrandMark.h"
#include "Theme/Design.h"
#include "Theme/ServiceIcon.h"
#include "Shell/SidebarSites.h"
#include "Theme/WorkspaceButton.h"

#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QCoro/QCoroTask>

namespace {

const QString product = QStringLiteral("Glimora");

QLabel *text(const QString &s, int size, const QColor &color, QFont::Weight weight = QFont::Normal)
{
    auto *label = new QLabel(s);
    label->setTextFormat(Qt::PlainText);
    QFont f = label->font();
    f.setPixelSize(size);
    f.setWeight(weight);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
    return label;
}

// A row's rounded background.
class RowFrame : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(Design::rounded(QRectF(rect()), 12), Design::faded(Design::surface(), 0.6));
    }
};

class IconTile : public QWidget {
public:
    IconTile(LoginProvider site, QWidget *parent)
        : QWidget(parent)
        , site(site)
    {
        setFixedSize(38, 38);
        setAccessibleName(site.displayName());
    }
    LoginProvider site;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(Design::rounded(QRectF(rect()), 10), Design::surface());
        ServiceIcon::paint(p, site, QRectF(8, 8, 22, 22));
    }
};

QPushButton *plainButton(const QString &title, const QColor &color)
{
    auto *b = new QPushButton(title);
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setStyleSheet(
        QStringLiteral("QPushButton { border: none; background: transparent; color: %1; padding: 4px 2px; }"
                       "QPushButton:disabled { color: rgba(243,243,243,90); }")
            .arg(color.name(QColor::HexArgb)));
    return b;
}

}   // namespace

AccountMenu::Row AccountMenu::row(LoginProvider site, LoginStatus status, bool working, bool clearing)
{
    Row r{site, site.displayName(), status.label(), {}, !working && !clearing};
    if (SidebarSites::isSignedIn(status))
        r.actions = {Action::open, Action::signOut};
    else
        r.actions = {Action::signIn};
    return r;
}

QString AccountMenu::actionTitle(Action action)
{
    switch (action) {
    case Action::open:
        return tr("Open");
    case Action::signOut:
        return tr("Sign out");
    case Action::signIn:
        break;
    }
    return tr("Sign in");
}

QString AccountMenu::title()
{
    return tr("Site accounts");
}

QString AccountMenu::subtitle()
{
    return tr("Sign in to your channels");
}

QString AccountMenu::note()
{
    return tr("Your YouTube and Instagram sign-ins are kept in %1 on this computer.").arg(product);
}

QString AccountMenu::confirmTitle(const std::optional<LoginProvider> &site)
{
    return tr("Sign out of %1?").arg(site ? site->displayName() : tr("this site"));
}

QString AccountMenu::confirmMessage()
{
    return tr("This removes the sign-in and site data %1 stored for this service. Sign-ins in other browsers are not "
              "affected.")
        .arg(product);
}

QString AccountMenu::cancelTitle()
{
    return tr("Cancel");
}

AccountMenu::AccountMenu(Browser *browser, AccountSession *session, QWidget *parent)
    : Popover(parent, Qt::Popup)
    , m_browser(browser)
    , m_session(session)
{
    setFixedWidth(420);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Design::panel());
    setPalette(pal);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 22, 22, 22);
    layout->setSpacing(18);
    auto *header = new QHBoxLayout;
    header->setSpacing(10);
    header->addWidget(new BrandMark(32));
    auto *titles = new QVBoxLayout;
    titles->setSpacing(4);
    titles->addWidget(text(title(), 17, Design::text(), QFont::DemiBold));
    titles->addWidget(text(subtitle(), 12, Design::muted()));
    header->addLayout(titles, 1);
    layout->addLayout(header);
    m_rowsLayout = new QVBoxLayout;
    m_rowsLayout->setSpacing(18);
    layout->addLayout(m_rowsLayout);
    m_message = text(QString(), 11, Design::warn());
    m_message->setWordWrap(true);
    layout->addWidget(m_message);
    QLabel *noteLabel = text(note(), 11, Design::muted());
    noteLabel->setWordWrap(true);
    layout->addWidget(noteLabel);

    confirm = [this](const QString &t, const QString &message, std::function<void(bool)> done) {
        // Over the main window: the popover itself closes when the question takes the focus.
        QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
        QList<QAbstractButton *> buttons;
        QMessageBox *box =
            AlertStyle::questionBox(owner, {t, message, {cancelTitle(), actionTitle(Action::signOut)}, 1}, &buttons);
        box->setAttribute(Qt::WA_DeleteOnClose);
        QAbstractButton *out = buttons.at(1);
        connect(box, &QMessageBox::finished, this, [box, out, done] { done(box->clickedButton() == out); });
        box->open();
    };

    connect(session, &AccountSession::statusesChanged, this, &AccountMenu::refresh);
    connect(session, &AccountSession::clearingChanged, this, &AccountMenu::refresh);
    connect(session, &AccountSession::messageChanged, this, &AccountMenu::refresh);
    refresh();
}

void AccountMenu::refresh()
{
    const bool busy = working && working();
    const bool clearing = m_session->clearing().has_value();
    m_rows.clear();
    // The old rows go later: a refresh may come from inside one of their buttons' clicks.
    while (QLayoutItem *item = m_rowsLayout->takeAt(0)) {
        if (QWidget *w = item->widget()) {
            w->hide();
            w->deleteLater();
        }
        delete item;
    }
    m_rowsLayout->setSpacing(10);
    for (LoginProvider site : LoginProvider::allCases()) {
        const Row r = row(site, m_session->status(site), busy, clearing);
        m_rows << r;
        auto *frame = new RowFrame;
        auto *line = new QHBoxLayout(frame);
        line->setContentsMargins(12, 12, 12, 12);
        line->setSpacing(12);
        line->addWidget(new IconTile(site, frame));
        auto *texts = new QVBoxLayout;
        texts->setSpacing(5);
        texts->addWidget(text(r.name, 13, Design::text(), QFont::Medium));
        texts->addWidget(text(r.label, 11, Design::secondary()));
        line->addLayout(texts, 1);
        for (Action action : r.actions) {
            QAbstractButton *button = nullptr;
            if (action == Action::signIn)
                button = new WorkspaceButton(actionTitle(action), {.prominent = true});
            else
                button = plainButton(actionTitle(action), action == Action::open ? Design::text() : Design::muted());
            button->setObjectName(site.rawValue() + QLatin1Char('.') + QString::number(int(action)));
            connect(button, &QAbstractButton::clicked, this, [this, site, action] { trigger(site, action); });
            line->addWidget(button);
        }
        frame->setEnabled(r.enabled);
        m_rowsLayout->addWidget(frame);
    }
    m_message->setText(m_session->message());
    m_message->setVisible(!m_session->message().isEmpty());
    adjustSize();
}

void AccountMenu::trigger(LoginProvider site, Action action)
{
    const bool clearing = m_session->clearing().has_value();
    if ((working && working()) || clearing)
        return;
    switch (action) {
    case Action::open:
        close();
        m_browser->selectSite(site);
        return;
    case Action::signIn: {
        close();
        QPointer<Browser> browser(m_browser);
        QTimer::singleShot(0, m_browser, [browser, site] {
            if (browser)
                browser->signIn(site);
        });
        return;
    }
    case Action::signOut:
        m_disconnect = site;
        m_reopen = isVisible();   // the question takes the focus, which closes a popover
        confirm(confirmTitle(m_disconnect), confirmMessage(), [self = QPointer<AccountMenu>(this)](bool yes) {
            if (self)
                self->answer(yes);
        });
        return;
    }
}

void AccountMenu::answer(bool signOut)
{
    const std::optional<LoginProvider> site = m_disconnect;
    m_disconnect.reset();
    if (m_reopen && !isVisible())
        show();
    m_reopen = false;
    if (signOut && site)
        QCoro::connect(m_session->signOut(*site), m_session, [] {});
}
