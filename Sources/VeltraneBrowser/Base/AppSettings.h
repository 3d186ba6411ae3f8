#pragma once
// The application's typed settings in a JSON file, so that a Boolean, an integer, a number, a
// string, a list or a date reads back with the type it was written with. Readers validate the type
// (and optionally the value) and fall back to the caller's default, so a value of the wrong type
// never leaks into the program.
//
//   AppSettings::shared().intValue("vt.threshold", 80, [](int n) { return n >= 10 && n <= 100; });
//   AppSettings::shared().setValue("vt.aiOn", true);     // false when the file could not be written
//
// Keys are flat ("vt.threshold"). Each write goes to disk at once through a temporary file and a
// rename; a failed write leaves the file as it was, and the store goes on from what is on disk.
// (QSettings cannot recover from a failed write within the process, so the file is written here.)
// Several stores on one file (two copies of the application) lose nothing of each other: a write
// takes a lock file beside the settings, reads the file again and changes only its own key, and a
// read notices any write of another store, even one of the same size within the same clock tick.
// A damaged file keeps every member that still parses; the original is copied aside as
// "<file>.corrupt-<time>" before it is rewritten.

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

class AppSettings : public QObject {
    Q_OBJECT
public:
    // The process-wide store at $XDG_CONFIG_HOME/Veltrane/settings.json.
    static AppSettings &shared();
    static QString defaultPath();

    // A store on an explicit file (tests, tools).
    explicit AppSettings(const QString &filePath, QObject *parent = nullptr);
    ~AppSettings() override;

    QString filePath() const;

    bool contains(const QString &key) const;
    QVariant value(const QString &key) const;   // raw; invalid when missing

    bool boolValue(const QString &key, bool def) const;
    // Integers only (a stored 2.5 or "80" is not an integer); `accept` may narrow the range.
    int intValue(const QString &key, int def, const std::function<bool(int)> &accept = {}) const;
    int intValueIn(const QString &key, int def, const QList<int> &allowed) const;
    double doubleValue(const QString &key, double def, const std::function<bool(double)> &accept = {}) const;
    QString stringValue(const QString &key, const QString &def = {}) const;
    // A list whose members are all strings; anything else gives `def`.
    QStringList stringList(const QString &key, const QStringList &def = {}) const;
    std::optional<QDateTime> dateValue(const QString &key) const;

    // Write through at once. Returns false when the file could not be written.
    bool setValue(const QString &key, const QVariant &value);
    bool remove(const QString &key);

    QStringList keys() const;

signals:
    void changed(const QString &key);

private:
    // Which version of the file was read: a write always makes a new file (temporary + rename),
    // and the version read is held open, so its inode number cannot be reused by a later one.
    struct Stamp {
        qint64 device = -1;
        qint64 inode = -1;
        qint64 size = -1;
        qint64 modifiedNs = -1;
        qint64 changedNs = -1;
        bool operator==(const Stamp &) const = default;
    };
    void reload() const;
    void reloadIfChanged() const;
    // Read-modify-write of one key under the lock; `value` none removes it.
    bool update(const QString &key, const std::optional<QVariant> &value);
    bool write(const QVariantMap &values);
    // Keeps `fd` (the version just read) open in place of the previous one; -1 holds none.
    void hold(int fd) const;
    static Stamp stampOf(int fd);                // none when the descriptor is not open
    static Stamp stampOf(const QString &path);   // none when the file does not exist

    QString m_path;
    mutable QVariantMap m_values;
    mutable Stamp m_stamp;
    mutable int m_held = -1;            // descriptor of the version read, or -1 when there was none
    mutable QByteArray m_damagedSeen;   // hash of the damaged bytes already copied aside
};
