#include "Shell/AgentSetupView.h"

#include "Theme/Design.h"
#include "Theme/WorkspaceButton.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel *text(const QString &s, int size, const QColor &color, QFont::Weight weight = QFont::Normal)
{
    auto *label = new QLabel(s);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    QFont f = label->font();
    f.setPixelSize(size);
    f.setWeight(weight);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
    return label;
}

// A JSON string literal with only the escapes JSON requires (a slash stays a slash).
QString jsonString(const QString &s)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : s) {
        switch (c.unicode()) {
        case '"': out += QStringLiteral("\\\""); break;
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\b': out += QStringLiteral("\\b"); break;
        case '\f': out += QStringLiteral("\\f"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

} // namespace

QString AgentSetupView::config(const QString &command)
{
    // Written out by hand: the keys in sorted order ("args" before "command"), two spaces per
    // level, " : " between a key and its value, and slashes as they are.
    return QStringLiteral("{\n"
                          "  \"mcpServers\" : {\n"
                          "    \"veltrane\" : {\n"
                          "      \"args\" : [\n"
                          "        \"mcp\"\n"
                          "      ],\n"
                          "      \"command\" : %1\n"
                          "    }\n"
                          "  }\n"
                          "}")
        .arg(jsonString(command));
}

QString AgentSetupView::agentPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("veltrane-agent"));
}

bool AgentSetupView::copy(QClipboard *clipboard, const QString &text)
{
    if (!clipboard || text.isEmpty())
        return false;
    clipboard->setText(text, QClipboard::Clipboard);
    return clipboard->text(QClipboard::Clipboard) == text;
}

QString AgentSetupView::buttonTitle(CopyState state)
{
    switch (state) {
    case CopyState::copied:
        return tr("Copied");
    case CopyState::failed:
        return tr("Couldn't copy");
    case CopyState::ready:
        break;
    }
    return tr("Copy settings");
}

QString AgentSetupView::title() { return tr("Connect an AI agent"); }

QString AgentSetupView::explanation()
{
    return tr("Add this to your agent's MCP settings to let it read the web view you are looking at and check comments.");
}

QString AgentSetupView::note()
{
    return tr("Deleting is always confirmed in the app.");
}

AgentSetupView::AgentSetupView(QWidget *parent, Qt::WindowFlags flags)
    : Popover(parent, flags)
    , m_config(config(agentPath()))
{
    setFixedWidth(420);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Design::panel());
    setPalette(pal);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 22, 22, 22);
    layout->setSpacing(14);
    layout->addWidget(text(title(), 15, Design::text(), QFont::DemiBold));
    layout->addWidget(text(explanation(), 12, Design::secondary()));
    QLabel *box = text(m_config, 10, Design::text());
    box->setWordWrap(false);
    box->setObjectName(QStringLiteral("config"));
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPixelSize(10);
    box->setFont(mono);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setStyleSheet(QStringLiteral("QLabel#config { background: %1; border-radius: 8px; padding: 12px; }")
                           .arg(Design::canvas().name()));
    layout->addWidget(box);
    layout->addWidget(text(note(), 11, Design::muted()));
    m_button = new WorkspaceButton(buttonTitle(CopyState::ready), {.prominent = true});
    connect(m_button, &QAbstractButton::clicked, this, &AgentSetupView::copyConfig);
    auto *row = new QHBoxLayout;
    row->addWidget(m_button);
    row->addStretch();
    layout->addLayout(row);
}

void AgentSetupView::copyConfig()
{
    // Computed again at the moment of copying.
    const QString text = config(agentPath());
    m_state = copy(QGuiApplication::clipboard(), text) ? CopyState::copied : CopyState::failed;
    m_button->setText(buttonTitle(m_state));
    m_button->updateGeometry();
    m_button->update();
}
