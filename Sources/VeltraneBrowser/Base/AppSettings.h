#pragma once
// The application's typed settings in a JSON file, so that a Boolean, an integer, a number, a
// string, a list or a date reads back with the type it was written with. Readers validate the type
// (and optionally the value) and fall back to the caller's default, so a value of the wrong type
// never leaks into the program.
//
//   AppSettings::shared().intValue("vt.threshold", 80, [](int n) { return n >= 10 && n <= 100; });
//   AppSettings::shared().setValue("vt.aiOn", true);     // false when the file could not be written
//
// Keys are flat ("vt.threshold"). Each write goes to disk at once, whole, through a temporary file
// and a rename; a failed write leaves the file and the stored values as they were. (QSettings cannot
// recover from a failed write within the process, so the file is written here.)
// A damaged file keeps every member that still parses; the original is copied aside as
// "<file>.corrupt-<time>" before it is rewritten. Stores on the same file see each other's writes.

#include <QDateTime>
#include <QObject>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
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
    QVariant value(const QString &key) const;          // raw; invalid when missing

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
    struct Stamp {
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const Stamp &) const = default;
    };
    void reload() const;
    void reloadIfChanged() const;
    bool write(const QVariantMap &values);

    QString m_path;
    mutable QVariantMap m_values;
    mutable Stamp m_stamp;
};
