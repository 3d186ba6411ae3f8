#pragma once
// Pictures of the review panel's views over fixture data, in the run's language (VT_LANG), for
// the gallery program and the render test.
//
//   QImage img = PanelGallery::render("panel-rows");

#include <QImage>
#include <QString>
#include <QStringList>

class PanelGallery {
public:
    PanelGallery() = delete;

    // "panel", "panel-rows", "panel-bars", "panel-stage", "panel-log".
    static QStringList views();
    // An empty image for a name that is not a view.
    static QImage render(const QString &view);

    static QImage panel();
    static QImage rows();
    static QImage bars();
    static QImage stage();
    static QImage log();
};
