#pragma once
// Shown in place of the delete bar while a deletion runs: a spinner, the status line, the
// progress over posts when there is more than one, and Stop.

#include <QWidget>

#include <optional>

class QLabel;
class QPushButton;

class PanelProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit PanelProgressBar(QWidget *parent = nullptr);
    void setState(const QString &line, std::optional<double> fraction);
    QString line() const;
    std::optional<double> fraction() const { return m_fraction; }
    QPushButton *stopButton() const { return m_stop; }

signals:
    void stopRequested();

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QLabel *m_line;
    QPushButton *m_stop;
    std::optional<double> m_fraction;
};
