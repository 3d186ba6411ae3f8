#pragma once
// The network of the application's own downloads (the image cache) in programs that run on the
// fixture site: every request goes to the fixture site on 127.0.0.1, under the host name it was
// made for, so thumbnails of i.ytimg.com and the Instagram CDN come from there and nothing
// reaches the internet. A request for a host the fixture site does not stand in for is answered
// 404 there and kept in offsite(), for tests to check.
//
//   FixtureSite::startShared() installs one on ImageStore::shared();
//   QVERIFY(FixtureNetwork::shared()->offsite().isEmpty());

#include <QNetworkAccessManager>
#include <QSslCertificate>
#include <QStringList>

namespace vt::test {

class FixtureSite;

class FixtureNetwork : public QNetworkAccessManager {
    Q_OBJECT
public:
    explicit FixtureNetwork(FixtureSite &site, QObject *parent = nullptr);

    // Addresses asked for on hosts the fixture site does not answer for, in order.
    QStringList offsite() const { return m_offsite; }

    // The one installed on the image cache by FixtureSite::startShared() (null before).
    static FixtureNetwork *shared();
    static FixtureNetwork *installShared(FixtureSite &site);

protected:
    QNetworkReply *createRequest(Operation op, const QNetworkRequest &request, QIODevice *outgoingData) override;

private:
    FixtureSite &m_site;
    QStringList m_offsite;
};

}   // namespace vt::test
