#include "Settings/SettingsTab.h"

#include "Scan/SpamModel.h"
#include "Service/VeltraneAccount.h"

namespace {

QString pick(bool korean, const char *ko, const char *en)
{
    return korean ? QString::fromUtf8(ko) : QString::fromUtf8(en);
}

const QString dot = QStringLiteral(" \u00B7 ");

} // namespace

QList<SettingsTab> SettingsTab::allCases()
{
    return {ai, basic, history, account};
}

std::optional<SettingsTab> SettingsTab::fromRawValue(const QString &raw)
{
    for (const SettingsTab tab : allCases()) {
        if (tab.rawValue() == raw)
            return tab;
    }
    return std::nullopt;
}

QString SettingsTab::rawValue() const
{
    switch (m_value) {
    case ai: return QStringLiteral("ai");
    case basic: return QStringLiteral("basic");
    case history: return QStringLiteral("history");
    case account: return QStringLiteral("account");
    }
    return {};
}

QString SettingsTab::label(bool korean) const
{
    switch (m_value) {
    case ai: return pick(korean, "AI 검사", "AI Check");
    case basic: return pick(korean, "수집\u00B7규칙", "Collecting & rules");
    case history: return pick(korean, "기록", "History");
    case account: return pick(korean, "계정", "Account");
    }
    return {};
}

QString SettingsTab::subtitle(bool korean) const
{
    switch (m_value) {
    case ai: return pick(korean, "AI가 찾아낼 댓글 유형을 정하세요.", "Choose the types of comments AI should find.");
    case basic:
        return pick(korean, "수집 범위와 나만의 키워드 규칙을 관리하세요.",
                    "Manage collection limits and your keyword rules.");
    case history:
        return pick(korean, "이 컴퓨터에 저장하는 기록과 보관 기간을 관리하세요.",
                    "Manage the history stored on this computer and how long to keep it.");
    case account:
        return pick(korean, "AI 검사에 쓰는 서비스 계정을 관리하세요.",
                    "Manage the service account that the AI check uses.");
    }
    return {};
}

QString SettingsTab::iconName() const
{
    switch (m_value) {
    case ai: return QStringLiteral("tools-check-spelling");
    case basic: return QStringLiteral("edit-find");
    case history: return QStringLiteral("document-open-recent");
    case account: return QStringLiteral("user-identity");
    }
    return {};
}

QString SettingsTab::needs(bool korean)
{
    return pick(korean, "로그인 필요", "Sign-in needed");
}

QString SettingsTab::status(SettingsTab tab, const SpamModel &model, const VeltraneAccount &service, bool korean,
                            const QLocale &locale)
{
    switch (tab) {
    case ai:
        if (!model.aiOn())
            return pick(korean, "꺼짐", "Off");
        if (!service.hasToken() && !service.testMode())
            return needs(korean);
        // On by default, but nothing is sent until the owner has agreed.
        if (model.aiConsent() != std::optional<bool>(true))
            return pick(korean, "동의 필요", "Needs your consent");
        return pick(korean, "켜짐", "On");
    case basic: {
        QString line = model.limit() == 0 ? pick(korean, "전체 수집", "Collect all")
                       : korean           ? QStringLiteral("최대 %1개").arg(model.limit())
                                          : QStringLiteral("Up to %1").arg(model.limit());
        if (const qsizetype k = model.keywords().size(); k > 0)
            line += korean ? dot + QStringLiteral("키워드 %1").arg(k) : dot + QStringLiteral("%1 keywords").arg(k);
        return line;
    }
    case history: {
        if (!model.historyNotice().isEmpty())
            return pick(korean, "기록 꺼짐 · 파일을 읽지 못함", "History off · file unreadable");
        const QString m = locale.toString(model.stats().comments);
        return korean ? QStringLiteral("댓글 %1개 · %2일 보관").arg(m).arg(model.keepDays())
                      : QStringLiteral("%1 comments · %2 days").arg(m).arg(model.keepDays());
    }
    case account:
        if (service.fileUnreadable())
            return pick(korean, "계정 파일을 읽지 못함", "Account file unreadable");
        if (!service.hasToken())
            return pick(korean, "로그인 안 됨", "Not signed in");
        if (service.email() && !service.email()->isEmpty())
            return *service.email();
        // A device account: its number when the service gave one.
        if (service.supportCode() && !service.supportCode()->isEmpty())
            return pick(korean, "고유번호 ", "ID ") + *service.supportCode();
        return pick(korean, "이 컴퓨터", "This computer");
    }
    return {};
}

bool SettingsTab::statusStrong(SettingsTab tab, const SpamModel &model, const VeltraneAccount &service)
{
    return tab == ai && model.aiOn() && model.aiConsent() == std::optional<bool>(true) && (service.hasToken() || service.testMode());
}
