#include "Shell/WindowAlerts.h"

#include "Theme/AlertStyle.h"

#include <QFuture>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPromise>
#include <QPushButton>

#include <QCoro/QCoroFuture>

#include <memory>

bool WindowAlerts::canAsk() const
{
    return m_window && m_window->isVisible() && !m_window->isMinimized()
        && QGuiApplication::applicationState() == Qt::ApplicationActive;
}

QCoro::Task<int> WindowAlerts::ask(Question question)
{
    if (!m_window || question.buttons.isEmpty())
        co_return -1;
    // The box stays until its answer has been read. The answer travels through a promise that is
    // kept when the box is answered, and also when the box goes without an answer (with the
    // window): the question always returns.
    QPointer<QMessageBox> box = new QMessageBox(m_window);
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

    auto promise = std::make_shared<QPromise<int>>();
    QFuture<int> answer = promise->future();
    promise->start();
    const auto settle = [promise](int index) {
        if (promise->future().isFinished())
            return;
        promise->addResult(index);
        promise->finish();
    };
    QMessageBox *shown = box.data();
    QObject::connect(shown, &QDialog::finished, shown,
                     [shown, buttons, settle] { settle(int(buttons.indexOf(shown->clickedButton()))); });
    QObject::connect(shown, &QObject::destroyed, [settle] { settle(-1); });
    box->open();
    const int index = co_await answer;
    if (box)
        box->deleteLater();
    co_return index;
}
