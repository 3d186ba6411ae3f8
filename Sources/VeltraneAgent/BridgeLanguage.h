#pragma once
// The language of the bridge's own texts: the application's rule, so that an agent hears the
// language the window speaks. A set VT_LANG decides alone (Korean when it begins with "ko"; the
// agent setup box passes the running application's), otherwise the user's first preferred
// language. The Korean texts are the application's, compiled into the bridge as well.

#include <QStringList>

#include <optional>

class BridgeLanguage {
public:
    BridgeLanguage() = delete;

    static bool decide(const std::optional<QString> &vtLang, const QStringList &preferredLanguages);
    // The decision for this process's environment.
    static bool korean();
    // Installs the Korean texts when the decision is Korean; call once the application object exists.
    static void install();
};
