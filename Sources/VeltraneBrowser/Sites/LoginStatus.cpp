#include "Sites/LoginStatus.h"

#include "Base/Lang.h"

QString LoginStatus::label() const
{
    return label(Lang::system());
}

QString LoginStatus::label(bool korean) const
{
    auto pick = [korean](const char *ko, const char *en) {
        return korean ? QString::fromUtf8(ko) : QString::fromUtf8(en);
    };
    switch (m_value) {
    case unknown: return pick("로그인 확인 전", "Not checked yet");
    case savedSession:
    case signedIn: return pick("로그인됨", "Signed in");
    case signedOut: return pick("로그인 필요", "Sign-in needed");
    case signingIn: return pick("로그인 진행 중", "Signing in");
    case verification: return pick("추가 인증 필요", "Extra verification needed");
    case blocked: return pick("앱 내 로그인 제한", "In-app sign-in restricted");
    case failed: return pick("연결 확인 필요", "Connection needs checking");
    }
    return pick("로그인 확인 전", "Not checked yet");
}
