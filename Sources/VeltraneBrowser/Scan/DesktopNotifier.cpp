#include "Scan/DesktopNotifier.h"

#include "Base/Lang.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

const QString DesktopNotifier::service = QStringLiteral("org.freedesktop.Notifications");
const QString DesktopNotifier::path = QStringLiteral("/org/freedesktop/Notifications");
const QString DesktopNotifier::appName = QStringLiteral("Veltrane");

DesktopNotifier &DesktopNotifier::shared()
{
    static DesktopNotifier *notifier = new DesktopNotifier(QDBusConnection::sessionBus());
    return *notifier;
}

DesktopNotifier::DesktopNotifier(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
{
}

void DesktopNotifier::post(const QString &key, const QString &title, const QString &body)
{
    if (m_inFlight.value(key)) {
        m_waiting.insert(key, Notice{title, body});
        return;
    }
    send(key, Notice{title, body});
}

void DesktopNotifier::send(const QString &key, const Notice &notice)
{
    if (!m_bus.isConnected()) {
        done(Result{key, false, 0, tr("There is no session bus to post notifications on.")});
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Notify"));
    call << appName << m_shown.value(key) << QString() << notice.title << notice.body << QStringList() << QVariantMap()
         << qint32(-1);
    m_inFlight.insert(key, true);
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, timeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, key, watcher] {
        watcher->deleteLater();
        m_inFlight.remove(key);
        const QDBusPendingReply<uint> reply = *watcher;
        Result result{key, false, 0, {}};
        if (reply.isError()) {
            const QDBusError error = reply.error();
            if (error.type() == QDBusError::ServiceUnknown)
                result.error = tr("No notification service is running; the notice was not shown.");
            else
                result.error =
                    tr("Couldn't post the notice: %1").arg(error.message().isEmpty() ? error.name() : error.message());
        } else {
            result.posted = true;
            result.id = reply.value();
            m_shown.insert(key, result.id);
        }
        done(result);
        if (m_waiting.contains(key))
            send(key, m_waiting.take(key));
    });
}

void DesktopNotifier::done(const Result &result)
{
    m_last = result;
    emit finished(result);
}
