#include "Shell/PlainText.h"

#include <QTextDocument>

QString PlainText::toolTip(const QString &text)
{
    if (text.isEmpty())
        return text;
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
}
