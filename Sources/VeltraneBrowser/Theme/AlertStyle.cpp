#include "Theme/AlertStyle.h"

#include "Theme/Design.h"

#include <QEvent>
#include <QPainter>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

namespace {

const char *kindProperty = "alertKind";

QString rgba(const QColor &c)
{
    return QStringLiteral("rgba(%1,%2,%3,%4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
}

QString styleSheet()
{
    return QStringLiteral(
               "QMessageBox { background: %1; }"
               "QMessageBox QLabel { color: %2; }"
               "QMessageBox QLabel#qt_msgbox_label { font-size: 15px; font-weight: 600; }"
               "QMessageBox QLabel#qt_msgbox_informativelabel { color: %3; font-size: 13px; min-width: 340px; }"
               "QMessageBox QPushButton { background: %4; color: %3; border: 1px solid %5; border-radius: 8px;"
               " padding: 6px 16px; min-width: 72px; min-height: 20px; font-weight: 600; }"
               "QMessageBox QPushButton:hover { background: %6; border-color: %7; }"
               "QMessageBox QPushButton:focus { border-color: %8; }"
               // Every kind keeps the same 1-pixel border, so a button's size never depends on its kind.
               "QMessageBox QPushButton[alertKind=\"primary\"] { background: %9; color: %10; border-color: %9; }"
               "QMessageBox QPushButton[alertKind=\"danger\"] { background: %11; color: %12; border-color: %11; }"
               "QMessageBox QPushButton[alertKind=\"primary\"]:focus, QMessageBox QPushButton[alertKind=\"danger\"]:focus"
               " { border-color: %8; }")
        .arg(rgba(Design::panel()), rgba(Design::text()), rgba(Design::secondary()), rgba(Design::card()),
             rgba(Design::border()), rgba(Design::surface()), rgba(Design::strongBorder()), rgba(Design::focusBorder()),
             rgba(Design::accent()))
        .arg(rgba(Design::onAccent()), rgba(Design::brand()), rgba(Design::onBrand()));
}

// The box's own edge, drawn over its rim: over a dark page the panel colour alone hardly stands
// apart, and a window manager may draw no frame at all.
class Edge : public QWidget {
public:
    explicit Edge(QWidget *box)
        : QWidget(box)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setObjectName(QStringLiteral("alertEdge"));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(QPen(QColor(255, 255, 255, 77), 1));   // about 3:1 against a black page
        p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
};

// Gives each button its look once the box shows, when all of them have been added, and keeps the
// edge at the box's size.
class ButtonKinds : public QObject {
public:
    explicit ButtonKinds(QMessageBox *box)
        : QObject(box)
        , m_edge(new Edge(box))
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::Resize) {
            auto *box = static_cast<QMessageBox *>(watched);
            m_edge->setGeometry(box->rect());
            m_edge->raise();
        }
        if (event->type() == QEvent::Show) {
            auto *box = static_cast<QMessageBox *>(watched);
            for (QAbstractButton *button : box->buttons()) {
                button->setProperty(kindProperty, AlertStyle::kind(box, button));
                button->style()->unpolish(button);
                button->style()->polish(button);
            }
        }
        return false;
    }

private:
    Edge *m_edge;
};

}   // namespace

QString AlertStyle::kind(const QMessageBox *box, QAbstractButton *button)
{
    if (box->buttonRole(button) == QMessageBox::DestructiveRole)
        return QStringLiteral("danger");
    // Beside a destructive answer every other one is plain: only the danger stands out.
    for (QAbstractButton *b : box->buttons()) {
        if (box->buttonRole(b) == QMessageBox::DestructiveRole)
            return QStringLiteral("plain");
    }
    // Otherwise the default answer, or else the accepting one.
    const bool primary = box->defaultButton()
        ? box->defaultButton() == button
        : box->buttonRole(button) == QMessageBox::AcceptRole || box->buttonRole(button) == QMessageBox::YesRole;
    return primary ? QStringLiteral("primary") : QStringLiteral("plain");
}

void AlertStyle::apply(QMessageBox *box)
{
    if (!box || box->property("alertStyled").toBool())
        return;
    box->setProperty("alertStyled", true);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Window, Design::panel());
    pal.setColor(QPalette::WindowText, Design::text());
    pal.setColor(QPalette::Button, Design::card());
    pal.setColor(QPalette::ButtonText, Design::secondary());
    box->setPalette(pal);
    box->setAutoFillBackground(true);
    box->setStyleSheet(styleSheet());
    new ButtonKinds(box);
}

QMessageBox *AlertStyle::questionBox(QWidget *parent, const Alerts::Question &question,
                                     QList<QAbstractButton *> *buttons)
{
    auto *box = new QMessageBox(parent);
    box->setWindowModality(Qt::WindowModal);
    box->setTextFormat(Qt::PlainText);   // texts may quote page titles and comments
    apply(box);
    box->setWindowTitle(question.title);
    box->setText(question.title);
    box->setInformativeText(question.text);
    QList<QAbstractButton *> made;
    for (qsizetype i = 0; i < question.buttons.size(); ++i) {
        const QMessageBox::ButtonRole role = i == question.destructive ? QMessageBox::DestructiveRole
            : i == 0                                                   ? QMessageBox::AcceptRole
                                                                       : QMessageBox::RejectRole;
        QPushButton *button = box->addButton(question.buttons.at(i), role);
        if (i == 0 && i != question.destructive)
            box->setDefaultButton(button);
        made.append(button);
    }
    if (question.destructive >= 0) {
        // Escape must never pick the destructive answer: it closes the box without one.
        QPushButton *escape = nullptr;
        for (qsizetype i = 0; i < made.size() && !escape; ++i) {
            if (i != question.destructive)
                escape = qobject_cast<QPushButton *>(made.at(i));
        }
        box->setEscapeButton(escape);
    }
    if (buttons)
        *buttons = made;
    return box;
}
