#include "Settings/AccountPane.h"

#include "Dashboard/ScaledFont.h"
#include "Service/VeltraneAccount.h"
#include "Settings/AccountPaneState.h"
#include "Settings/PaneContent.h"
#include "Settings/SettingsButton.h"
#include "Settings/SettingsCard.h"
#include "Settings/SettingsRow.h"
#include "Theme/Design.h"
#include "Theme/Symbol.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel *text(const QString &value, bool muted = false)
{
    auto *l = new QLabel(value);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    if (muted)
        l->setForegroundRole(QPalette::PlaceholderText);
    return l;
}

QUrl under(const QString &path)
{
    QUrl base = VeltraneAccount::defaultServer();
    QString p = base.path();
    if (!p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    base.setPath(p + path);
    return base;
}

}   // namespace

AccountPane::AccountPane(VeltraneAccount *account, QWidget *parent)
    : QWidget(parent)
    , m_state(new AccountPaneState(account, this))
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    connect(m_state, &AccountPaneState::changed, this, &AccountPane::sync);
    rebuild();
}

QUrl AccountPane::privacyUrl()
{
    return under(QStringLiteral("privacy"));
}

QUrl AccountPane::termsUrl()
{
    return under(QStringLiteral("terms"));
}

QString AccountPane::shape() const
{
    const AccountPaneState &s = *m_state;
    const VeltraneAccount *a = s.account();
    return QStringList{QString::number(s.signedIn()),
                       QString::number(int(s.card())),
                       QString::number(s.codeSent()),
                       QString::number(int(s.managing())),
                       QString::number(s.busy()),
                       s.message(),
                       QString::number(s.failed()),
                       a ? a->emailText() : QString(),
                       a ? a->supportCodeText() : QString(),
                       QString::number(a && a->hasPassword()),
                       QString::number(a && a->testMode()),
                       QString::number(a && a->emailLogin()),
                       QString::number(a && a->deviceAccounts()),
                       a ? a->fileNotice() : QString()}
        .join(QLatin1Char('|'));
}

void AccountPane::sync()
{
    if (shape() != m_shape) {
        rebuild();
        return;
    }
    for (const auto &update : std::as_const(m_updates))
        update();
}

void AccountPane::rebuild()
{
    // The field being typed in keeps the focus and its cursor across the rebuild.
    QString focused;
    int cursor = 0;
    if (auto *edit = qobject_cast<QLineEdit *>(focusWidget()); edit && m_content && m_content->isAncestorOf(edit)) {
        focused = edit->placeholderText();
        cursor = edit->cursorPosition();
    }
    m_shape = shape();
    m_updates.clear();
    QVBoxLayout *column = PaneContent::renew(this, m_layout, m_content);
    AccountPaneState *s = m_state;
    VeltraneAccount *account = s->account();

    auto field = [this, s](const QString &placeholder, const QString &value, bool secure, auto setter,
                           std::function<void()> submit) {
        auto *f = new QLineEdit(value);
        f->setPlaceholderText(placeholder);
        f->setAccessibleName(placeholder);
        f->setMinimumHeight(40);
        if (secure)
            f->setEchoMode(QLineEdit::Password);
        connect(f, &QLineEdit::textEdited, s, [s, setter](const QString &t) { (s->*setter)(t); });
        if (submit)
            connect(f, &QLineEdit::returnPressed, this, submit);
        return f;
    };
    auto button = [](const QString &label, SettingsButton::Kind kind, auto action) {
        auto *b = new SettingsButton(label, kind);
        QObject::connect(b, &QPushButton::clicked, b, action);
        return b;
    };
    auto progress = [s]() {
        auto *bar = new QProgressBar;
        bar->setRange(0, 0);
        bar->setFixedSize(60, 8);
        bar->setTextVisible(false);
        bar->setVisible(s->busy());
        return bar;
    };
    auto cardBox = [](QWidget *holder) {
        auto *l = new QVBoxLayout(holder);
        l->setContentsMargins(18, 18, 18, 18);
        l->setSpacing(12);
        return l;
    };
    // The e-mail code step's buttons: ask for a code, or confirm the one sent (`confirm`) and ask
    // again; enabled while a code may be sent. The caller may add to the row's end.
    // Where the code went is said under the buttons that sent it, not at the pane's foot.
    bool sentShown = false;
    auto codeActions = [this, s, button, progress, &sentShown](const QString &confirm, int top) {
        auto *rowWidget = new QWidget;
        auto *stack = new QVBoxLayout(rowWidget);
        stack->setContentsMargins(0, top, 0, 0);
        stack->setSpacing(8);
        auto *row = new QHBoxLayout;
        row->setSpacing(10);
        stack->addLayout(row);
        if (s->codeSent() && !s->failed() && !s->message().isEmpty()) {
            auto *sent = text(QStringLiteral("\u2713 ") + s->message());
            sent->setObjectName(QStringLiteral("codeSentLine"));
            stack->addWidget(sent);
            sentShown = true;
        }
        if (s->codeSent()) {
            auto *go = button(confirm, SettingsButton::Kind::primary, [s] { s->verifyCode(); });
            row->addWidget(go);
            row->addWidget(button(tr("Send again"), SettingsButton::Kind::plain, [s] { s->sendCode(); }));
            m_updates.append([s, go] { go->setEnabled(s->canVerify()); });
        } else {
            row->addWidget(button(tr("Email me a code"), SettingsButton::Kind::primary, [s] { s->sendCode(); }));
        }
        row->addWidget(progress());
        row->addStretch(1);
        m_updates.append([s, rowWidget] { rowWidget->setEnabled(s->canSendCode()); });
        return std::pair{rowWidget, row};
    };

    // An account file that could not be read: what became of it comes first.
    if (account && account->fileUnreadable()) {
        auto *notice = text(QStringLiteral("\u26A0 ") + account->fileNotice());
        notice->setObjectName(QStringLiteral("accountFileNotice"));
        notice->setTextInteractionFlags(Qt::TextSelectableByMouse);
        notice->setStyleSheet(QStringLiteral("color: #c0392b;"));
        column->addWidget(notice);
    }

    if (!s->signedIn()) {
        if (s->showsTestServerNote())
            column->addWidget(text(tr("This is a test server; the AI check works without signing in.")));
        const AccountPaneState::Card card = s->card();
        auto *content = new QWidget;
        auto *cl = cardBox(content);
        SettingsCard *holder = nullptr;
        if (card == AccountPaneState::Card::device) {
            holder = new SettingsCard(tr("Get started"));
            cl->addWidget(text(tr("Get a number for this computer and start right away, no sign-up.")));
            auto *row = new QHBoxLayout;
            row->setSpacing(10);
            auto *start = button(tr("Get started"), SettingsButton::Kind::primary, [s] { s->startDevice(); });
            start->setEnabled(!s->busy());
            row->addWidget(start);
            row->addWidget(progress());
            row->addStretch(1);
            row->addWidget(button(tr("Sign in to an existing account"), SettingsButton::Kind::plain,
                                  [s] { s->setUsePassword(true); }));
            cl->addLayout(row);
        } else if (card == AccountPaneState::Card::email) {
            holder = new SettingsCard(tr("Continue with email"));
            cl->addWidget(field(tr("Email"), s->email(), false, &AccountPaneState::setEmail, [s] { s->sendCode(); }));
            if (s->codeSent()) {
                cl->addWidget(field(tr("6-digit code from the email"), s->code(), false, &AccountPaneState::setCode,
                                    [s] { s->verifyCode(); }));
                cl->addWidget(text(tr("If this is your first time, an account is created for this email."), true));
            }
            auto [rowWidget, row] = codeActions(tr("Continue"), 4);
            row->addWidget(button(tr("Use a password"), SettingsButton::Kind::plain, [s] { s->setUsePassword(true); }));
            cl->addWidget(rowWidget);
        } else {
            holder = new SettingsCard(s->passwordCardTitle());
            cl->addWidget(field(tr("Email"), s->email(), false, &AccountPaneState::setEmail, {}));
            cl->addWidget(field(tr("Password (8+ characters)"), s->password(), true, &AccountPaneState::setPassword,
                                [s] { s->signInWithPassword(false); }));
            auto *rowWidget = new QWidget;
            auto *row = new QHBoxLayout(rowWidget);
            row->setContentsMargins(0, 4, 0, 0);
            row->setSpacing(10);
            row->addWidget(button(tr("Sign In"), SettingsButton::Kind::primary, [s] { s->signInWithPassword(false); }));
            if (s->offersCreateAccount())
                row->addWidget(
                    button(tr("Create Account"), SettingsButton::Kind::plain, [s] { s->signInWithPassword(true); }));
            row->addWidget(progress());
            if (s->offersWaySwitch()) {
                row->addStretch(1);
                row->addWidget(
                    button(s->waySwitchLabel(), SettingsButton::Kind::plain, [s] { s->setUsePassword(false); }));
            } else {
                row->addStretch(1);
            }
            m_updates.append([s, rowWidget] { rowWidget->setEnabled(s->canSignIn()); });
            cl->addWidget(rowWidget);
        }
        holder->add(content);
        column->addWidget(holder);
        column->addWidget(text(tr("The account is only for the AI check. Rule checks and deleting work without one.")));
    } else {
        // Header.
        auto *header = new QFrame;
        SettingsCard::makeSurface(header);
        auto *hl = new QHBoxLayout(header);
        hl->setContentsMargins(20, 20, 20, 20);
        hl->setSpacing(16);
        auto *badge = new QLabel(s->badge());
        badge->setObjectName(QStringLiteral("accountBadge"));
        badge->setTextFormat(Qt::PlainText);
        badge->setAlignment(Qt::AlignCenter);
        badge->setFixedSize(48, 48);
        badge->setStyleSheet(
            QStringLiteral("background: %1; color: %2; border-radius: 24px; font-size: 20px; font-weight: 600;")
                .arg(Design::accent().name(), Design::onAccent().name()));
        if (s->deviceAccount()) {
            // This computer's own account: a laptop, not a letter.
            const qreal dpr = devicePixelRatioF();
            QPixmap glyph(QSize(48, 48) * dpr);
            glyph.setDevicePixelRatio(dpr);
            glyph.fill(Qt::transparent);
            QPainter gp(&glyph);
            Symbol::paint(gp, QStringLiteral("laptopcomputer"), QRectF(0, 0, 48, 48), Design::onAccent(), 19);
            gp.end();
            badge->setPixmap(glyph);
        }
        hl->addWidget(badge);
        auto *lines = new QVBoxLayout;
        lines->setSpacing(4);
        auto *title = text(s->headerTitle());
        title->setWordWrap(false);
        QFont tf = title->font();
        tf.setWeight(QFont::DemiBold);
        tf = ScaledFont::of(tf, 1.2);
        title->setFont(tf);
        lines->addWidget(title);
        auto *sub = text(s->headerSubtitle());
        sub->setTextInteractionFlags(Qt::TextSelectableByMouse);
        lines->addWidget(sub);
        hl->addLayout(lines, 1);
        if (!s->deviceAccount())
            hl->addWidget(button(tr("Sign out"), SettingsButton::Kind::plain, [s] { s->signOut(); }));
        column->addWidget(header);

        if (s->showsLinkCard()) {
            auto *link = new SettingsCard(tr("Use it on other computers"));
            auto *content = new QWidget;
            auto *cl = cardBox(content);
            cl->addWidget(text(tr("Link an email to sign in with it on other computers and carry on. If that email "
                                  "already has an account, the two accounts are merged.")));
            cl->addWidget(field(tr("Email"), s->email(), false, &AccountPaneState::setEmail, [s] { s->sendCode(); }));
            if (s->codeSent())
                cl->addWidget(field(tr("6-digit code from the email"), s->code(), false, &AccountPaneState::setCode,
                                    [s] { s->verifyCode(); }));
            cl->addWidget(codeActions(tr("Link"), 0).first);
            link->add(content);
            column->addWidget(link);
        }

        auto *manage = new SettingsCard(tr("Manage account"));
        if (s->showsPasswordRow()) {
            manage->add(new SettingsRow(QStringLiteral("dialog-password"), s->passwordRowTitle(),
                                        s->passwordRowSubtitle(),
                                        button(s->passwordRowButton(), SettingsButton::Kind::plain,
                                               [s] { s->toggleManaging(AccountPaneState::Managing::password); })));
            if (s->managing() == AccountPaneState::Managing::password) {
                auto *form = new QWidget;
                auto *fl = new QVBoxLayout(form);
                fl->setContentsMargins(18, 0, 18, 18);
                fl->setSpacing(12);
                if (account && account->hasPassword())
                    fl->addWidget(
                        field(tr("Current password"), s->password(), true, &AccountPaneState::setPassword, {}));
                fl->addWidget(field(tr("New password (8+ characters)"), s->newPassword(), true,
                                    &AccountPaneState::setNewPassword, {}));
                auto *go = button(s->passwordFormButton(), SettingsButton::Kind::primary, [s] { s->changePassword(); });
                m_updates.append([s, go] { go->setEnabled(s->canChangePassword()); });
                fl->addWidget(go, 0, Qt::AlignLeft);
                manage->add(form);
            }
            manage->addDivider(SettingsRow::textInset());
        }
        const bool deleting = s->managing() == AccountPaneState::Managing::remove;
        manage->add(new SettingsRow(QStringLiteral("edit-delete"), tr("Delete account"), s->deleteRowSubtitle(),
                                    button(s->deleteRowButton(),
                                           deleting ? SettingsButton::Kind::plain : SettingsButton::Kind::danger,
                                           [s] { s->toggleManaging(AccountPaneState::Managing::remove); }),
                                    false, true));
        if (deleting) {
            auto *form = new QWidget;
            auto *fl = new QVBoxLayout(form);
            fl->setContentsMargins(18, 0, 18, 18);
            fl->setSpacing(12);
            if (!s->deviceAccount())
                fl->addWidget(field(s->deleteFieldPlaceholder(), s->password(), s->deleteFieldSecure(),
                                    &AccountPaneState::setPassword, {}));
            auto *go = button(tr("Delete Account Permanently"), SettingsButton::Kind::danger,
                              [s] { s->deleteAccount(); });
            m_updates.append([s, go] { go->setEnabled(s->canDelete()); });
            fl->addWidget(go, 0, Qt::AlignLeft);
            manage->add(form);
        }
        column->addWidget(manage);
    }

    if (!s->message().isEmpty() && !sentShown) {
        auto *line = text((s->failed() ? QStringLiteral("\u26A0 ") : QStringLiteral("\u2713 ")) + s->message());
        if (s->failed())
            line->setStyleSheet(QStringLiteral("color: #c0392b;"));
        column->addWidget(line);
    }

    auto *footer = new QHBoxLayout;
    footer->setSpacing(14);
    auto link = [](const QString &label, const QUrl &url) {
        auto *l = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>")
                                 .arg(url.toString(QUrl::FullyEncoded).toHtmlEscaped(), label.toHtmlEscaped()));
        l->setTextFormat(Qt::RichText);
        l->setOpenExternalLinks(true);
        return l;
    };
    footer->addWidget(link(tr("Privacy Policy"), privacyUrl()));
    footer->addWidget(link(tr("Terms"), termsUrl()));
    if (account && account->server() != VeltraneAccount::defaultServer()) {
        auto *server = text(tr("Server %1").arg(account->server().toString()), true);
        server->setWordWrap(false);
        footer->addWidget(server);
    }
    footer->addStretch(1);
    column->addLayout(footer);

    m_content->setEnabled(!s->busy());
    m_layout->addWidget(m_content);
    if (!focused.isEmpty()) {
        for (QLineEdit *edit : m_content->findChildren<QLineEdit *>()) {
            if (edit->placeholderText() == focused) {
                edit->setFocus();
                edit->setCursorPosition(cursor);
                break;
            }
        }
    }
    for (const auto &update : std::as_const(m_updates))
        update();
}
