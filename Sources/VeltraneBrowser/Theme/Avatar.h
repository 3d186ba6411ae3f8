#pragma once
// The placeholder of a person's picture: the first letter of the name (after the "@" of a handle)
// in upper case, on a circle whose colour follows from the name, so one author keeps one colour.

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

class Avatar {
public:
    Avatar() = delete;

    // The first letter or digit after trimming "@" from both ends; "?" when there is none.
    static QString initial(const QString &name);
    // One of a few muted hues, the same for the same name; light enough under white letters.
    static QColor colour(const QString &name);
    // The circle and its letter filling `box`.
    static void paint(QPainter &painter, const QRectF &box, const QString &name);
};
