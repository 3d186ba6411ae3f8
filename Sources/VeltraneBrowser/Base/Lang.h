#pragma once
// The interface language of the run: Korean or English, chosen once per process.
//
// Texts are written in English with tr() / QCoreApplication::translate(); the Korean ones live in
// Translations/veltrane_ko.ts, compiled into the program. The Korean translator is installed as
// soon as the application object exists (and whenever use() switches the language).
//
//   Lang::system()               true for Korean; decided on first use
//   Lang::use(korean)            switches the run's language (tests that check both languages)
//   localizedSiteMessage(m)      the text of a page script's message code (Base/SiteMessage)

#include <QString>
#include <QStringList>

#include <optional>

class Lang {
public:
    Lang() = delete;

    // True when the interface is Korean. Thread-safe; the first caller decides.
    static bool system();
    // Makes the run's language Korean or English and installs the matching translator. Only for
    // a process that checks both languages; call it on the GUI thread with no job running.
    static void use(bool korean);
    // Installs the translator of the run's language; done by itself when the application object
    // is made.
    static void installTranslator();


    // The decision rule itself, without touching the environment:
    // a set VT_LANG (even empty) decides alone (Korean when it begins with "ko");
    // otherwise the first preferred language decides, "en" when there is none.
    static bool decide(const std::optional<QString> &vtLang, const QStringList &preferredLanguages);
};

// The text of a message that a page script sent (a code, see Base/SiteMessage.h) in the run's
// language; a text that is no code is returned as it is.
QString localizedSiteMessage(const QString &message);
// The same, always in English (for the run log).
QString englishSiteMessage(const QString &message);
// Whether a text is one of the page scripts' known messages.
bool isSiteMessage(const QString &message);
