// The owner's settings alone over a settings file: the table has one row per key; each row takes
// a good value (at start and through set(), written under its stored name, announced once) and
// ignores a bad one, which stays in the file; each effect runs on every set, also one that
// changes nothing.
#include "Base/AppSettings.h"
#include "Scan/OwnerSettings.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaEnum>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Key = OwnerSettings::Key;
using Effect = OwnerSettings::Effect;

namespace {

QJsonValue json(const QVariant &v)
{
    return QJsonValue::fromVariant(v);
}

// A settings file in a temporary folder, written before the settings read it.
class SettingsFile {
public:
    explicit SettingsFile(const QVariantMap &preset = {})
    {
        m_file = std::make_unique<AppSettings>(m_dir.filePath(QStringLiteral("settings.json")));
        for (auto it = preset.begin(); it != preset.end(); ++it)
            m_file->setValue(it.key(), it.value());
    }
    AppSettings *file() { return m_file.get(); }
    // The file as written, member by member.
    QJsonObject stored() const
    {
        QFile f(m_file->filePath());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(f.readAll()).object();
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<AppSettings> m_file;
};

int count(const QSignalSpy &spy, Key key)
{
    int n = 0;
    for (const QList<QVariant> &args : spy)
        n += args.at(0).value<Key>() == key;
    return n;
}

int count(const QSignalSpy &spy, Effect effect)
{
    int n = 0;
    for (const QList<QVariant> &args : spy)
        n += args.at(0).value<Effect>() == effect;
    return n;
}

}   // namespace

class OwnerSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void tableListsEveryKeyOnce();
    void rows_data();
    void rows();
    void effectsOnEverySet_data();
    void effectsOnEverySet();
};

void OwnerSettingsTest::tableListsEveryKeyOnce()
{
    const QMetaEnum keys = QMetaEnum::fromType<Key>();
    QCOMPARE(int(OwnerSettings::rows().size()), keys.keyCount());
    QSet<QString> names;
    for (int i = 0; i < keys.keyCount(); ++i) {
        const Key key = Key(keys.value(i));
        const OwnerSettings::Row &row = OwnerSettings::rows().at(std::size_t(key));
        QCOMPARE(row.key, key);   // in Key order, so that row(key) finds it
        QVERIFY2(row.name == QStringLiteral("vt.") + QLatin1String(keys.key(i)), keys.key(i));
        QCOMPARE(OwnerSettings::keyOf(row.name), std::optional<Key>(key));
        names.insert(row.name);
    }
    QCOMPARE(names.size(), keys.keyCount());
    QCOMPARE(OwnerSettings::keyOf(QStringLiteral("vt.lastAutoScan")), std::nullopt);
}

void OwnerSettingsTest::rows_data()
{
    QTest::addColumn<Key>("key");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("good");   // not the default
    QTest::addColumn<QVariant>("bad");    // of another type or failing the check

    const QVariantList mixed{QStringLiteral("spam"), 3};
    QTest::newRow("aiConsent") << Key::aiConsent << "vt.aiConsent" << QVariant(false) << QVariant("yes");
    QTest::newRow("aiOn") << Key::aiOn << "vt.aiOn" << QVariant(false) << QVariant(1);
    QTest::newRow("aiAbuse") << Key::aiAbuse << "vt.aiAbuse" << QVariant(false) << QVariant("false");
    QTest::newRow("aiSexual") << Key::aiSexual << "vt.aiSexual" << QVariant(false) << QVariant(0);
    QTest::newRow("aiKeepPraise") << Key::aiKeepPraise << "vt.aiKeepPraise" << QVariant(false) << QVariant(2.5);
    QTest::newRow("threshold (read only)") << Key::threshold << "vt.threshold" << QVariant(65) << QVariant(101);
    QTest::newRow("keywords") << Key::keywords << "vt.keywords" << QVariant(QStringList{"b", "a"}) << QVariant(mixed);
    QTest::newRow("builtinWords") << Key::builtinWords << "vt.builtinWords" << QVariant(false) << QVariant("no");
    QTest::newRow("limit") << Key::limit << "vt.limit" << QVariant(300) << QVariant("300");
    QTest::newRow("limit not whole") << Key::limit << "vt.limit" << QVariant(1000) << QVariant(2.5);
    QTest::newRow("postLimit") << Key::postLimit << "vt.postLimit" << QVariant(10) << QVariant(7);
    QTest::newRow("noLikesOnly") << Key::noLikesOnly << "vt.noLikesOnly" << QVariant(true) << QVariant(1);
    QTest::newRow("minLikes") << Key::minLikes << "vt.minLikes" << QVariant(3) << QVariant(0);
    QTest::newRow("sort") << Key::sort << "vt.sort" << QVariant("likes") << QVariant("Likes");
    QTest::newRow("sort as a number") << Key::sort << "vt.sort" << QVariant("ai") << QVariant(4);
    QTest::newRow("keepDays") << Key::keepDays << "vt.keepDays" << QVariant(90) << QVariant(100);
    QTest::newRow("storeText") << Key::storeText << "vt.storeText" << QVariant(false) << QVariant("off");
    QTest::newRow("flagKnownSpammers") << Key::flagKnownSpammers << "vt.flagKnownSpammers" << QVariant(false)
                                       << QVariant(QStringList{"false"});
    QTest::newRow("skipUnchanged") << Key::skipUnchanged << "vt.skipUnchanged" << QVariant(false) << QVariant(0);
    QTest::newRow("scanOnOpen") << Key::scanOnOpen << "vt.scanOnOpen" << QVariant(false) << QVariant("true");
    QTest::newRow("autoScanHours") << Key::autoScanHours << "vt.autoScanHours" << QVariant(6) << QVariant(12);
    QTest::newRow("autoScanHours negative") << Key::autoScanHours << "vt.autoScanHours" << QVariant(24) << QVariant(-1);
}

void OwnerSettingsTest::rows()
{
    QFETCH(Key, key);
    QFETCH(QString, name);
    QFETCH(QVariant, good);
    QFETCH(QVariant, bad);
    const OwnerSettings::Row &row = OwnerSettings::row(key);
    QCOMPARE(row.name, name);
    const bool readOnly = row.storage == OwnerSettings::Storage::readOnly;

    // At start: the bad value is ignored and stays in the file as it was.
    SettingsFile withBad({{name, bad}});
    OwnerSettings settings(withBad.file());
    settings.read();
    QCOMPARE(json(settings.get(key)), json(row.fallback));
    QCOMPARE(withBad.stored().value(name), json(bad));

    // Through set(): refused, nothing stored, nothing announced.
    QSignalSpy changed(&settings, &OwnerSettings::changed);
    QVERIFY(!settings.set(key, bad));
    QCOMPARE(withBad.stored().value(name), json(bad));
    QCOMPARE(count(changed, key), 0);

    // The good value is written under the stored name and announced once; again, not at all.
    QCOMPARE(settings.set(key, good), !readOnly);
    QCOMPARE(withBad.stored().value(name), json(readOnly ? bad : good));
    QCOMPARE(json(settings.get(key)), json(readOnly ? row.fallback : good));
    QCOMPARE(count(changed, key), readOnly ? 0 : 1);
    QCOMPARE(settings.set(key, good), !readOnly);
    QCOMPARE(count(changed, key), readOnly ? 0 : 1);

    // At start: the good value is taken.
    SettingsFile withGood({{name, good}});
    OwnerSettings again(withGood.file());
    again.read();
    QCOMPARE(json(again.get(key)), json(good));
    QCOMPARE(withGood.stored().value(name), json(good));
}

void OwnerSettingsTest::effectsOnEverySet_data()
{
    QTest::addColumn<QVariantMap>("preset");
    QTest::addColumn<Key>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<Effect>("effect");
    QTest::addColumn<int>("runs");   // of `effect` on that set

    // Every value set here is the one already held: the effect still runs, no change is announced.
    QTest::newRow("keywords") << QVariantMap{} << Key::keywords << QVariant(QStringList()) << Effect::words << 1;
    QTest::newRow("built-in words") << QVariantMap{} << Key::builtinWords << QVariant(true) << Effect::words << 1;
    QTest::newRow("sort") << QVariantMap{{"vt.sort", "likes"}} << Key::sort << QVariant("likes") << Effect::sort << 1;
    QTest::newRow("keepDays") << QVariantMap{} << Key::keepDays << QVariant(180) << Effect::keepDays << 1;
    QTest::newRow("storeText") << QVariantMap{{"vt.storeText", false}} << Key::storeText << QVariant(false)
                               << Effect::storeText << 1;
    // Notifications are asked for only when the interval leaves 0.
    QTest::newRow("automatic scans stay off")
        << QVariantMap{} << Key::autoScanHours << QVariant(0) << Effect::notifications << 0;
    QTest::newRow("automatic scans stay on")
        << QVariantMap{{"vt.autoScanHours", 6}} << Key::autoScanHours << QVariant(6) << Effect::notifications << 0;
    QTest::newRow("no effect") << QVariantMap{} << Key::scanOnOpen << QVariant(true) << Effect::none << 0;
}

void OwnerSettingsTest::effectsOnEverySet()
{
    QFETCH(QVariantMap, preset);
    QFETCH(Key, key);
    QFETCH(QVariant, value);
    QFETCH(Effect, effect);
    QFETCH(int, runs);
    SettingsFile file(preset);
    OwnerSettings settings(file.file());
    settings.read();
    QCOMPARE(json(settings.get(key)), json(value));
    QSignalSpy applied(&settings, &OwnerSettings::applied);
    QSignalSpy changed(&settings, &OwnerSettings::changed);
    QVERIFY(settings.set(key, value));
    QCOMPARE(count(applied, effect), runs);
    QCOMPARE(applied.count(), runs);
    QCOMPARE(changed.count(), 0);
    QVERIFY(settings.set(key, value));
    QCOMPARE(applied.count(), 2 * runs);
    QCOMPARE(OwnerSettings::row(key).effect, effect);
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    OwnerSettingsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ownersettings.moc"
