// Pictures of the review panel's views in both languages: each renders over fixture data, is not
// blank, and is written as PNG to VT_RENDER_DIR (or a temporary folder) to be looked at.
#include "PanelGallery.h"
#include "TestMain.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Renders every view in the process's language into `dir`; false on an empty or blank picture.
bool renderAll(const QString &dir, const QString &lang, QString *why)
{
    for (const QString &view : PanelGallery::views()) {
        const QImage img = PanelGallery::render(view);
        if (img.isNull() || img.width() < 100 || img.height() < 40) {
            *why = view + QStringLiteral(": no picture");
            return false;
        }
        // Something is drawn: more than a handful of colours.
        QSet<QRgb> colours;
        for (int y = 0; y < img.height() && colours.size() < 20; y += 3) {
            for (int x = 0; x < img.width(); x += 3)
                colours.insert(img.pixel(x, y));
        }
        if (colours.size() < 20) {
            *why = view + QStringLiteral(": blank");
            return false;
        }
        if (!img.save(QDir(dir).filePath(QStringLiteral("%1-%2.png").arg(view, lang)))) {
            *why = view + QStringLiteral(": not written");
            return false;
        }
    }
    return true;
}

}   // namespace

class PanelRenderTest : public QObject {
    Q_OBJECT
private slots:
    void english();
    void korean();

private:
    QString folder();
    QTemporaryDir m_tmp;
};

QString PanelRenderTest::folder()
{
    const QString dir = qEnvironmentVariable("VT_RENDER_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        return dir;
    }
    return m_tmp.path();
}

void PanelRenderTest::english()
{
    QString why;
    QVERIFY2(renderAll(folder(), QStringLiteral("en"), &why), qPrintable(why));
}

void PanelRenderTest::korean()
{
    // The language is chosen once per process: Korean renders in a child run of this program.
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VT_LANG"), QStringLiteral("ko"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--render-into"), folder()});
    QVERIFY(child.waitForFinished(300000));
    QVERIFY2(child.exitCode() == 0, child.readAllStandardError().constData());
    for (const QString &view : PanelGallery::views())
        QVERIFY(QFile::exists(QDir(folder()).filePath(QStringLiteral("%1-ko.png").arg(view))));
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    if (argc == 3 && qstrcmp(argv[1], "--render-into") == 0) {
        QApplication app(argc, argv);
        QString why;
        if (!renderAll(QString::fromLocal8Bit(argv[2]), QStringLiteral("ko"), &why)) {
            fprintf(stderr, "%s\n", qPrintable(why));
            return 1;
        }
        return 0;
    }
    qputenv("VT_LANG", "en");
    QApplication app(argc, argv);
    PanelRenderTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_panel_render.moc"
