#include "Settings/SettingsRow.h"

#include "Dashboard/ScaledFont.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

SettingsRow::SettingsRow(const QString &iconName, const QString &title, const QString &subtitle, QWidget *control,
                         bool indented, bool danger, QWidget *parent)
    : QWidget(parent)
    , m_control(control)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(indented ? 44 : 18, 14, 18, 14);
    layout->setSpacing(14);
    if (showsIcons()) {
        auto *icon = new QLabel;
        icon->setFixedSize(32, 32);
        icon->setAlignment(Qt::AlignCenter);
        const QIcon themed = QIcon::fromTheme(iconName);
        if (!themed.isNull())
            icon->setPixmap(themed.pixmap(18, 18));
        if (danger)
            icon->setStyleSheet(QStringLiteral("color: #d0453a;"));
        layout->addWidget(icon, 0, Qt::AlignVCenter);
    }

    auto *texts = new QVBoxLayout;
    texts->setSpacing(3);
    m_title = new QLabel(title);
    m_title->setTextFormat(Qt::PlainText);
    QFont tf = m_title->font();
    tf.setWeight(QFont::Medium);
    m_title->setFont(tf);
    m_subtitle = new QLabel(subtitle);
    m_subtitle->setTextFormat(Qt::PlainText);
    m_subtitle->setWordWrap(true);
    m_subtitle->setForegroundRole(QPalette::PlaceholderText);
    QFont sf = m_subtitle->font();
    sf = ScaledFont::of(sf, 0.9);
    m_subtitle->setFont(sf);
    texts->addWidget(m_title);
    texts->addWidget(m_subtitle);
    layout->addLayout(texts, 1);
    layout->addSpacing(12);
    if (control)
        layout->addWidget(control, 0, Qt::AlignVCenter);
}

bool SettingsRow::showsIcons()
{
    static const bool themed = QIcon::hasThemeIcon(QStringLiteral("document-save-as"));
    return themed;
}

int SettingsRow::textInset()
{
    return showsIcons() ? 18 + 32 + 14 : 18;
}

QString SettingsRow::title() const
{
    return m_title->text();
}

QString SettingsRow::subtitle() const
{
    return m_subtitle->text();
}

void SettingsRow::setSubtitle(const QString &text)
{
    m_subtitle->setText(text);
}
