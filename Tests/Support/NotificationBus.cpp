#include "NotificationBus.h"

#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QUuid>

namespace vt::test {

uint NotificationService::Notify(const QString &app, uint replaces, const QString &, const QString &title,
                                 const QString &body, const QStringList &, const QVariantMap &, int)
{
    const ShownNotice notice{app, replaces, title, body};
    calls.append(notice);
    uint id = replaces;
    if (!m_shown.contains(id))
        id = ++m_next;
    m_shown.insert(id, notice);
    emit notified();
    return id;
}

QStringList NotificationService::GetCapabilities()
{
    return {QStringLiteral("body")};
}

void NotificationService::CloseNotification(uint id)
{
    m_shown.remove(id);
}

NotificationBus::~NotificationBus()
{
    if (!m_serviceName.isEmpty())
        QDBusConnection::disconnectFromBus(m_serviceName);
    if (!m_clientName.isEmpty())
        QDBusConnection::disconnectFromBus(m_clientName);
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(10000))
            m_daemon.kill();
        m_daemon.waitForFinished(10000);
    }
}

bool NotificationBus::start(bool withService)
{
    m_daemon.setProgram(QStringLiteral("dbus-daemon"));
    m_daemon.setArguments({QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    m_daemon.start();
    if (!m_daemon.waitForStarted(30000)) {
        m_error = QStringLiteral("dbus-daemon did not start: ") + m_daemon.errorString();
        return false;
    }
    QDeadlineTimer deadline(30000);
    QByteArray out;
    while (!out.contains('\n') && !deadline.hasExpired() && m_daemon.state() == QProcess::Running) {
        m_daemon.waitForReadyRead(1000);
        out += m_daemon.readAllStandardOutput();
    }
    m_address = QString::fromUtf8(out).trimmed();
    if (m_address.isEmpty()) {
        m_error = QStringLiteral("dbus-daemon printed no address: ")
            + QString::fromUtf8(m_daemon.readAllStandardError());
        return false;
    }
    if (!withService)
        return true;
    m_serviceName = QStringLiteral("vt-test-notifications-") + QUuid::createUuid().toString(QUuid::Id128);
    QDBusConnection bus = QDBusConnection::connectToBus(m_address, m_serviceName);
    if (!bus.isConnected()) {
        m_error = QStringLiteral("cannot connect to the test bus: ") + bus.lastError().message();
        return false;
    }
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &m_service,
                            QDBusConnection::ExportAllSlots)
        || !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        m_error = QStringLiteral("cannot register the stand-in service: ") + bus.lastError().message();
        return false;
    }
    return true;
}

QDBusConnection NotificationBus::client()
{
    if (m_clientName.isEmpty())
        m_clientName = QStringLiteral("vt-test-client-") + QUuid::createUuid().toString(QUuid::Id128);
    return QDBusConnection::connectToBus(m_address, m_clientName);
}

}   // namespace vt::test
