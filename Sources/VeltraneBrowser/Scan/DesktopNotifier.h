#pragma once
// Desktop notifications through the freedesktop notification service on the session bus
// (org.freedesktop.Notifications). A notice posted under a key replaces the one shown before under
// that key: the service's id of the last notice is sent back as its replaces_id.
//
//   DesktopNotifier::shared().post("vt.autoscan", title, body);
//   connect(&notifier, &DesktopNotifier::finished, ...);   // the service's answer, or why not
//
// Posting never blocks: the service answers later (or not at all, up to timeoutMs). A notice
// posted under a key while the previous one is still unanswered waits for that answer, so that
// it can replace it; only the newest waiting notice is kept.

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QString>

#include <optional>

class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    static const QString service;   // "org.freedesktop.Notifications"
    static const QString path;      // "/org/freedesktop/Notifications"
    static const QString appName;   // "Veltrane"

    // What became of one notice.
    struct Result {
        QString key;
        bool posted = false;
        uint id = 0;     // the service's id when posted
        QString error;   // why not, when not posted
        bool operator==(const Result &) const = default;
    };

    // The notifier on the desktop's session bus.
    static DesktopNotifier &shared();

    explicit DesktopNotifier(const QDBusConnection &bus, QObject *parent = nullptr);

    // Whether there is a bus to post on at all.
    bool available() const { return m_bus.isConnected(); }
    // Posts a notice under key; the outcome arrives through finished().
    void post(const QString &key, const QString &title, const QString &body);
    // The id the next notice under key replaces (0: none).
    uint shownId(const QString &key) const { return m_shown.value(key); }
    // The last outcome, none before the first.
    const std::optional<Result> &lastResult() const { return m_last; }

    int timeoutMs = 10000;

signals:
    void finished(const DesktopNotifier::Result &result);

private:
    struct Notice {
        QString title;
        QString body;
    };
    void send(const QString &key, const Notice &notice);
    void done(const Result &result);

    QDBusConnection m_bus;
    QHash<QString, uint> m_shown;
    QHash<QString, bool> m_inFlight;
    QHash<QString, Notice> m_waiting;
    std::optional<Result> m_last;
};
