#include "Panel/ScanLog.h"

#include "Theme/Design.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {

class Rows : public QWidget {
public:
    Rows(const QList<ScanSession> *sessions, QWidget *parent)
        : QWidget(parent)
        , m_sessions(sessions)
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        ScanLog::paintRows(p, width(), *m_sessions);
    }

private:
    const QList<ScanSession> *m_sessions;
};

}   // namespace

int ScanLog::heightFor(qsizetype sessions)
{
    return int(std::min<qsizetype>(sessions, 7)) * rowHeight;
}

ScanLog::ScanLog(QWidget *parent)
    : QScrollArea(parent)
    , m_canvas(new Rows(&m_sessions, this))
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidget(m_canvas);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Design::panel());
    setPalette(pal);
    viewport()->setPalette(pal);
    setFixedSize(logWidth, 0);
}

void ScanLog::setSessions(const QList<ScanSession> &sessions)
{
    m_sessions = sessions;
    setFixedSize(logWidth, heightFor(sessions.size()));
    m_canvas->resize(logWidth, int(sessions.size()) * rowHeight);
    m_canvas->update();
}

void ScanLog::paintRows(QPainter &p, int width, const QList<ScanSession> &sessions)
{
    const QDateTime now = QDateTime::currentDateTime();
    p.fillRect(QRect(0, 0, width, int(sessions.size()) * rowHeight), Design::panel());
    const QFont tf = Design::font(13, QFont::DemiBold);
    const QFont sf = Design::font(11);
    const double inner = width - 32;
    for (qsizetype i = 0; i < sessions.size(); ++i) {
        const ScanSession &s = sessions.at(sessions.size() - 1 - i);   // newest at the top
        const double top = double(i) * rowHeight;
        const double th = QFontMetricsF(tf).height(), sh = QFontMetricsF(sf).height();
        const double y = top + (rowHeight - th - 4 - sh) / 2;
        p.setFont(tf);
        p.setPen(Design::text());
        p.drawText(QRectF(16, y, inner, th), Qt::AlignLeft | Qt::TextSingleLine,
                   QFontMetricsF(tf).elidedText(s.title(now), Qt::ElideRight, inner));
        p.setFont(sf);
        p.setPen(s.marked() ? Design::text() : Design::muted());
        p.drawText(QRectF(16, y + th + 4, inner, sh), Qt::AlignLeft | Qt::TextSingleLine,
                   QFontMetricsF(sf).elidedText(s.summary(), Qt::ElideRight, inner));
        p.fillRect(QRectF(0, top + rowHeight - 1, width, 1), Design::border());
    }
}
