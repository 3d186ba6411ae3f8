#include "Settings/ChoicePicker.h"

#include "Theme/Design.h"

#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>

namespace {

constexpr double trackRadius = 8;
constexpr int inset = 3;   // between the track's edge and the segments

}   // namespace

ChoicePicker::ChoicePicker(const QString &name, int width, QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(name);
    setFixedWidth(width);
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(inset, inset, inset, inset);
    m_layout->setSpacing(2);
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idClicked, this, [this](int index) {
        syncFocus();
        if (index >= 0 && index < m_choices.size())
            emit picked(m_choices.at(index).value);
    });
    setStyleSheet(Design::segmentStyle(6, 6));
}

void ChoicePicker::setChoices(const QList<PaneChoice> &choices, qint64 current)
{
    if (choices == m_choices && current == m_current)
        return;
    m_choices = choices;
    m_current = current;
    const bool hadFocus = isAncestorOf(QApplication::focusWidget());
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
        b->setCursor(Qt::PointingHandCursor);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setMinimumHeight(26);
        b->installEventFilter(this);
        m_group->addButton(b, i);
        m_layout->addWidget(b);
    }
    syncFocus();
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
}

QStringList ChoicePicker::labels() const
{
    QStringList out;
    for (const PaneChoice &c : m_choices)
        out.append(c.label);
    return out;
}

void ChoicePicker::syncFocus()
{
    QAbstractButton *checked = m_group->checkedButton();
    QAbstractButton *stop = checked ? checked : m_group->button(0);
    for (QAbstractButton *b : m_group->buttons())
        b->setFocusPolicy(b == stop ? Qt::StrongFocus : Qt::ClickFocus);
    setFocusProxy(stop);
}

void ChoicePicker::pickAt(int index)
{
    QAbstractButton *b = m_group->button(qBound(0, index, int(m_choices.size()) - 1));
    if (!b || !b->isEnabled())
        return;
    b->setFocus(Qt::OtherFocusReason);
    if (!b->isChecked())
        b->click();
}

bool ChoicePicker::eventFilter(QObject *watched, QEvent *event)
{
    auto *button = qobject_cast<QAbstractButton *>(watched);
    const int index = button ? m_group->id(button) : -1;
    if (index < 0)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        update();
        break;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool rtl = layoutDirection() == Qt::RightToLeft;
        switch (key->key()) {
        case Qt::Key_Left:
            pickAt(rtl ? index + 1 : index - 1);
            return true;
        case Qt::Key_Right:
            pickAt(rtl ? index - 1 : index + 1);
            return true;
        case Qt::Key_Up:
            pickAt(index - 1);
            return true;
        case Qt::Key_Down:
            pickAt(index + 1);
            return true;
        case Qt::Key_Home:
            pickAt(0);
            return true;
        case Qt::Key_End:
            pickAt(int(m_choices.size()) - 1);
            return true;
        default:
            break;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ChoicePicker::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool focused = isAncestorOf(QApplication::focusWidget());
    p.setOpacity(isEnabled() ? 1.0 : 0.5);
    p.fillPath(Design::rounded(track, trackRadius), Design::surface());
    Design::innerStroke(p, QRectF(rect()), trackRadius, focused ? Design::focusBorder() : Design::strongBorder(),
                        focused ? 2 : 1);
}
