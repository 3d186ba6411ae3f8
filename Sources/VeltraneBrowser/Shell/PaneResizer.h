#pragma once
// An invisible 12-point drag handle between two panes. A drag starts from the width as shown
// (already clamped) and writes every step, clamped to the range, into its settings key.

#include <QWidget>

#include <functional>
#include <optional>

class AppSettings;

class PaneResizer : public QWidget {
    Q_OBJECT
public:
    struct Range {
        double lower;
        double upper;
    };
    // One step of a drag: translation is the pointer's horizontal travel since the drag began,
    // negated for a pane that grows to the left.
    static double dragged(double start, double translation, bool growsLeft, Range range);

    // key: the settings key the width is stored under; shown and range are asked at the drag's start
    // and at every step (the window may change them).
    PaneResizer(AppSettings *settings, const QString &key, bool growsLeft, QWidget *parent = nullptr);

    std::function<double()> shown;
    std::function<Range()> range;

    bool dragging() const { return m_start.has_value(); }

signals:
    void widthChanged(double width);

protected:
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;

private:
    AppSettings *m_settings;
    QString m_key;
    bool m_growsLeft;
    std::optional<double> m_start;
    double m_pressX = 0;
};
