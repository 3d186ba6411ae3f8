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
    QList<QAbstractButton *> buttons;
    QPointer<QMessageBox> box = AlertStyle::questionBox(m_window, question, &buttons);
    if (question.destructive >= 0) {
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
