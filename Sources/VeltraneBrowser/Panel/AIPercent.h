#pragma once
// An AI probability as the panel shows, compares and colours it: a whole percent, rounded half
// away from zero (0.795 is 80, so a comment shown at 80% is flagged at threshold 80). Values read
// from the store or a page may be broken: NaN counts as absent, anything else is clamped to 0..1.

#include <QtGlobal>

#include <optional>

class AIPercent {
public:
    AIPercent() = delete;

    // The probability fit to use: none for NaN, otherwise clamped to 0..1 (infinities included).
    static std::optional<double> clean(std::optional<double> prob);
    // The whole percent of a probability (cleaned first; a NaN gives 0).
    static int of(double prob);
    // The percent the panel filters, sorts and colours by: 100 when there is no probability.
    static int orFull(std::optional<double> prob);
    // A like count fit to show as a whole number: NaN and negative counts are absent, the fraction
    // is dropped and huge counts are capped.
    static std::optional<qint64> likes(std::optional<double> count);
};
