#pragma once
// The centre card's split of the browser pane above the post list: a 1-point hairline between the
// two that the owner drags; a few points on either side of the line take the pointer as well.

#include <QSplitter>

class CardSplitter : public QSplitter {
    Q_OBJECT
public:
    explicit CardSplitter(QWidget *parent = nullptr);

protected:
    QSplitterHandle *createHandle() override;
};
