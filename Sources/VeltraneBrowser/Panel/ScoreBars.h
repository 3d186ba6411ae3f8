#pragma once
// The histogram under the probability range: the AI percents in 20 equal buckets over the
// bounds, each bar split into its total and the part inside the chosen band.

#include <QList>
#include <QWidget>

#include <array>

class ScoreBars : public QWidget {
    Q_OBJECT
public:
    static constexpr int bucketCount = 20;

    struct Buckets {
        std::array<int, bucketCount> total{};
        std::array<int, bucketCount> inBand{};
        int peak = 1;
    };

    // Scores outside the bounds count in the first or the last bucket; NaN scores are left out,
    // and empty or broken bounds leave every bucket empty.
    static Buckets buckets(const QList<double> &scores, double lower, double upper, double lo, double hi);
    // 0 for no score, else at least 3 points.
    static double barHeight(int count, int peak, double available);
    // The percent whose risk colour fills a bucket's in-band part.
    static int topPercent(int index, double lo, double hi);

    explicit ScoreBars(QWidget *parent = nullptr);
    void setValues(const QList<double> &scores, double lower, double upper, double lo = 0, double hi = 100);
    QSize sizeHint() const override { return {300, 24}; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QList<double> m_scores;
    double m_lower = 0;
    double m_upper = 100;
    double m_lo = 0;
    double m_hi = 100;
};
