#include "Shell/CheckStyle.h"

#include "Shell/CheckGlyph.h"
#include "Shell/Design.h"

#include <QPainter>

CheckStyle::CheckStyle(const QString &label, QWidget *parent)
    : QAbstractButton(parent)
{
    setText(label);
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
}

QSize CheckStyle::sizeHint() const
{
    return QSize(18 + 7 + fontMetrics().horizontalAdvance(text()), qMax(18, fontMetrics().height()));
}

void CheckStyle::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF glyph(0, (height() - 18) / 2.0, 18, 18);
    CheckGlyph::paint(p, glyph, isChecked() ? CheckGlyph::State::on : CheckGlyph::State::off);
    p.setPen(Design::text());
    p.drawText(QRectF(25, 0, width() - 25, height()), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text());
}
