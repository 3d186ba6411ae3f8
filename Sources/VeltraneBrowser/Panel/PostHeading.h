#pragma once
// The heading of one post in the comment list: thumbnail, title (its address when it has none)
// and a line of counts.

#include "Scan/ChannelPost.h"

#include <QCoreApplication>
#include <QString>

class PostHeading {
    Q_DECLARE_TR_FUNCTIONS(PostHeading)
public:
    PostHeading() = delete;

    static QString title(const ChannelPost &post);
    // The line of counts, in the run's language.
    static QString summary(const ChannelPost &post);
};
