#pragma once
// Pictures of the settings window's panes, the statistics sheet and its trend over fixture data,
// in either language, for the gallery program and the tests. Each call builds its own model, a
// history in a temporary folder and, for the account pane, a local stand-in of the service.
//
//   const QImage image = vt::test::renderSettingsView("settings-history", /*korean*/ true);
//   image.save(dir.filePath("settings-history-ko.png"));

#include <QImage>
#include <QStringList>

namespace vt::test {

// settings-ai, settings-basic, settings-history, settings-account (signed out, the device card),
// settings-account-email (signed out, a code sent), settings-account-signed-in, statistics,
// statistics-empty, trend.
QStringList settingsGalleryViews();
// A null image for a view not in the list.
QImage renderSettingsView(const QString &view, bool korean);

}   // namespace vt::test
