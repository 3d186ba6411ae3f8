#pragma once
// Pictures of the post dock over fixture data, in the run's language (VT_LANG), for the gallery
// program: the whole dock with its header, tiles, actions and discovery status ("dock"), and
// every tile state beside each form of the actions area ("dock-tiles"). Thumbnails come from an
// image cache in a temporary folder filled beforehand: nothing is downloaded.
//
//   QImage img = PostGallery::render("dock");

#include <QImage>
#include <QString>
#include <QStringList>

class PostGallery {
public:
    PostGallery() = delete;

    // "dock", "dock-tiles".
    static QStringList views();
    // An empty image for a name that is not a view.
    static QImage render(const QString &view);

    static QImage dock();
    static QImage tiles();
    static QImage empty();
};
