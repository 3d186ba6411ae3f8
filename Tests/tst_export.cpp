// The history CSV: escaping, number and date formats, the file name, and saving a whole history.
#include "Store/ExportJob.h"
#include "Store/ScanExport.h"
#include "StoreTestData.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <cmath>
#include <QDir>
#include <QSignalSpy>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTest>

namespace {

const QString bom = QString(QChar(0xFEFF));
const QString headerLine = QStringLiteral(
    "site,post,comment_id,author,text,state,kind,reason,ai_prob,published_at,like_count,first_seen,last_seen,"
    "deleted_at,gone");

ScanStore::Record record()
{
    ScanStore::Record r;
    r.site = QStringLiteral("youtube");
    r.post = QStringLiteral("https://www.youtube.com/watch?v=abc");
    r.id = QStringLiteral("c1");
    r.author = QStringLiteral("Ann");
    r.text = QStringLiteral("hello");
    r.state = QStringLiteral("spam");
    r.kind = QStringLiteral("spam");
    r.reason = QStringLiteral("link");
    r.firstSeenAt = QDateTime(QDate(2024, 5, 1), QTime(12, 34, 56), QTimeZone::utc());
    r.lastSeenAt = QDateTime(QDate(2024, 5, 2), QTime(0, 0, 1, 900), QTimeZone::utc());
    return r;
}

QStringList fieldsOf(const QString &line)
{
    return line.split(QLatin1Char(','));   // only for lines without quoted commas
}

}   // namespace

class ExportTest : public QObject {
    Q_OBJECT
private slots:
    void emptyListIsHeaderOnly();
    void escaping_data();
    void escaping();
    void numbersAndDates();
    void fileName();
    void savesEveryRow();
    void failedSaveKeepsOldFile();
    void unusableStoreIsAFailure();
    void datesAsQtWritesThem_data();
    void datesAsQtWritesThem();
    void cancelledSaveKeepsEarlierFile_data();
    void cancelledSaveKeepsEarlierFile();
    void jobReportsProgressBesideTheWindow();
    void cancelledJobKeepsEarlierFile();
    void windowWritesDuringTheExportRead_data();
    void windowWritesDuringTheExportRead();

private:
    QTemporaryDir m_dir;
};

void ExportTest::emptyListIsHeaderOnly()
{
    QCOMPARE(ScanExport::columns().size(), 15);
    QCOMPARE(ScanExport::csv({}), bom + headerLine + "\r\n");
}

void ExportTest::escaping_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain") << "hello"
                           << "hello";
    QTest::newRow("quote and comma") << "say \"hi\", ok"
                                     << "\"say \"\"hi\"\", ok\"";
    QTest::newRow("LF") << "a\nb"
                        << "\"a\nb\"";
    QTest::newRow("CR") << "a\rb"
                        << "\"a\rb\"";
    QTest::newRow("CRLF") << "a\r\nb"
                          << "\"a\r\nb\"";
    QTest::newRow("formula") << "=SUM(A1)"
                             << "'=SUM(A1)";
    QTest::newRow("plus") << "+1"
                          << "'+1";
    QTest::newRow("minus") << "-1"
                           << "'-1";
    QTest::newRow("at") << "@cmd"
                        << "'@cmd";
    QTest::newRow("tab") << "\tx"
                         << "'\tx";
    QTest::newRow("leading CR") << "\rx"
                                << "\"'\rx\"";
    QTest::newRow("formula with comma") << "=A1,B1"
                                        << "\"'=A1,B1\"";
    QTest::newRow("formula later") << "a=b"
                                   << "a=b";
    QTest::newRow("empty") << ""
                           << "";
}

void ExportTest::escaping()
{
    QFETCH(QString, text);
    QFETCH(QString, written);
    QCOMPARE(ScanExport::escape(text), written);
    ScanStore::Record r = record();
    r.text = text;
    const QString csv = ScanExport::csv({r});
    QVERIFY(csv.startsWith(bom + headerLine + "\r\n"));
    QVERIFY(csv.endsWith("\r\n"));
    QVERIFY2(csv.contains(",Ann," + written + ",spam,"), qPrintable(csv));
}

void ExportTest::numbersAndDates()
{
    ScanStore::Record r = record();
    r.aiProb = 0.9876;
    r.likeCount = 12;
    r.publishedAt = 1714566896789.0;   // 2024-05-01T12:34:56.789Z
    r.deletedAt = QDateTime(QDate(2024, 5, 3), QTime(8, 0), QTimeZone::utc());
    QStringList fields = fieldsOf(ScanExport::line(r));
    QCOMPARE(fields.size(), 15);
    QCOMPARE(fields.at(8), QStringLiteral("0.988"));
    QCOMPARE(fields.at(9), QStringLiteral("2024-05-01T12:34:56Z"));
    QCOMPARE(fields.at(10), QStringLiteral("12"));
    QCOMPARE(fields.at(11), QStringLiteral("2024-05-01T12:34:56Z"));
    QCOMPARE(fields.at(12), QStringLiteral("2024-05-02T00:00:01Z"));
    QCOMPARE(fields.at(13), QStringLiteral("2024-05-03T08:00:00Z"));
    QCOMPARE(fields.at(14), QString());

    r.aiProb = 1;
    r.likeCount = 12.9;
    fields = fieldsOf(ScanExport::line(r));
    QCOMPARE(fields.at(8), QStringLiteral("1.000"));
    QCOMPARE(fields.at(10), QStringLiteral("12"));

    r.aiProb.reset();
    r.likeCount = -3.7;   // a negative number gets the apostrophe like any leading "-"
    r.publishedAt.reset();
    r.deletedAt.reset();
    fields = fieldsOf(ScanExport::line(r));
    QCOMPARE(fields.at(8), QString());
    QCOMPARE(fields.at(9), QString());
    QCOMPARE(fields.at(10), QStringLiteral("'-3"));
    QCOMPARE(fields.at(13), QString());
    // A comment no longer on its post says how it went.
    r.gone = QStringLiteral("thread");
    QCOMPARE(fieldsOf(ScanExport::line(r)).at(14), QStringLiteral("thread"));

    r.likeCount = qInf();
    QCOMPARE(fieldsOf(ScanExport::line(r)).at(10), QString());
    r.likeCount = 1e20;
    QCOMPARE(fieldsOf(ScanExport::line(r)).at(10), QStringLiteral("100000000000000000000"));
}

void ExportTest::fileName()
{
    QCOMPARE(ScanExport::fileName(QDateTime(QDate(2026, 12, 9), QTime(23, 59))),
             QStringLiteral("veltrane-history-2026-12-09.csv"));
    QCOMPARE(ScanExport::fileName(QDateTime(QDate(2026, 1, 2), QTime(0, 0))),
             QStringLiteral("veltrane-history-2026-01-02.csv"));
}

void ExportTest::savesEveryRow()
{
    // More rows than the 200,000 a list would have held: every one is written.
    ScanStore store(m_dir.filePath("big.sqlite"));
    const int rows = 205000;
    const auto page = vt::test::makePage("c", rows);
    QVERIFY(store.remember("youtube", "https://www.youtube.com/watch?v=abc", page, std::nullopt,
                           QDateTime::currentDateTime()));
    const QString path = m_dir.filePath("history.csv");
    const auto result = ScanExport::save(store, path);
    QVERIFY2(!result.failed, qPrintable(result.message));
    QCOMPARE(result.rows, rows);
    QCOMPARE(result.message, QStringLiteral("Saved to history.csv."));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"
                             "site,post,comment_id,"));
    QCOMPARE(bytes.count("\r\n"), rows + 1);
    // The streamed file equals the text made from the whole list.
    QVERIFY(bytes == ScanExport::csv(store.allComments(rows)).toUtf8());
}

void ExportTest::failedSaveKeepsOldFile()
{
    ScanStore store(m_dir.filePath("small.sqlite"));
    QVERIFY(store.remember("youtube", "https://www.youtube.com/watch?v=abc", vt::test::makePage("c", 3), std::nullopt,
                           QDateTime::currentDateTime()));
    const auto result = ScanExport::save(store, m_dir.filePath("no/such/folder/history.csv"));
    QVERIFY(result.failed);
    QVERIFY2(result.message.startsWith("Couldn't save. "), qPrintable(result.message));
    QCOMPARE(result.message.size() > QStringLiteral("Couldn't save. ").size(), true);
    // The reason travels as data: the owner's line is made from it, not cut out of the message.
    QVERIFY(result.failure);
    QCOMPARE(result.failure->kind, ScanExport::Failure::Kind::write);
    QCOMPARE(result.message, QStringLiteral("Couldn't save. ") + result.failure->reason);
}

void ExportTest::unusableStoreIsAFailure()
{
    QFile junk(m_dir.filePath("junk.sqlite"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(8192, 'x'));
    junk.close();
    ScanStore store(junk.fileName());
    const QString path = m_dir.filePath("empty.csv");
    const auto result = ScanExport::save(store, path);
    QVERIFY(result.failed);   // not a header-only file claimed as the history
    QVERIFY2(result.message.contains("damaged"), qPrintable(result.message));
    QVERIFY(result.failure);
    QVERIFY2(result.failure->kind != ScanExport::Failure::Kind::write, qPrintable(result.failure->reason));
    QVERIFY2(result.failure->reason.contains("damaged"), qPrintable(result.failure->reason));
    QVERIFY(!QFile::exists(path));
}

void ExportTest::datesAsQtWritesThem_data()
{
    QTest::addColumn<QDateTime>("at");
    QTest::newRow("epoch") << QDateTime::fromMSecsSinceEpoch(0, QTimeZone::utc());
    QTest::newRow("leap day, last millisecond")
        << QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59, 999), QTimeZone::utc());
    QTest::newRow("century leap day") << QDateTime(QDate(2000, 2, 29), QTime(12, 0), QTimeZone::utc());
    QTest::newRow("not a leap year") << QDateTime(QDate(2100, 3, 1), QTime(0, 0, 1), QTimeZone::utc());
    QTest::newRow("before 1970") << QDateTime(QDate(1969, 12, 31), QTime(23, 59, 59, 500), QTimeZone::utc());
    QTest::newRow("last second of 9999") << QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), QTimeZone::utc());
    QTest::newRow("year 10000") << QDateTime(QDate(10000, 1, 1), QTime(0, 0), QTimeZone::utc());
    QTest::newRow("local time") << QDateTime(QDate(2026, 7, 1), QTime(9, 30, 15, 250), Qt::LocalTime);
    QTest::newRow("an offset") << QDateTime(QDate(2026, 1, 1), QTime(0, 30), QTimeZone(5 * 3600 + 1800));
}

void ExportTest::datesAsQtWritesThem()
{
    QFETCH(QDateTime, at);
    ScanStore::Record r = record();
    r.firstSeenAt = at;
    r.lastSeenAt = at;
    r.deletedAt = at;
    r.publishedAt = double(at.toMSecsSinceEpoch());
    const QString expected = at.toUTC().toString(Qt::ISODate);
    const QString published = QDateTime::fromMSecsSinceEpoch(qint64(std::floor(double(at.toMSecsSinceEpoch()) / 1000.0))
                                                                 * 1000,
                                                             QTimeZone::utc())
                                  .toUTC()
                                  .toString(Qt::ISODate);
    const QStringList fields = fieldsOf(ScanExport::line(r));
    QCOMPARE(fields.at(9), published);
    QCOMPARE(fields.at(11), expected);
    QCOMPARE(fields.at(12), expected);
    QCOMPARE(fields.at(13), expected);
}

void ExportTest::cancelledSaveKeepsEarlierFile_data()
{
    QTest::addColumn<qint64>("stopAt");   // rows written when the owner cancels
    QTest::newRow("before the first row") << qint64(0);
    QTest::newRow("part way") << ScanExport::progressStep * 2;
}

void ExportTest::cancelledSaveKeepsEarlierFile()
{
    QFETCH(qint64, stopAt);
    QTemporaryDir dir;
    ScanStore store(dir.filePath("history.sqlite"));
    QVERIFY(store.remember("youtube", "https://www.youtube.com/watch?v=abc", vt::test::makePage("c", 9000),
                           std::nullopt, QDateTime::currentDateTime()));
    const QString path = dir.filePath("history.csv");
    QFile earlier(path);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("an earlier export\r\n");
    earlier.close();

    QList<qint64> seen;
    const auto result = ScanExport::save(store, path, [&](qint64 done, qint64 total) {
        seen.append(done);
        return total == 9000 && done < stopAt;
    });
    QVERIFY(result.cancelled);
    QVERIFY(!result.failed);
    QCOMPARE(seen.last(), stopAt);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("an earlier export\r\n"));
    QCOMPARE(QDir(dir.path()).entryList({"*.csv*"}, QDir::Files), QStringList{"history.csv"});   // no partial file
}

void ExportTest::jobReportsProgressBesideTheWindow()
{
    QTemporaryDir dir;
    ScanStore store(dir.filePath("history.sqlite"));
    const int rows = 9000;
    QVERIFY(store.remember("youtube", "https://www.youtube.com/watch?v=abc", vt::test::makePage("c", rows),
                           std::nullopt, QDateTime::currentDateTime()));
    const QString path = dir.filePath("history.csv");
    ExportJob job(&store, path);
    QSignalSpy progress(&job, &ExportJob::progress);
    QSignalSpy finished(&job, &ExportJob::finished);
    job.start();
    QVERIFY(job.running());
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 60000);
    QVERIFY(!job.running());
    const auto result = finished.first().first().value<ScanExport::Result>();
    QVERIFY2(!result.failed && !result.cancelled, qPrintable(result.message));
    QCOMPARE(result.rows, rows);
    // From nothing to every row, never backwards, every row of the total.
    QVERIFY(progress.size() >= 3);
    qint64 last = -1;
    for (const QList<QVariant> &p : progress) {
        QVERIFY(p.at(0).toLongLong() >= last);
        QCOMPARE(p.at(1).toLongLong(), qint64(rows));
        last = p.at(0).toLongLong();
    }
    QCOMPARE(progress.first().at(0).toLongLong(), 0);
    QCOMPARE(last, qint64(rows));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == ScanExport::csv(store.allComments(rows)).toUtf8());
}

void ExportTest::cancelledJobKeepsEarlierFile()
{
    QTemporaryDir dir;
    const QString history = dir.filePath("history.sqlite");
    ScanStore store(history);
    QVERIFY(store.remember("youtube", "https://www.youtube.com/watch?v=abc", vt::test::makePage("c", 5000),
                           std::nullopt, QDateTime::currentDateTime()));
    const QString path = dir.filePath("history.csv");
    QFile earlier(path);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("an earlier export\r\n");
    earlier.close();

    // Another copy holds the file while the export starts, so that the cancel surely comes first.
    vt::test::RawDb other(history);
    QVERIFY(other.exec("BEGIN EXCLUSIVE"));
    ExportJob job(&store, path);
    QSignalSpy finished(&job, &ExportJob::finished);
    job.start();
    job.cancel();
    QVERIFY(other.exec("COMMIT"));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 60000);
    const auto result = finished.first().first().value<ScanExport::Result>();
    QVERIFY(result.cancelled);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("an earlier export\r\n"));
    QCOMPARE(QDir(dir.path()).entryList({"*.csv*"}, QDir::Files), QStringList{"history.csv"});
    // The history itself was never changed by the export's reader.
    QCOMPARE(store.stats().comments, 5000);
}

void ExportTest::windowWritesDuringTheExportRead_data()
{
    QTest::addColumn<QString>("write");
    QTest::newRow("deletion mark") << "deleted";
    QTest::newRow("a scan's comments") << "scan";
    QTest::newRow("a run") << "run";
    QTest::newRow("a scan's whole record") << "record";
}

void ExportTest::windowWritesDuringTheExportRead()
{
    // The export's thread reads a post in one statement; the window writes while that read is
    // under way (here from inside it, where its progress is told), and must neither wait for the
    // read to end nor be refused.
    QFETCH(QString, write);
    QTemporaryDir dir;
    const QString post = QStringLiteral("https://www.youtube.com/watch?v=abc");
    ScanStore window(dir.filePath("history.sqlite"));
    QVERIFY(
        window.remember("youtube", post, vt::test::makePage("c", 5000), std::nullopt, QDateTime::currentDateTime()));
    ScanStore reader(window.path(), ScanStore::Access::readOnly);
    bool wrote = false;
    bool tried = false;
    const ScanExport::Result result = ScanExport::save(reader, dir.filePath("history.csv"), [&](qint64 done, qint64) {
        if (done != ScanExport::progressStep)
            return true;
        tried = true;
        const QDateTime now = QDateTime::currentDateTime();
        if (write == QLatin1String("deleted")) {
            wrote = window.markDeleted(ScanStore::PostKey{"youtube", post}, {"c7"}, now);
        } else if (write == QLatin1String("scan")) {
            wrote = window.remember("youtube", post, vt::test::makePage("n", 300), std::nullopt, now);
        } else if (write == QLatin1String("run")) {
            ScanStore::Run run;
            run.session = "s";
            run.site = "youtube";
            run.post = post;
            run.at = now;
            wrote = window.log(run, {}) != 0;
        } else {
            ScanStore::ScanRecord record;
            record.comments = vt::test::makePage("r", 300);
            record.post.site = "youtube";
            record.post.url = "https://www.youtube.com/watch?v=other";
            record.post.title = "Other";
            record.post.scannedAt = now;
            wrote = window.recordScan(record).stored;
        }
        return true;
    });
    QVERIFY(tried);
    QVERIFY2(wrote, qPrintable(window.lastError()));
    QVERIFY2(!result.failed, qPrintable(result.message));
    QCOMPARE(result.rows, 5000);   // the export shows the history as it was when its read began
    QVERIFY(window.lastError().isEmpty());
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    qputenv("VT_LANG", "en");
    QCoreApplication app(argc, argv);
    ExportTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_export.moc"
