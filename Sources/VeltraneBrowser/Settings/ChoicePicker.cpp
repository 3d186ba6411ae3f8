#include "Settings/ChoicePicker.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>

ChoicePicker::ChoicePicker(const QString &name, int width, QWidget *parent) : QWidget(parent)
{
    setAccessibleName(name);
    setFixedWidth(width);
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idClicked, this, [this](int index) {
        if (index >= 0 && index < m_choices.size())
            emit picked(m_choices.at(index).value);
    });
}

void ChoicePicker::setChoices(const QList<PaneChoice> &choices, qint64 current)
{
    if (choices == m_choices && current == m_current)
        return;
    m_choices = choices;
    m_current = current;
    for (QAbstractButton *b : m_group->buttons()) {
        m_group->removeButton(b);
        delete b;
    }
    for (int i = 0; i < choices.size(); ++i) {
        auto *b = new QToolButton;
        b->setText(choices.at(i).label);
        b->setCheckable(true);
        b->setChecked(choices.at(i).value == current);
        b->setAutoRaise(false);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setMinimumHeight(28);
        m_group->addButton(b, i);
        m_layout->addWidget(b);
    }
}

QStringList ChoicePicker::labels() const
{
    QStringList out;
    for (const PaneChoice &c : m_choices)
        out.append(c.label);
    return out;
}
