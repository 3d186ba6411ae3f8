#pragma once
// The owner's settings ("vt." keys): read once, each with its check, and every later change
// written back at once. A value that fails its check is ignored and left in the file;
// "vt.threshold" is only read.
//
// What a change sets off elsewhere (re-judging the open page, purging the history, asking for
// notifications) is announced by a signal after the value is written, also when it did not
// change, so that the effect runs on every set as the owner expects.

#include "Rules/SortKey.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class AppSettings;

class OwnerSettings : public QObject {
    Q_OBJECT

public:
    static const QList<int> &postLimitPresets();    // 3, 5, 10, 20
    static const QList<int> &keepDaysPresets();     // 30, 90, 180, 365
    static const QList<int> &autoScanPresets();     // 0, 1, 6, 24

    // The file must outlive these settings.
    explicit OwnerSettings(AppSettings *file, QObject *parent = nullptr);

    // Reads every key once, in a fixed order, through its setter (so that its effect runs).
    void read();

    bool scanOnOpen() const { return m_scanOnOpen; }
    void setScanOnOpen(bool on);
    bool aiOn() const { return m_aiOn; }
    // Turning the check on counts as consent; turning it off withdraws nothing.
    void setAIOn(bool on);
    std::optional<bool> aiConsent() const { return m_aiConsent; }
    // The owner's answer to the consent question, stored under "vt.aiConsent".
    void setAIConsent(bool agreed);
    bool aiAbuse() const { return m_aiAbuse; }
    void setAIAbuse(bool on);
    bool aiSexual() const { return m_aiSexual; }
    void setAISexual(bool on);
    bool aiKeepPraise() const { return m_aiKeepPraise; }
    void setAIKeepPraise(bool on);
    int threshold() const { return m_threshold; }
    const QStringList &keywords() const { return m_keywords; }
    void setKeywords(const QStringList &words);
    bool builtinWords() const { return m_builtinWords; }
    void setBuiltinWords(bool on);
    qint64 limit() const { return m_limit; }
    void setLimit(qint64 limit);
    SortKey sort() const { return m_sort; }
    void setSort(SortKey key);
    bool noLikesOnly() const { return m_noLikesOnly; }
    void setNoLikesOnly(bool on);
    qint64 minLikes() const { return m_minLikes; }
    void setMinLikes(qint64 likes);
    int postLimit() const { return m_postLimit; }
    void setPostLimit(int count);
    int keepDays() const { return m_keepDays; }
    void setKeepDays(int days);
    bool storeText() const { return m_storeText; }
    void setStoreText(bool on);
    bool flagKnownSpammers() const { return m_flagKnownSpammers; }
    void setFlagKnownSpammers(bool on);
    bool skipUnchanged() const { return m_skipUnchanged; }
    void setSkipUnchanged(bool on);
    int autoScanHours() const { return m_autoScanHours; }
    void setAutoScanHours(int hours);

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
    void scanOnOpenChanged();
    void aiOnChanged();
    void aiAbuseChanged();
    void aiSexualChanged();
    void aiKeepPraiseChanged();
    void keywordsChanged();
    void builtinWordsChanged();
    void limitChanged();
    void sortChanged();
    void noLikesOnlyChanged();
    void minLikesChanged();
    void postLimitChanged();
    void keepDaysChanged();
    void storeTextChanged();
    void flagKnownSpammersChanged();
    void skipUnchangedChanged();
    void autoScanHoursChanged();
    void aiOptionsChanged();

    // The effects, after each set of their key.
    void wordsSet();                  // keywords or the built-in lists
    void sortSet();
    void keepDaysSet(int days);
    void storeTextSet(bool on);
    void notificationsWanted();       // automatic scans turned on from off

private:
    bool store(const QString &key, const QVariant &value);
    template <typename T>
    bool assign(T &field, const T &value, void (OwnerSettings::*changed)());

    AppSettings *m_file = nullptr;
    bool m_scanOnOpen = true;
    bool m_aiOn = true;
    std::optional<bool> m_aiConsent;
    bool m_aiAbuse = true;
    bool m_aiSexual = true;
    bool m_aiKeepPraise = true;
    int m_threshold = 80;
    QStringList m_keywords;
    bool m_builtinWords = true;
    qint64 m_limit = 0;
    SortKey m_sort = SortKey::page;
    bool m_noLikesOnly = false;
    qint64 m_minLikes = 1;
    int m_postLimit = 5;
    int m_keepDays = 180;
    bool m_storeText = true;
    bool m_flagKnownSpammers = true;
    bool m_skipUnchanged = true;
    int m_autoScanHours = 0;
};

template <typename T>
inline bool OwnerSettings::assign(T &field, const T &value, void (OwnerSettings::*changed)())
{
    if (field == value)
        return false;
    field = value;
    emit(this->*changed)();
    return true;
}
