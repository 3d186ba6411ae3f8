#include "Settings/PaneContent.h"

#include <QApplication>
#include <QPointer>

namespace {

// The name of the focused control inside `content`: its own accessible name or that of the
// nearest named widget around it (a picker's segment gives the picker's name).
QString focusedName(QWidget *content)
{
    for (QWidget *w = QApplication::focusWidget(); w && content->isAncestorOf(w); w = w->parentWidget()) {
        if (!w->accessibleName().isEmpty())
            return w->accessibleName();
    }
    return {};
}

}   // namespace

QVBoxLayout *PaneContent::renew(QWidget *pane, QVBoxLayout *paneLayout, QWidget *&content)
{
    QString focused;
    if (content) {
        focused = focusedName(content);
        content->hide();
        paneLayout->removeWidget(content);
        content->deleteLater();
    }
    content = new QWidget(pane);
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(22);
    // A control used from the keyboard keeps the focus across the rebuild its own change caused:
    // once the pane has filled the new content, the control of the same name takes it back.
    if (!focused.isEmpty()) {
        QMetaObject::invokeMethod(
            content,
            [fresh = QPointer<QWidget>(content), focused] {
            if (!fresh || (QApplication::focusWidget() && fresh->isAncestorOf(QApplication::focusWidget())))
                return;
            for (QWidget *w : fresh->findChildren<QWidget *>()) {
                if (w->accessibleName() == focused && w->isVisibleTo(fresh)) {
                    w->setFocus(Qt::OtherFocusReason);
                    return;
                }
            }
            },
            Qt::QueuedConnection);
    }
    return column;
}
