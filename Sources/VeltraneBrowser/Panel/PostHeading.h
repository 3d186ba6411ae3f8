#pragma once
// The heading of one post in the comment list: thumbnail, title (its address when it has none)
// and a line of counts.

#include "Scan/ChannelPost.h"

#include <QString>

class PostHeading {
public:
    PostHeading() = delete;

    static QString title(const ChannelPost &post);
    static QString summary(const ChannelPost &post, bool korean);
};
