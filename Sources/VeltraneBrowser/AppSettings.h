#pragma once
// The application's typed settings: a QSettings over a JSON file, so that a Boolean, an integer,
// a number, a string, a list or a date read back with the type it was written with. Readers
// validate the type (and optionally the value) and fall back to the caller's default, so a value
// of the wrong type never leaks into the program.
//
// Keys are flat ("vt.threshold"); each write is synced to disk at once. QSettings writes the file
// through a temporary file and a rename. A corrupt file keeps every member that still parses;
// the unreadable original is copied aside as "<file>.corrupt-<time>" before it is rewritten.

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

    // The QSettings format that reads and writes the JSON file.
    static QSettings::Format jsonFormat();

signals:
    void changed(const QString &key);

private:
    bool sync();
    std::unique_ptr<QSettings> m_settings;
};
