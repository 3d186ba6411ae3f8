#include "Theme/Avatar.h"

#include "Theme/Design.h"

#include <QCryptographicHash>
#include <QPainter>

QString Avatar::initial(const QString &name)
{
    QString trimmed = name.trimmed();
    while (trimmed.startsWith(u'@'))
        trimmed.remove(0, 1);
    while (trimmed.endsWith(u'@'))
        trimmed.chop(1);
    // A whole grapheme: a Hangul syllable or a letter outside the basic plane stays one piece.
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed.at(i);
        if (c.isHighSurrogate() && i + 1 < trimmed.size()) {
            const char32_t code = QChar::surrogateToUcs4(c, trimmed.at(i + 1));
            if (QChar::isLetterOrNumber(code))
                return trimmed.mid(i, 2).toUpper();
            ++i;
            continue;
        }
        if (c.isLetterOrNumber())
            return QString(c).toUpper();
    }
    return QStringLiteral("?");
}

QColor Avatar::colour(const QString &name)
{
    // A stable hash (not qHash, which is seeded per run) picks the hue.
    const QByteArray digest = QCryptographicHash::hash(name.trimmed().toLower().toUtf8(), QCryptographicHash::Sha1);
    static const int hues[] = {4, 28, 48, 140, 175, 200, 225, 262, 290, 330};
    const int hue = hues[quint8(digest.at(0)) % (sizeof hues / sizeof hues[0])];
    return QColor::fromHsl(hue, 95, 92);
}

void Avatar::paint(QPainter &painter, const QRectF &box, const QString &name)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour(name));
    painter.drawEllipse(box);
    painter.setPen(Design::onBrand());
    painter.setFont(Design::font(box.height() * 0.45, QFont::DemiBold));
    painter.drawText(box, Qt::AlignCenter, initial(name));
    painter.restore();
}
