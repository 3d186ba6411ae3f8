#include "BridgeLanguage.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

bool BridgeLanguage::decide(const std::optional<QString> &vtLang, const QStringList &preferredLanguages)
{
    if (vtLang)
        return vtLang->startsWith(QLatin1String("ko"));
    return !preferredLanguages.isEmpty() && preferredLanguages.first().startsWith(QLatin1String("ko"));
}

bool BridgeLanguage::korean()
{
    std::optional<QString> vtLang;
    if (qEnvironmentVariableIsSet("VT_LANG"))
        vtLang = qEnvironmentVariable("VT_LANG");
    return decide(vtLang, QLocale::system().uiLanguages());
}

void BridgeLanguage::install()
{
    if (!QCoreApplication::instance() || !korean())
        return;
    // Kept for the life of the process.
    static QTranslator translator;
    if (translator.load(QStringLiteral(":/i18n/veltrane_ko.qm")))
        QCoreApplication::installTranslator(&translator);
}
