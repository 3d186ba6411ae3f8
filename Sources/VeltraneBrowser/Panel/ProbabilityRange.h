#pragma once
// The probability band of the Flagged tab: its title and value, the score histogram and a
// two-thumb slider over whole percents.

#include <QList>
#include <QWidget>

class RangeSlider;
class ScoreBars;
class QLabel;

class ProbabilityRange : public QWidget {
    Q_OBJECT
public:
    // "62–100%": each bound truncated to a whole number.
    static QString bandText(double lower, double upper);
    static QString title();
    static QString accessibleName();

    explicit ProbabilityRange(QWidget *parent = nullptr);
    // The band in whole percents (0 to 100) and the scores the histogram shows.
    void setValues(double lower, double upper, const QList<double> &scores);
    double lower() const { return m_lower; }
    double upper() const { return m_upper; }
    RangeSlider *slider() const { return m_slider; }

signals:
    void bandChanged(double lower, double upper);

private:
    QLabel *m_title;
    QLabel *m_value;
    ScoreBars *m_bars;
    RangeSlider *m_slider;
    QList<double> m_scores;
    double m_lower = 0;
    double m_upper = 100;
};
