// The typed settings store: values keep their type through the file, values of the wrong
// type fall back to the default, and a damaged file keeps what still parses.
#include "Base/AppSettings.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <csignal>
#include <sys/resource.h>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}   // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    int m_serial = 0;
    // A copy under a fresh name is read from disk by a store that never wrote it.
    QString freshPath() { return m_dir.filePath(QStringLiteral("s%1/settings.json").arg(++m_serial)); }
    QString copyToFresh(const QString &path)
    {
        const QString to = freshPath();
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::copy(path, to);
        return to;
    }

private slots:
    void sharedStoreLivesInTheConfigFolder()
    {
        QCOMPARE(AppSettings::defaultPath(),
                 qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Veltrane/settings.json"));
        QVERIFY(AppSettings::shared().setValue(QStringLiteral("vt.test"), true));
        QVERIFY(QFile::exists(AppSettings::defaultPath()));
        QVERIFY(AppSettings::shared().remove(QStringLiteral("vt.test")));
    }

    void typesSurviveTheFile()
    {
        const QString path = freshPath();
        const QDateTime when = QDateTime::fromString(QStringLiteral("2026-03-04T05:06:07.089Z"), Qt::ISODateWithMs);
        {
            AppSettings s(path);
            QSignalSpy spy(&s, &AppSettings::changed);
            QVERIFY(s.setValue(QStringLiteral("vt.bool"), false));
            QVERIFY(s.setValue(QStringLiteral("vt.int"), 80));
            QVERIFY(s.setValue(QStringLiteral("vt.big"), qint64(1) << 40));
            QVERIFY(s.setValue(QStringLiteral("vt.double"), 0.25));
            QVERIFY(s.setValue(QStringLiteral("vt.string"), QStringLiteral("카지노 true")));
            QVERIFY(s.setValue(QStringLiteral("vt.list"), QStringList{QStringLiteral("a"), QStringLiteral("b")}));
            QVERIFY(s.setValue(QStringLiteral("vt.date"), when));
            QVERIFY(s.setValue(QStringLiteral("vt.gone"), 1));
            QVERIFY(s.remove(QStringLiteral("vt.gone")));
            QCOMPARE(spy.count(), 9);
            QCOMPARE(spy.last().at(0).toString(), QStringLiteral("vt.gone"));
        }
        // Written through: readable from a copy of the file without any further sync.
        AppSettings r(copyToFresh(path));
        QCOMPARE(r.value(QStringLiteral("vt.bool")).typeId(), QMetaType::Bool);
        QCOMPARE(r.boolValue(QStringLiteral("vt.bool"), true), false);
        QCOMPARE(r.intValue(QStringLiteral("vt.int"), 0), 80);
        QCOMPARE(r.value(QStringLiteral("vt.big")).toLongLong(), qint64(1) << 40);
        QCOMPARE(r.doubleValue(QStringLiteral("vt.double"), 0), 0.25);
        QCOMPARE(r.stringValue(QStringLiteral("vt.string")), QStringLiteral("카지노 true"));
        QCOMPARE(r.stringList(QStringLiteral("vt.list")), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(r.dateValue(QStringLiteral("vt.date")), std::optional<QDateTime>(when));
        QVERIFY(!r.contains(QStringLiteral("vt.gone")));
        // The file itself is plain JSON.
        QVERIFY(QJsonDocument::fromJson(readFile(path)).isObject());
    }

    void valuesReadBackAsTheFileKeepsThem_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("read");   // invalid: refused
        QTest::newRow("address") << QVariant(QUrl(QStringLiteral("https://www.youtube.com/watch?v=a")))
                                 << QVariant(QStringLiteral("https://www.youtube.com/watch?v=a"));
        QTest::newRow("bytes") << QVariant(QByteArray("abc")) << QVariant(QStringLiteral("abc"));
        QTest::newRow("list of variants") << QVariant(QVariantList{QStringLiteral("a"), QStringLiteral("b")})
                                          << QVariant(QVariantList{QStringLiteral("a"), QStringLiteral("b")});
        QTest::newRow("not a number") << QVariant(qQNaN()) << QVariant();
        QTest::newRow("infinite") << QVariant(qInf()) << QVariant();
        QTest::newRow("invalid date") << QVariant(QDateTime()) << QVariant();
    }

    void valuesReadBackAsTheFileKeepsThem()
    {
        QFETCH(QVariant, value);
        QFETCH(QVariant, read);
        const QString path = freshPath();
        AppSettings s(path);
        QVERIFY(s.setValue(QStringLiteral("vt.before"), 1));
        QCOMPARE(s.setValue(QStringLiteral("vt.k"), value), read.isValid());
        AppSettings r(copyToFresh(path));
        for (const AppSettings *store : {&s, &r}) {
            QCOMPARE(store->contains(QStringLiteral("vt.k")), read.isValid());
            QCOMPARE(store->value(QStringLiteral("vt.k")), read);
            QCOMPARE(store->intValue(QStringLiteral("vt.before"), 0), 1);
        }
    }

    void twoStoresOnOneFileKeepEachOthersKeys()
    {
        const QString path = freshPath();
        AppSettings a(path);
        AppSettings b(path);
        QVERIFY(a.setValue(QStringLiteral("vt.a"), 1));
        QCOMPARE(b.intValue(QStringLiteral("vt.a"), 0), 1);
        QVERIFY(b.setValue(QStringLiteral("vt.b"), QStringLiteral("a longer value so the size differs")));
        QVERIFY(a.setValue(QStringLiteral("vt.c"), true));
        AppSettings r(copyToFresh(path));
        QStringList keys = r.keys();
        keys.sort();
        QCOMPARE(keys, (QStringList{"vt.a", "vt.b", "vt.c"}));
    }

    void alternatingStoresSeeEveryWrite()
    {
        // Values of one size written within the file time's resolution: only the content tells them apart.
        const QString path = freshPath();
        AppSettings a(path);
        AppSettings b(path);
        for (int i = 0; i < 300; ++i) {
            QVERIFY(a.setValue(QStringLiteral("vt.a"), 1000 + i));
            QCOMPARE(b.intValue(QStringLiteral("vt.a"), 0), 1000 + i);
            QVERIFY(b.setValue(QStringLiteral("vt.b"), 1000 + i));
            QCOMPARE(a.intValue(QStringLiteral("vt.b"), 0), 1000 + i);
        }
        AppSettings r(copyToFresh(path));
        QCOMPARE(r.intValue(QStringLiteral("vt.a"), 0), 1299);
        QCOMPARE(r.intValue(QStringLiteral("vt.b"), 0), 1299);
    }

    void twoCopiesLoseNoWrite()
    {
        const QString path = freshPath();
        QDir().mkpath(QFileInfo(path).absolutePath());
        {
            AppSettings s(path);
            QVERIFY(s.setValue(QStringLiteral("vt.before"), QStringLiteral("kept")));
        }
        const int rounds = 150;
        QList<QProcess *> copies;
        for (const char *tag : {"x", "y"}) {
            auto *p = new QProcess(this);
            p->start(QStringLiteral(VT_BINARY_DIR "/settings_writer"), {path, tag, QString::number(rounds)});
            copies.append(p);
        }
        for (QProcess *p : copies) {
            QByteArray said;
            while (!said.contains("ready")) {
                QVERIFY2(p->waitForReadyRead(60000), said.constData());
                said += p->readAllStandardOutput();
            }
        }
        for (QProcess *p : copies)
            p->write("go\n");
        for (QProcess *p : copies)
            QVERIFY(p->waitForBytesWritten(60000));
        for (QProcess *p : copies) {
            QVERIFY(p->waitForFinished(120000));
            const QByteArray said = p->readAllStandardOutput();
            QVERIFY2(p->exitCode() == 0 && said.contains("done"), (said + p->readAllStandardError()).constData());
        }
        qDeleteAll(copies);

        AppSettings r(copyToFresh(path));
        QCOMPARE(r.stringValue(QStringLiteral("vt.before")), QStringLiteral("kept"));
        for (const QString &tag : {QStringLiteral("vt.x"), QStringLiteral("vt.y")}) {
            QCOMPARE(r.intValue(tag, -1), rounds - 1);
            QStringList lost;
            for (int i = 0; i < rounds; ++i) {
                if (r.intValue(tag + QLatin1Char('.') + QString::number(i), -1) != i)
                    lost.append(QString::number(i));
            }
            QVERIFY2(lost.isEmpty(), qPrintable(tag + QStringLiteral(" lost ") + lost.join(QLatin1Char(' '))));
        }
        // Nothing but the file is left behind (no lock, no temporary file).
        QCOMPARE(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"settings.json"});
    }

    void wrongTypesFallBack_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("reader");
        QTest::newRow("bool as string") << QByteArray("{\"k\": \"true\"}") << "bool";
        QTest::newRow("bool as number") << QByteArray("{\"k\": 1}") << "bool";
        QTest::newRow("int as string") << QByteArray("{\"k\": \"80\"}") << "int";
        QTest::newRow("int as fraction") << QByteArray("{\"k\": 80.5}") << "int";
        QTest::newRow("int as bool") << QByteArray("{\"k\": true}") << "int";
        QTest::newRow("int out of range") << QByteArray("{\"k\": 1e12}") << "int";
        QTest::newRow("int rejected by accept") << QByteArray("{\"k\": 5}") << "int10to100";
        QTest::newRow("int not in the set") << QByteArray("{\"k\": 3}") << "intIn";
        QTest::newRow("double as string") << QByteArray("{\"k\": \"0.5\"}") << "double";
        QTest::newRow("string as number") << QByteArray("{\"k\": 5}") << "string";
        QTest::newRow("string as list") << QByteArray("{\"k\": [\"a\"]}") << "string";
        QTest::newRow("list with a number") << QByteArray("{\"k\": [\"a\", 1]}") << "list";
        QTest::newRow("list as string") << QByteArray("{\"k\": \"a\"}") << "list";
        QTest::newRow("date as plain string") << QByteArray("{\"k\": \"2026-03-04T05:06:07Z\"}") << "date";
        QTest::newRow("date tag not a date") << QByteArray("{\"k\": {\"$date\": \"yesterday\"}}") << "date";
        QTest::newRow("null") << QByteArray("{\"k\": null}") << "bool";
    }

    void wrongTypesFallBack()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, reader);
        const QString path = freshPath();
        QDir().mkpath(QFileInfo(path).absolutePath());
        writeFile(path, json);
        AppSettings s(path);
        const QString k = QStringLiteral("k");
        if (reader == QLatin1String("bool")) {
            QCOMPARE(s.boolValue(k, true), true);
            QCOMPARE(s.boolValue(k, false), false);
        } else if (reader == QLatin1String("int")) {
            QCOMPARE(s.intValue(k, -7), -7);
        } else if (reader == QLatin1String("int10to100")) {
            QCOMPARE(s.intValue(k, 80, [](int n) { return n >= 10 && n <= 100; }), 80);
        } else if (reader == QLatin1String("intIn")) {
            QCOMPARE(s.intValueIn(k, 2, {1, 2, 4}), 2);
        } else if (reader == QLatin1String("double")) {
            QCOMPARE(s.doubleValue(k, 0.75), 0.75);
        } else if (reader == QLatin1String("string")) {
            QCOMPARE(s.stringValue(k, QStringLiteral("def")), QStringLiteral("def"));
        } else if (reader == QLatin1String("list")) {
            QCOMPARE(s.stringList(k, {QStringLiteral("def")}), QStringList{QStringLiteral("def")});
        } else if (reader == QLatin1String("date")) {
            QVERIFY(!s.dateValue(k).has_value());
        }
    }

    void acceptedValuesPass()
    {
        const QString path = freshPath();
        QDir().mkpath(QFileInfo(path).absolutePath());
        writeFile(path, "{\"t\": 40, \"m\": 4, \"w\": 3.0, \"d\": 2}");
        AppSettings s(path);
        QCOMPARE(s.intValue(QStringLiteral("t"), 80, [](int n) { return n >= 10 && n <= 100; }), 40);
        QCOMPARE(s.intValueIn(QStringLiteral("m"), 2, {1, 2, 4}), 4);
        QCOMPARE(s.intValue(QStringLiteral("w"), 0), 3);        // a whole number written as 3.0
        QCOMPARE(s.doubleValue(QStringLiteral("d"), 0), 2.0);   // an integer is a number too
    }

    void failedWriteKeepsTheFile()
    {
        const QString path = freshPath();
        AppSettings s(path);
        QVERIFY(s.setValue(QStringLiteral("vt.keep"), QString(200, QLatin1Char('k'))));
        const QByteArray before = readFile(path);
        // Writes as long as the file fail, as on a full disk (root ignores permissions, not this);
        // the small lock file still fits, so the settings file's own write is what fails.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit tiny = old;
        tiny.rlim_cur = rlim_t(before.size() - 1);
        setrlimit(RLIMIT_FSIZE, &tiny);
        const bool ok = s.setValue(QStringLiteral("vt.more"), 5);
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(!ok);
        QCOMPARE(readFile(path), before);
        QCOMPARE(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"settings.json"});
        // The store goes on from what is on disk.
        QCOMPARE(s.stringValue(QStringLiteral("vt.keep")).size(), 200);
        QVERIFY(s.setValue(QStringLiteral("vt.more"), 6));
        AppSettings r(copyToFresh(path));
        QCOMPARE(r.intValue(QStringLiteral("vt.more"), 0), 6);
        QCOMPARE(r.stringValue(QStringLiteral("vt.keep")).size(), 200);
    }

    void damagedFileKeepsWhatParses_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("truncated") << QByteArray("{\n  \"a\": true,\n  \"b\": 5,\n  \"c\": \"x, }\",\n  \"d\": [1, 2")
                                   << QStringList{"a", "b", "c"};
        QTest::newRow("bad value in the middle")
            << QByteArray("{\"a\": true, \"b\": tru, \"c\": {\"x\": [1, \"]\"]}, \"d\": 3}")
            << QStringList{"a", "c", "d"};
        QTest::newRow("garbage") << QByteArray("\x00\xff garbage", 11) << QStringList{};
        QTest::newRow("not an object") << QByteArray("[1, 2, 3]") << QStringList{};
    }

    void damagedFileKeepsWhatParses()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, kept);
        const QString path = freshPath();
        const QString folder = QFileInfo(path).absolutePath();
        QDir().mkpath(folder);
        writeFile(path, content);

        AppSettings s(path);
        QStringList keys = s.keys();
        keys.sort();
        QCOMPARE(keys, kept);
        // The damaged original is kept aside.
        const QStringList aside = QDir(folder).entryList({QStringLiteral("settings.json.corrupt-*")}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readFile(QDir(folder).filePath(aside.first())), content);

        // The next write rewrites a valid file with the surviving keys.
        QVERIFY(s.setValue(QStringLiteral("vt.new"), 1));
        const QJsonDocument doc = QJsonDocument::fromJson(readFile(path));
        QVERIFY(doc.isObject());
        QStringList written = doc.object().keys();
        written.sort();
        QStringList expected = kept;
        expected << QStringLiteral("vt.new");
        expected.sort();
        QCOMPARE(written, expected);
    }

    // Links planted at the names a damaged file's copy could take are never written through.
    void damagedCopyNeverFollowsALink()
    {
        const QString path = freshPath();
        const QString folder = QFileInfo(path).absolutePath();
        QDir().mkpath(folder);
        const QByteArray content("{\"a\": true, \"b\": tru");
        writeFile(path, content);
        QTemporaryDir outside;
        QStringList targets;
        const QDateTime now = QDateTime::currentDateTimeUtc();
        for (int s = -2; s < 240; ++s) {
            const QString stamp = now.addSecs(s).toString(QStringLiteral("yyyyMMdd-HHmmss"));
            targets << outside.filePath(stamp);
            QVERIFY(QFile::link(targets.last(), path + QStringLiteral(".corrupt-") + stamp));
        }
        AppSettings s(path);
        QCOMPARE(s.keys(), QStringList{"a"});
        for (const QString &target : std::as_const(targets))
            QVERIFY2(!QFileInfo::exists(target), qPrintable(target));
        QStringList copies;
        for (const QFileInfo &f :
             QDir(folder).entryInfoList({QStringLiteral("settings.json.corrupt-*")}, QDir::Files | QDir::System)) {
            if (!f.isSymLink())
                copies << f.filePath();
        }
        QCOMPARE(copies.size(), 1);
        QCOMPARE(readFile(copies.first()), content);
        QCOMPARE(QFileInfo(copies.first()).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
                 QFileDevice::Permissions());
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    SettingsTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_settings.moc"
