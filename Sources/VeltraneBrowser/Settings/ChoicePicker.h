#pragma once
// A row of segments, one per choice; the segment of the current value is checked and drawn in the
// theme's accent, so it stands out from the others. Picking a segment reports its value; the pane
// decides whether to write it.
//
// Keyboard: the picker is one stop of the Tab chain (its checked segment, which also takes the
// picker's own focus); the arrow keys, Home and End pick the neighbouring, first or last choice.

#include "Settings/PaneChoice.h"

#include <QWidget>

class QButtonGroup;
class QHBoxLayout;

class ChoicePicker : public QWidget {
    Q_OBJECT
public:
    ChoicePicker(const QString &name, int width, QWidget *parent = nullptr);

    void setChoices(const QList<PaneChoice> &choices, qint64 current);
    QList<PaneChoice> choices() const { return m_choices; }
    qint64 current() const { return m_current; }
    QStringList labels() const;

signals:
    void picked(qint64 value);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *) override;

private:
    // Only the checked segment takes focus from Tab; the picker hands its focus on to it.
    void syncFocus();
    void pickAt(int index);

    QList<PaneChoice> m_choices;
    qint64 m_current = 0;
    QButtonGroup *m_group;
    QHBoxLayout *m_layout;
};
