// Every settings pane, the statistics sheet and its trend render over fixture data in both
// languages: each picture is written as a PNG, has the view's size and is not blank.
#include "SettingsGallery.h"
#include "TestMain.h"

#include <QApplication>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

class SettingsGalleryTest : public QObject {
    Q_OBJECT
private slots:
    void renders_data();
    void renders();
    void unknownView();
};

void SettingsGalleryTest::renders_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<bool>("korean");
    for (const QString &view : vt::test::settingsGalleryViews()) {
        QTest::addRow("%s ko", qPrintable(view)) << view << true;
        QTest::addRow("%s en", qPrintable(view)) << view << false;
    }
}

void SettingsGalleryTest::renders()
{
    QFETCH(QString, view);
    QFETCH(bool, korean);
    static QTemporaryDir dir(qEnvironmentVariable("VT_GALLERY_OUT", QDir::tempPath()) + "/settings-gallery-XXXXXX");
    if (qEnvironmentVariableIsSet("VT_GALLERY_OUT"))
        dir.setAutoRemove(false);
    const QImage image = vt::test::renderSettingsView(view, korean);
    QVERIFY(!image.isNull());
    QVERIFY(image.width() >= 400 && image.height() >= 100);
    if (view.startsWith("settings-"))
        QCOMPARE(image.size() / image.devicePixelRatio(), QSize(860, 640));
    // Something is drawn: many distinct colours, not one fill.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    QVERIFY2(colours.size() > 8, qPrintable(QString::number(colours.size())));
    const QString path = dir.filePath(view + (korean ? "-ko.png" : "-en.png"));
    QVERIFY(image.save(path));
    QImageReader reader(path);
    QCOMPARE(reader.size(), image.size());
}

void SettingsGalleryTest::unknownView()
{
    QVERIFY(vt::test::renderSettingsView("no-such-view", false).isNull());
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QApplication app(argc, argv);
    SettingsGalleryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings_gallery.moc"
