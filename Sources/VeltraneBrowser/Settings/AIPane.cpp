#include "Settings/AIPane.h"

#include "Dashboard/ScaledFont.h"
#include "Scan/SpamModel.h"
#include "Service/VeltraneAccount.h"
#include "Settings/BrandSwitch.h"
#include "Settings/PaneContent.h"
#include "Settings/SettingsButton.h"
#include "Settings/SettingsCard.h"
#include "Settings/SettingsRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QString pick(bool korean, const char *ko, const char *en)
{
    return korean ? QString::fromUtf8(ko) : QString::fromUtf8(en);
}

QLabel *plainLabel(const QString &text, bool wrap = true)
{
    auto *l = new QLabel(text);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(wrap);
    return l;
}

} // namespace

AIPane::AIPane(SpamModel *model, VeltraneAccount *account, bool korean, QWidget *parent)
    : QWidget(parent), m_model(model), m_account(account), m_korean(korean)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    for (auto signal : {&SpamModel::aiOnChanged, &SpamModel::aiAbuseChanged, &SpamModel::aiSexualChanged})
        connect(model, signal, this, &AIPane::rebuild, Qt::QueuedConnection);
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

QString AIPane::subtitle(bool aiOn, bool korean)
{
    return aiOn ? pick(korean, "AI가 댓글에서 스팸·욕설·성적 표현을 찾습니다.",
                       "The AI finds spam, abuse and sexual content in your comments.")
                : pick(korean, "꺼져 있습니다. 키워드 규칙으로만 검사합니다.", "Off. Only the keyword rules are used.");
}

QString AIPane::consentNote(bool korean)
{
    const QString name = QStringLiteral("Glimora");
    return korean ? QStringLiteral("AI 검사를 켜면 댓글 본문이 ") + name
            + QStringLiteral(" 서버를 거쳐 외부 AI(Quorant)로 전송됩니다. 서버는 저장하지 않으며 키워드는 보내지 않습니다.")
                  : QStringLiteral("With the AI check on, comment text is sent through the ") + name
            + QStringLiteral(" server to an external AI (Quorant). The server does not store it, and your keywords are "
                             "not sent.");
}

void AIPane::rebuild()
{
    if (!m_model)
        return;
    QVBoxLayout *column = PaneContent::renew(this, m_layout, m_content);
    const bool on = m_model->aiOn();

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
    auto *title = plainLabel(pick(m_korean, "AI 검사", "AI check"), false);
    QFont tf = title->font();
    tf = ScaledFont::of(tf, 1.3);
    tf.setWeight(QFont::DemiBold);
    title->setFont(tf);
    texts->addWidget(title);
    texts->addWidget(plainLabel(subtitle(on, m_korean)));
    sr->addLayout(texts, 1);
    auto *mainSwitch = new BrandSwitch(pick(m_korean, "AI 검사", "AI check"), true, m_korean);
    mainSwitch->setChecked(on);
    connect(mainSwitch, &BrandSwitch::toggled, m_model, &SpamModel::setAIOn);
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
            pr->addWidget(plainLabel(pick(m_korean, "고유번호를 받지 못했습니다. 인터넷 연결을 확인해 주세요.",
                                          "Couldn't get your number. Check the internet connection.")),
                          1);
            auto *retry = new SettingsButton(pick(m_korean, "다시 시도", "Try again"), SettingsButton::Kind::primary);
            QPointer<VeltraneAccount> account = m_account;
            connect(retry, &QPushButton::clicked, this, [account] {
                if (account)
                    account->refresh(true);
            });
            pr->addWidget(retry);
        } else {
            pr->addWidget(plainLabel(pick(m_korean, "로그인해야 AI 검사가 실행됩니다.", "Sign in to run the AI check.")), 1);
            auto *signIn = new SettingsButton(pick(m_korean, "로그인하기", "Sign in"), SettingsButton::Kind::primary);
            connect(signIn, &QPushButton::clicked, this, &AIPane::openAccount);
            pr->addWidget(signIn);
        }
        mainLayout->addWidget(promptRow);
    }
    column->addWidget(main);

    // Kinds card: dimmed and fixed while the check is off; the switches keep their values.
    auto *kinds = new SettingsCard(pick(m_korean, "찾을 항목", "What to look for"));
    auto *always = plainLabel(pick(m_korean, "항상", "Always"), false);
    always->setForegroundRole(QPalette::PlaceholderText);
    kinds->add(new SettingsRow(QStringLiteral("mail-mark-junk"), pick(m_korean, "스팸", "Spam"),
                               pick(m_korean, "광고, 사기, 연락·링크 유도", "Ads, scams, lures to contact someone or open a link"),
                               always));
    kinds->addDivider(64);
    auto *abuse = new BrandSwitch(pick(m_korean, "욕설·비방", "Abuse"), false, m_korean);
    abuse->setChecked(m_model->aiAbuse());
    connect(abuse, &BrandSwitch::toggled, m_model, &SpamModel::setAIAbuse);
    kinds->add(new SettingsRow(QStringLiteral("dialog-warning"), pick(m_korean, "욕설·비방", "Abuse"),
                               pick(m_korean, "사람을 향한 욕설과 비하", "Insults and harassment aimed at people"), abuse));
    kinds->addDivider(64);
    auto *sexual = new BrandSwitch(pick(m_korean, "성적 표현", "Sexual content"), false, m_korean);
    sexual->setChecked(m_model->aiSexual());
    connect(sexual, &BrandSwitch::toggled, m_model, &SpamModel::setAISexual);
    kinds->add(new SettingsRow(QStringLiteral("view-hidden"), pick(m_korean, "성적 표현", "Sexual content"),
                               pick(m_korean, "성적인 말과 노골적인 내용", "Sexual remarks and explicit content"), sexual));
    kinds->setEnabled(on);
    column->addWidget(kinds);

    auto *note = plainLabel(consentNote(m_korean));
    note->setForegroundRole(QPalette::PlaceholderText);
    column->addWidget(note);
    m_layout->addWidget(m_content);
}
