#include "Base/Lang.h"

#include "Base/SiteMessage.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <QtGlobal>

#include <atomic>
#include <memory>

bool Lang::decide(const std::optional<QString> &vtLang, const QStringList &preferredLanguages)
{
    if (vtLang)
        return vtLang->startsWith(QLatin1String("ko"));
    // No application bundle localisations on this platform: the user's preferred languages decide.
    const QString first = preferredLanguages.isEmpty() ? QStringLiteral("en") : preferredLanguages.first();
    return first.startsWith(QLatin1String("ko"));
}

namespace {

// -1 until decided, then 1 for Korean and 0 for English.
std::atomic<int> chosen{-1};

std::unique_ptr<QTranslator> &installed()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

}   // namespace

bool Lang::system()
{
    int now = chosen.load(std::memory_order_acquire);
    if (now < 0) {
        std::optional<QString> vtLang;
        if (qEnvironmentVariableIsSet("VT_LANG"))
            vtLang = qEnvironmentVariable("VT_LANG");
        int expected = -1;
        chosen.compare_exchange_strong(expected, decide(vtLang, QLocale::system().uiLanguages()) ? 1 : 0,
                                       std::memory_order_acq_rel);
        now = chosen.load(std::memory_order_acquire);
    }
    return now == 1;
}

void Lang::use(bool korean)
{
    chosen.store(korean ? 1 : 0, std::memory_order_release);
    installTranslator();
}

void Lang::installTranslator()
{
    if (!QCoreApplication::instance())
        return;
    auto &translator = installed();
    if (translator) {
        QCoreApplication::removeTranslator(translator.get());
        translator.reset();
    }
    // English is the language the texts are written in; its file holds only the plural forms of
    // the texts that count something (%n).
    if (!system()) {
        auto english = std::make_unique<QTranslator>();
        if (english->load(QStringLiteral(":/i18n/veltrane_en.qm"))
            && QCoreApplication::installTranslator(english.get()))
            translator = std::move(english);
        return;
    }
    auto korean = std::make_unique<QTranslator>();
    if (!korean->load(QStringLiteral(":/i18n/veltrane_ko.qm")))
        qWarning("The Korean texts are missing from this build; showing English.");
    else if (QCoreApplication::installTranslator(korean.get()))
        translator = std::move(korean);
}

namespace {
void installAtStart()
{
    Lang::installTranslator();
}
}   // namespace
Q_COREAPP_STARTUP_FUNCTION(installAtStart)

QString localizedSiteMessage(const QString &message)
{
    return SiteMessage::text(message);
}

QString englishSiteMessage(const QString &message)
{
    return SiteMessage::english(message);
}

bool isSiteMessage(const QString &message)
{
    return SiteMessage::isKnown(message);
}
