#include "Shell/WindowAlerts.h"

#include "Theme/AlertStyle.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include <QCoro/QCoroSignal>

bool WindowAlerts::canAsk() const
{
    return m_window && m_window->isVisible() && !m_window->isMinimized()
        && QGuiApplication::applicationState() == Qt::ApplicationActive;
}

QCoro::Task<int> WindowAlerts::ask(Question question)
{
    if (!m_window || question.buttons.isEmpty())
        co_return -1;
    QPointer<QMessageBox> box = new QMessageBox(m_window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->setTextFormat(Qt::PlainText);   // texts may quote page titles and comments
    AlertStyle::apply(box);
    box->setWindowTitle(question.title);
    box->setText(question.title);
    box->setInformativeText(question.text);
    QList<QAbstractButton *> buttons;
    for (qsizetype i = 0; i < question.buttons.size(); ++i) {
        const QMessageBox::ButtonRole role = i == question.destructive ? QMessageBox::DestructiveRole
                                             : i == 0                 ? QMessageBox::AcceptRole
                                                                      : QMessageBox::RejectRole;
        QPushButton *button = box->addButton(question.buttons.at(i), role);
        if (i == 0 && i != question.destructive)
            box->setDefaultButton(button);
        buttons.append(button);
    }
    if (question.destructive >= 0) {
        // Escape must never pick the destructive answer: it closes the box without one.
        QPushButton *escape = nullptr;
        for (qsizetype i = 0; i < buttons.size() && !escape; ++i) {
            if (i != question.destructive)
                escape = qobject_cast<QPushButton *>(buttons.at(i));
        }
        box->setEscapeButton(escape);
        m_window->window()->raise();
        m_window->window()->activateWindow();
    }
    box->open();
    co_await qCoro(box.data(), &QDialog::finished);
    if (!box)
        co_return -1;
    co_return int(buttons.indexOf(box->clickedButton()));
}
