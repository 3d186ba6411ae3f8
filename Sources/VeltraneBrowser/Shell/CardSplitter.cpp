#include "Shell/CardSplitter.h"

#include "Theme/Design.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSplitterHandle>

namespace {

constexpr int grabMargin = 3;   // points on each side of the line that also start a drag

// Draws only the line. The splitter lays the handle over its neighbours by its margins; the mask
// keeps the drawing to the line while the pointer is taken on the whole rectangle. (These margins
// replace the 2 points that QSplitterHandle gives a 1-point handle on every resize.)
class HairlineHandle : public QSplitterHandle {
public:
    HairlineHandle(Qt::Orientation orientation, QSplitter *parent)
        : QSplitterHandle(orientation, parent)
    {
        grabAround();
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        grabAround();
        QWidget::resizeEvent(event);
    }
    // The drag follows the pointer from where it took the line: a press beside the line does not
    // make the split jump by the margin (QSplitterHandle measures from the handle's edge).
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            m_offset = along(event->position().toPoint()) - along(contentsRect().topLeft());
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (event->buttons() & Qt::LeftButton)
            moveSplitter(along(parentWidget()->mapFromGlobal(event->globalPosition().toPoint())) - m_offset);
    }
    void mouseReleaseEvent(QMouseEvent *) override { }
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(contentsRect(), Design::canvas());
        p.fillRect(contentsRect(), Design::border());
    }

private:
    int along(QPoint p) const { return orientation() == Qt::Vertical ? p.y() : p.x(); }
    void grabAround()
    {
        setAttribute(Qt::WA_MouseNoMask, true);
        const QMargins margins = orientation() == Qt::Vertical ? QMargins(0, grabMargin, 0, grabMargin)
                                                               : QMargins(grabMargin, 0, grabMargin, 0);
        if (contentsMargins() != margins)
            setContentsMargins(margins);
        setMask(QRegion(contentsRect()));
    }

    int m_offset = 0;
};

}   // namespace

CardSplitter::CardSplitter(QWidget *parent)
    : QSplitter(Qt::Vertical, parent)
{
    setHandleWidth(1);
    setChildrenCollapsible(false);
    setOpaqueResize(true);
}

QSplitterHandle *CardSplitter::createHandle()
{
    return new HairlineHandle(orientation(), this);
}
