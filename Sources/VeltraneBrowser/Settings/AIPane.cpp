#include "Settings/AIPane.h"

#include "Dashboard/ScaledFont.h"
#include "Scan/SpamModel.h"
#include "Service/VeltraneAccount.h"
#include "Settings/BrandSwitch.h"
#include "Settings/PaneContent.h"
#include "Settings/SettingBinder.h"
#include "Settings/SettingsButton.h"
#include "Settings/SettingsCard.h"
#include "Settings/SettingsRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel *plainLabel(const QString &text, bool wrap = true)
{
    auto *l = new QLabel(text);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(wrap);
    return l;
}

}   // namespace

AIPane::AIPane(SpamModel *model, VeltraneAccount *account, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_account(account)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    using Key = OwnerSettings::Key;
    SettingBinder::onChange(this, model->ownerSettings(), {Key::aiOn, Key::aiAbuse, Key::aiSexual},
                            [this] { rebuild(); });
    if (account)
        connect(account, &VeltraneAccount::changed, this, &AIPane::rebuild, Qt::QueuedConnection);
    rebuild();
}

AIPane::Prompt AIPane::prompt(bool aiOn, bool signedIn, bool testMode, bool deviceAccounts)
{
    if (!aiOn || signedIn || testMode)
        return Prompt::none;
    return deviceAccounts ? Prompt::deviceRetry : Prompt::signIn;
}

QString AIPane::subtitle(bool aiOn)
{
    return aiOn ? tr("The AI finds spam, abuse and sexual content in your comments.")
                : tr("Off. Only the keyword rules are used.");
}

QString AIPane::consentNote()
{
    return tr("With the AI check on, comment text is sent through the %1 server to an external AI (Quorant). The "
              "server does not store it, and your keywords are not sent.")
        .arg(QStringLiteral("Glimora"));
}

void AIPane::rebuild()
{
    if (!m_model)
        return;
    QVBoxLayout *column = PaneContent::renew(this, m_layout, m_content);
    OwnerSettings &settings = m_model->ownerSettings();
    using Key = OwnerSettings::Key;
    const bool on = settings.aiOn();

    // Main card.
    auto *main = new QFrame;
    SettingsCard::makeSurface(main);
    auto *mainLayout = new QVBoxLayout(main);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(0);
    auto *switchRow = new QWidget;
    auto *sr = new QHBoxLayout(switchRow);
    sr->setContentsMargins(20, 20, 20, 20);
    sr->setSpacing(16);
    auto *texts = new QVBoxLayout;
    auto *title = plainLabel(tr("AI check"), false);
    QFont tf = title->font();
    tf = ScaledFont::of(tf, 1.3);
    tf.setWeight(QFont::DemiBold);
    title->setFont(tf);
    texts->addWidget(title);
    texts->addWidget(plainLabel(subtitle(on)));
    sr->addLayout(texts, 1);
    auto *mainSwitch = new BrandSwitch(tr("AI check"), true);
    SettingBinder::bindSwitch(mainSwitch, settings, Key::aiOn);
    sr->addWidget(mainSwitch);
    mainLayout->addWidget(switchRow);

    const Prompt p = prompt(on, m_account && m_account->hasToken(), m_account && m_account->testMode(),
                            m_account && m_account->deviceAccounts());
    if (p != Prompt::none) {
        auto *promptRow = new QWidget;
        auto *pr = new QHBoxLayout(promptRow);
        pr->setContentsMargins(20, 12, 20, 12);
        pr->setSpacing(10);
        auto *warn = plainLabel(QStringLiteral("\u26A0"), false);
        warn->setStyleSheet(QStringLiteral("color: #c77d0a;"));
        pr->addWidget(warn);
        if (p == Prompt::deviceRetry) {
            pr->addWidget(plainLabel(tr("Couldn't get your number. Check the internet connection.")), 1);
            auto *retry = new SettingsButton(tr("Try again"), SettingsButton::Kind::primary);
            QPointer<VeltraneAccount> account = m_account;
            connect(retry, &QPushButton::clicked, this, [account] {
                if (account)
                    account->refresh(true);
            });
            pr->addWidget(retry);
        } else {
            pr->addWidget(plainLabel(tr("Sign in to run the AI check.")), 1);
            auto *signIn = new SettingsButton(tr("Sign in"), SettingsButton::Kind::primary);
            connect(signIn, &QPushButton::clicked, this, &AIPane::openAccount);
            pr->addWidget(signIn);
        }
        mainLayout->addWidget(promptRow);
    }
    column->addWidget(main);

    // Kinds card: dimmed and fixed while the check is off; the switches keep their values.
    auto *kinds = new SettingsCard(tr("What to look for"));
    auto *always = plainLabel(tr("Always"), false);
    always->setForegroundRole(QPalette::PlaceholderText);
    kinds->add(new SettingsRow(QStringLiteral("mail-mark-junk"), tr("Spam"),
                               tr("Ads, scams, lures to contact someone or open a link"), always));
    kinds->addDivider(SettingsRow::textInset());
    auto *abuse = new BrandSwitch(tr("Abuse"), false);
    SettingBinder::bindSwitch(abuse, settings, Key::aiAbuse);
    kinds->add(new SettingsRow(QStringLiteral("dialog-warning"), tr("Abuse"),
                               tr("Insults and harassment aimed at people"), abuse));
    kinds->addDivider(SettingsRow::textInset());
    auto *sexual = new BrandSwitch(tr("Sexual content"), false);
    SettingBinder::bindSwitch(sexual, settings, Key::aiSexual);
    kinds->add(new SettingsRow(QStringLiteral("view-hidden"), tr("Sexual content"),
                               tr("Sexual remarks and explicit content"), sexual));
    kinds->setEnabled(on);
    column->addWidget(kinds);

    auto *note = plainLabel(consentNote());
    note->setForegroundRole(QPalette::PlaceholderText);
    column->addWidget(note);
    m_layout->addWidget(m_content);
}
