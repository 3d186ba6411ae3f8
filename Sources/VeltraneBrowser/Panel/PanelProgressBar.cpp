#include "Panel/PanelProgressBar.h"

#include "Theme/Design.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

PanelProgressBar::PanelProgressBar(QWidget *parent)
    : QWidget(parent)
    , m_line(new QLabel(this))
    , m_stop(new QPushButton(this))
{
    m_line->setTextFormat(Qt::PlainText);
    m_line->setFont(Design::font(13, QFont::Medium));
    QPalette pal = m_line->palette();
    pal.setColor(QPalette::WindowText, Design::text());
    m_line->setPalette(pal);
    m_stop->setText(tr("Stop"));
    m_stop->setProperty("look", QStringLiteral("plain"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(16, 12, 16, 12);
    column->setSpacing(10);
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    row->addSpacing(16);   // the spinner is painted here
    row->addWidget(m_line, 1);
    column->addLayout(row);
    column->addSpacing(6);   // the progress line is painted here when there is one
    column->addWidget(m_stop);
    connect(m_stop, &QPushButton::clicked, this, &PanelProgressBar::stopRequested);
}

void PanelProgressBar::setState(const QString &line, std::optional<double> fraction)
{
    m_line->setText(line);
    m_fraction = fraction;
    update();
}

QString PanelProgressBar::line() const
{
    return m_line->text();
}

void PanelProgressBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // A still spinner: a ring with a gap.
    const QRectF spin(16, m_line->geometry().center().y() - 6, 12, 12);
    p.setPen(QPen(Design::muted(), 2));
    p.drawArc(spin, 90 * 16, 270 * 16);
    if (m_fraction) {
        const double y = m_line->geometry().bottom() + 8;
        const QRectF track(16, y, width() - 32, 4);
        p.fillPath(Design::rounded(track, 2), Design::elevated());
        QRectF done = track;
        done.setWidth(track.width() * std::clamp(*m_fraction, 0.0, 1.0));
        p.fillPath(Design::rounded(done, 2), Design::accent());
    }
}
