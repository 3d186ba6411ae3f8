#include "Settings/KeywordChips.h"
#include "Theme/PlainText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace {
constexpr int kCell = 110;
constexpr int kGap = 8;
constexpr int kHeight = 30;
}   // namespace

KeywordChips::KeywordChips(const QStringList &items, QWidget *parent)
    : QWidget(parent)
    , m_items(items)
{
    for (const QString &word : items) {
        auto *chip = new QFrame(this);
        chip->setObjectName(QStringLiteral("chip"));
        chip->setStyleSheet(QStringLiteral(
            "QFrame#chip { background: palette(alternate-base); border: 1px solid palette(mid); border-radius: 15px; }"));
        auto *l = new QHBoxLayout(chip);
        l->setContentsMargins(12, 0, 8, 0);
        l->setSpacing(6);
        auto *text = new QLabel(word);
        text->setTextFormat(Qt::PlainText);
        l->addWidget(text, 1);
        auto *remove = new QToolButton;
        remove->setText(QStringLiteral("\u00D7"));
        remove->setAutoRaise(true);
        remove->setAccessibleName(removeLabel(word));
        remove->setToolTip(PlainText::toolTip(removeLabel(word)));
        connect(remove, &QToolButton::clicked, this, [this, word] { emit removeRequested(word); });
        l->addWidget(remove);
        chip->setFixedHeight(kHeight);
        m_chips.append(chip);
    }
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

QString KeywordChips::removeLabel(const QString &word)
{
    return tr("Remove %1").arg(word);
}

int KeywordChips::place(int width, bool apply) const
{
    if (m_chips.isEmpty())
        return 0;
    // As many columns of at least kCell as fit, sharing the width.
    const int columns = qMax(1, (width + kGap) / (kCell + kGap));
    const int cell = (width - (columns - 1) * kGap) / columns;
    for (int i = 0; i < m_chips.size() && apply; ++i) {
        const int row = i / columns;
        const int col = i % columns;
        m_chips.at(i)->setGeometry(col * (cell + kGap), row * (kHeight + kGap), cell, kHeight);
    }
    const int rows = (int(m_chips.size()) + columns - 1) / columns;
    return rows * kHeight + (rows - 1) * kGap;
}

int KeywordChips::heightForWidth(int width) const
{
    return place(width, false);
}

QSize KeywordChips::sizeHint() const
{
    const int w = qMax(width(), 3 * kCell + 2 * kGap);
    return {w, place(w, false)};
}

void KeywordChips::resizeEvent(QResizeEvent *)
{
    place(width(), true);
}
