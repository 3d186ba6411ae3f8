#include "Settings/PaneContent.h"

QVBoxLayout *PaneContent::renew(QWidget *pane, QVBoxLayout *paneLayout, QWidget *&content)
{
    if (content) {
        content->hide();
        paneLayout->removeWidget(content);
        content->deleteLater();
    }
    content = new QWidget(pane);
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(22);
    return column;
}
