#pragma once
// The owner's settings ("vt." keys), one row each in one table: the key, its stored name, its
// type and default, the check a value must pass and the effect a set has elsewhere. They are read
// once, each through its check, and every later change is written back at once. A value that
// fails its check is ignored and left in the file; "vt.threshold" is only read.
//
//   settings.set(OwnerSettings::Key::keepDays, 90);   // false: refused, nothing stored
//   connect(&settings, &OwnerSettings::changed, this, [](OwnerSettings::Key key) { ... });
//
// changed(key) follows a set that changed the value. What a set does elsewhere (re-judging the
// open page, purging the history, asking for notifications) is announced by applied(effect) after
// the value is written, also when it did not change, so that the effect runs on every set as the
// owner expects.

#include "Rules/SortKey.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>
#include <vector>

class AppSettings;

class OwnerSettings : public QObject {
    Q_OBJECT

public:
    // In the order they are read: the answer to the consent question before the AI check, whose
    // stored "on" overrides it.
    enum class Key {
        aiConsent,
        aiOn,
        aiAbuse,
        aiSexual,
        aiKeepPraise,
        threshold,
        keywords,
        builtinWords,
        limit,
        postLimit,
        noLikesOnly,
        minLikes,
        sort,
        keepDays,
        storeText,
        flagKnownSpammers,
        skipUnchanged,
        scanOnOpen,
        autoScanHours,
    };
    Q_ENUM(Key)

    // How a value is kept in the file and in memory.
    enum class Type {
        boolean,   // bool
        number,    // int
        words,     // QStringList, strings only
        sortKey,   // a SortKey's raw value as a QString
    };

    enum class Storage {
        onSet,      // written on each set (reading sets what it takes)
        always,     // the same, and the default is written at start when the key is absent
        readOnly,   // taken from the file, never written; set() refuses it
    };

    // What a set sets off elsewhere, announced by applied() after every set of its rows.
    enum class Effect {
        none,
        consent,         // turning it on counts as consent ("vt.aiConsent"); kept here, not announced
        words,           // the open page is judged again
        sort,            // the open page is ordered again
        keepDays,        // the history is purged to the retention
        storeText,       // the history keeps comment texts or not
        notifications,   // announced only when the value leaves 0: permission is asked for
    };
    Q_ENUM(Effect)

    struct Row {
        Key key;
        QString name;   // the stored name, "vt.x"
        Type type;
        QVariant fallback;   // the default; none for an unanswered question
        // The value taken for one of the row's type; none refuses it. May adjust it (a negative
        // limit is taken as 0).
        std::function<std::optional<QVariant>(const QVariant &)> check;
        Storage storage = Storage::onSet;
        Effect effect = Effect::none;
    };

    // Every setting, in Key order.
    static const std::vector<Row> &rows();
    static const Row &row(Key key);
    static std::optional<Key> keyOf(const QString &name);

    static const QList<int> &postLimitPresets();   // 3, 5, 10, 20
    static const QList<int> &keepDaysPresets();    // 30, 90, 180, 365
    static const QList<int> &autoScanPresets();    // 0, 1, 6, 24

    // The file must outlive these settings.
    explicit OwnerSettings(AppSettings *file, QObject *parent = nullptr);

    // Reads every key once, in Key order, through set() (so that its effect runs): a value of
    // another type or failing its check is ignored and stays in the file.
    void read();

    // The value in the row's type (none for an unanswered aiConsent).
    QVariant get(Key key) const { return value(key); }
    // Takes a value of the row's type that passes its check, writes it back and runs the row's
    // effect; false, with nothing stored, for anything else and for a read-only row.
    bool set(Key key, const QVariant &value);

    bool scanOnOpen() const { return value(Key::scanOnOpen).toBool(); }
    // Turning the check on counts as consent; turning it off withdraws nothing.
    bool aiOn() const { return value(Key::aiOn).toBool(); }
    // The owner's answer to the consent question, stored under "vt.aiConsent".
    std::optional<bool> aiConsent() const;
    bool aiAbuse() const { return value(Key::aiAbuse).toBool(); }
    bool aiSexual() const { return value(Key::aiSexual).toBool(); }
    bool aiKeepPraise() const { return value(Key::aiKeepPraise).toBool(); }
    int threshold() const { return value(Key::threshold).toInt(); }
    QStringList keywords() const { return value(Key::keywords).toStringList(); }
    bool builtinWords() const { return value(Key::builtinWords).toBool(); }
    qint64 limit() const { return value(Key::limit).toLongLong(); }
    SortKey sort() const { return SortKey::fromRawValue(value(Key::sort).toString()).value_or(SortKey::page); }
    bool noLikesOnly() const { return value(Key::noLikesOnly).toBool(); }
    qint64 minLikes() const { return value(Key::minLikes).toLongLong(); }
    int postLimit() const { return value(Key::postLimit).toInt(); }
    int keepDays() const { return value(Key::keepDays).toInt(); }
    bool storeText() const { return value(Key::storeText).toBool(); }
    bool flagKnownSpammers() const { return value(Key::flagKnownSpammers).toBool(); }
    bool skipUnchanged() const { return value(Key::skipUnchanged).toBool(); }
    int autoScanHours() const { return value(Key::autoScanHours).toInt(); }

    // Every AI category at the one threshold.
    QMap<QString, int> thresholds() const;
    // The optional categories asked: "abuse", then "sexual", when on.
    QStringList aiOptions() const;
    // "spam", the optional categories, then "keepPraise" while abuse is asked; joined by ",".
    QString aiOptionsKey() const;

    // Whether the automatic-scan interval has passed at `now` ("vt.lastAutoScan"); a stored
    // time in the future counts as passed, so a clock set back does not stop the scans.
    bool autoScanTimeDue(const QDateTime &now) const;
    // Keeps `at` as the time of the last automatic run.
    void setLastAutoScan(const QDateTime &at);

signals:
    void changed(OwnerSettings::Key key);
    // After each set of a row with that effect, also when the value did not change.
    void applied(OwnerSettings::Effect effect);

private:
    const QVariant &value(Key key) const { return m_values[std::size_t(key)]; }
    // Writes back, keeps and announces a value that passed its row's check, then runs the effect.
    void take(const Row &row, const QVariant &value);

    AppSettings *m_file = nullptr;
    std::vector<QVariant> m_values;   // by Key
};
