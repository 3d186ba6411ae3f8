#pragma once
// The owner's questions as window-modal message boxes over the main window.

#include "Base/Alerts.h"

#include <QPointer>
#include <QWidget>

class WindowAlerts : public Alerts {
public:
    explicit WindowAlerts(QWidget *window)
        : m_window(window)
    {
    }

    // Only while the application is in front and its window is shown.
    bool canAsk() const override;
    QCoro::Task<int> ask(Question question) override;

private:
    QPointer<QWidget> m_window;
};
