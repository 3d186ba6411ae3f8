#include "Shell/CardSplitter.h"

#include "Theme/Design.h"

#include <QPainter>
#include <QSplitterHandle>

namespace {

constexpr int grabMargin = 3;   // points on each side of the line that also start a drag

// Draws only the line. The splitter lays the handle over its neighbours by its margins; the mask
// keeps the drawing to the line while the pointer is taken on the whole rectangle. (QSplitterHandle
// gives a 1-point handle 2 points of margin when resized; these margins replace them.)
class HairlineHandle : public QSplitterHandle {
public:
    HairlineHandle(Qt::Orientation orientation, QSplitter *parent) : QSplitterHandle(orientation, parent)
    {
        grabAround();
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QSplitterHandle::resizeEvent(event);
        grabAround();
    }
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(contentsRect(), Design::canvas());
        p.fillRect(contentsRect(), Design::border());
    }

private:
    void grabAround()
    {
        setAttribute(Qt::WA_MouseNoMask, true);
        if (orientation() == Qt::Vertical)
            setContentsMargins(0, grabMargin, 0, grabMargin);
        else
            setContentsMargins(grabMargin, 0, grabMargin, 0);
        setMask(QRegion(contentsRect()));
    }
};

} // namespace

CardSplitter::CardSplitter(QWidget *parent) : QSplitter(Qt::Vertical, parent)
{
    setHandleWidth(1);
    setChildrenCollapsible(false);
    setOpaqueResize(true);
}

QSplitterHandle *CardSplitter::createHandle()
{
    return new HairlineHandle(orientation(), this);
}
