#pragma once
// One post of the owner's channel (SpamEngine::FoundPost), built by the post listing from the
// channel script's objects.

#include <QString>

#include <optional>

struct FoundPost {
    QString url;
    QString title;   // empty when the object had none
    std::optional<QString> thumb;

    bool operator==(const FoundPost &) const = default;
};
