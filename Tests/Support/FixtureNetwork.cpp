#include "FixtureNetwork.h"

#include "FixtureSite.h"

#include "Base/ImageStore.h"

#include <QNetworkRequest>
#include <QSslConfiguration>

namespace vt::test {

namespace {

FixtureNetwork *sharedNetwork = nullptr;

}   // namespace

FixtureNetwork::FixtureNetwork(FixtureSite &site, QObject *parent)
    : QNetworkAccessManager(parent)
    , m_site(site)
{
}

FixtureNetwork *FixtureNetwork::shared()
{
    return sharedNetwork;
}

FixtureNetwork *FixtureNetwork::installShared(FixtureSite &site)
{
    if (!sharedNetwork)
        sharedNetwork = new FixtureNetwork(site, &site);
    ImageStore::shared().setNetwork(sharedNetwork);
    return sharedNetwork;
}

QNetworkReply *FixtureNetwork::createRequest(Operation op, const QNetworkRequest &request, QIODevice *outgoingData)
{
    const QUrl asked = request.url();
    const QString host = asked.host().toLower();
    if (host != QLatin1String("127.0.0.1") && !FixtureSite::hosts().contains(host))
        m_offsite.append(asked.toString());

    QUrl local = asked;
    local.setScheme(QStringLiteral("https"));
    local.setHost(QStringLiteral("127.0.0.1"));
    local.setPort(m_site.port());
    QNetworkRequest sent = request;
    sent.setUrl(local);
    sent.setRawHeader("Host", host.toUtf8());
    sent.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    // The fixture site's certificate names the hosts it stands in for.
    QSslConfiguration tls = sent.sslConfiguration();
    tls.addCaCertificate(m_site.certificate());
    sent.setSslConfiguration(tls);
    sent.setPeerVerifyName(host);
    return QNetworkAccessManager::createRequest(op, sent, outgoingData);
}

}   // namespace vt::test
