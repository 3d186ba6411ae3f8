#pragma once
// A private D-Bus session bus for tests, with a stand-in desktop notification service on it.
// The bus is a dbus-daemon started here (never the desktop's bus); the service is an object of
// this process on its own connection to that bus, keeping the notices as a desktop would show
// them: a notice that names a shown id replaces it.
//
//   NotificationBus bus;
//   QVERIFY2(bus.start(), qPrintable(bus.error()));
//   DesktopNotifier notifier(bus.client());
//   bus.service().shown();      // id -> notice on screen now

#include <QDBusConnection>
#include <QList>
#include <QMap>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace vt::test {

struct ShownNotice {
    QString app;
    uint replaces = 0;
    QString title;
    QString body;
    bool operator==(const ShownNotice &) const = default;
};

class NotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    using QObject::QObject;

    // Every Notify call in order, and the notices on screen now by id.
    QList<ShownNotice> calls;
    QMap<uint, ShownNotice> shown() const { return m_shown; }

public slots:
    uint Notify(const QString &app, uint replaces, const QString &icon, const QString &title, const QString &body,
                const QStringList &actions, const QVariantMap &hints, int timeout);
    QStringList GetCapabilities();
    void CloseNotification(uint id);

signals:
    void notified();

private:
    QMap<uint, ShownNotice> m_shown;
    uint m_next = 0;
};

class NotificationBus {
public:
    NotificationBus() = default;
    ~NotificationBus();

    // Starts the bus; with a service unless told not to. False with error() when it could not.
    bool start(bool withService = true);
    QString error() const { return m_error; }
    QString address() const { return m_address; }
    // A connection of its own for the code under test.
    QDBusConnection client();
    NotificationService &service() { return m_service; }

private:
    QProcess m_daemon;
    QString m_address;
    QString m_error;
    QString m_serviceName;
    QString m_clientName;
    NotificationService m_service;
};

}   // namespace vt::test
