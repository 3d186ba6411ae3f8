#include "Settings/SettingsCard.h"

#include "Dashboard/ScaledFont.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

SettingsCard::SettingsCard(const QString &title, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    m_header = new QHBoxLayout;
    m_header->setContentsMargins(4, 0, 4, 0);
    m_title = new QLabel(title);
    m_title->setTextFormat(Qt::PlainText);
    QFont f = m_title->font();
    f = ScaledFont::of(f, 0.92);
    f.setWeight(QFont::DemiBold);
    m_title->setFont(f);
    m_title->setForegroundRole(QPalette::PlaceholderText);
    m_header->addWidget(m_title);
    m_header->addStretch(1);
    layout->addLayout(m_header);
    m_body = new QFrame;
    makeSurface(m_body);
    m_rows = new QVBoxLayout(m_body);
    m_rows->setContentsMargins(0, 0, 0, 0);
    m_rows->setSpacing(0);
    layout->addWidget(m_body);
}

QString SettingsCard::title() const
{
    return m_title->text();
}

void SettingsCard::add(QWidget *row)
{
    m_rows->addWidget(row);
}

void SettingsCard::addDivider(int inset)
{
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setForegroundRole(QPalette::Mid);
    line->setFixedHeight(1);
    auto *holder = new QWidget;
    auto *l = new QHBoxLayout(holder);
    l->setContentsMargins(inset, 0, 0, 0);
    l->addWidget(line);
    m_rows->addWidget(holder);
}

void SettingsCard::setTrailing(QWidget *trailing)
{
    m_header->addWidget(trailing);
}

void SettingsCard::makeSurface(QFrame *frame)
{
    frame->setObjectName(QStringLiteral("settingsSurface"));
    frame->setAutoFillBackground(true);
    frame->setBackgroundRole(QPalette::Base);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setStyleSheet(QStringLiteral(
        "QFrame#settingsSurface { background: palette(base); border: 1px solid palette(mid); border-radius: 12px; }"));
}
