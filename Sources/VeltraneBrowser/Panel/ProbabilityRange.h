#pragma once
// The probability band of the Flagged tab: its title and value, the score histogram and a
// two-thumb slider over whole percents.

#include <QList>
#include <QWidget>

class ScoreBars;
class QLabel;

class ProbabilityRange : public QWidget {
    Q_OBJECT
public:
    // "62–100%": each bound truncated to a whole number.
    static QString bandText(double lower, double upper);
    static QString title(bool korean);
    static QString accessibleName(bool korean);

    explicit ProbabilityRange(QWidget *parent = nullptr);
    void setValues(double lower, double upper, const QList<double> &scores, double lo = 0, double hi = 100);
    double lower() const { return m_lower; }
    double upper() const { return m_upper; }

    // A drag step: the thumb nearer to `value` follows it, never crossing the other.
    static void drag(double value, bool moveUpper, double &lower, double &upper);

signals:
    void bandChanged(double lower, double upper);

protected:
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void paintEvent(QPaintEvent *) override;

private:
    QRectF track() const;
    double valueAt(double x) const;
    void update(double value);

    QLabel *m_title;
    QLabel *m_value;
    ScoreBars *m_bars;
    QList<double> m_scores;
    double m_lower = 0;
    double m_upper = 100;
    double m_lo = 0;
    double m_hi = 100;
    bool m_moveUpper = false;
};
