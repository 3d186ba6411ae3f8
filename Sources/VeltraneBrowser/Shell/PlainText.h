#pragma once
// Texts from pages, sites and people are shown as they are, never as markup: labels take
// Qt::PlainText, and tooltips (which Qt reads as markup whenever a text looks like it) take
// toolTip().

#include <QString>

class PlainText {
public:
    PlainText() = delete;

    // A tooltip that shows `text` literally (empty stays empty: no tooltip).
    static QString toolTip(const QString &text);
};
