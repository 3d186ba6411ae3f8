#include "Sites/LoginStatus.h"

QString LoginStatus::label() const
{
    switch (m_value) {
    case unknown:
        return tr("Not checked yet");
    case savedSession:
    case signedIn:
        return tr("Signed in");
    case signedOut:
        return tr("Sign-in needed");
    case signingIn:
        return tr("Signing in");
    case verification:
        return tr("Extra verification needed");
    case blocked:
        return tr("In-app sign-in restricted");
    case failed:
        return tr("Connection needs checking");
    }
    return tr("Not checked yet");
}
