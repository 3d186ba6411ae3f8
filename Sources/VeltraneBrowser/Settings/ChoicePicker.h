#pragma once
// A row of segments, one per choice; the segment of the current value is checked. Picking a
// segment reports its value; the pane decides whether to write it.

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

private:
    QList<PaneChoice> m_choices;
    qint64 m_current = 0;
    QButtonGroup *m_group;
    QHBoxLayout *m_layout;
};
