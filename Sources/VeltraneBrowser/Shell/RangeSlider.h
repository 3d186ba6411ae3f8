#pragma once
// A two-thumb slider over whole numbers. The thumbs can meet but never cross; the nearer thumb
// follows a drag, which keeps its thumb for the whole drag. The geometry is public for tests.

#include <QWidget>

#include <optional>

class RangeSlider : public QWidget {
    Q_OBJECT
public:
    explicit RangeSlider(double lo, double hi, QWidget *parent = nullptr);

    double lower() const { return m_lower; }
    double upper() const { return m_upper; }
    void setValues(double lower, double upper);

    // Track length for a control width.
    static double trackLength(double width);
    // Distance from the leading edge to the leading edge of a thumb standing at v.
    static double position(double v, double lo, double hi, double width);
    // The whole value under the pointer position px.
    static double valueAt(double px, double lo, double hi, double width);
    // The thumb a drag takes: true upper, false lower, none when both stand at v.
    static std::optional<bool> choose(double v, double lower, double upper);
    // Applies a drag step to the chosen thumb.
    static void step(double v, bool raising, double &lower, double &upper);
    // "20%–80%".
    static QString accessibleValue(double lower, double upper);

    QSize sizeHint() const override { return {200, 24}; }

signals:
    void valuesChanged(double lower, double upper);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;

private:
    void drag(double px);

    double m_lo;
    double m_hi;
    double m_lower;
    double m_upper;
    std::optional<bool> m_raising;
};
