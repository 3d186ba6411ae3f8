#include "Shell/AgentSetupView.h"

#include "Base/Lang.h"
#include "Theme/Design.h"
#include "Theme/WorkspaceButton.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

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
        case '"':
            out += QStringLiteral("\\\"");
            break;
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\b':
            out += QStringLiteral("\\b");
            break;
        case '\f':
            out += QStringLiteral("\\f");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

}   // namespace

QString AgentSetupView::config(const QString &command, const QList<std::pair<QString, QString>> &environment)
{
    // Written out by hand: the keys in sorted order ("args", "command", "env"), two spaces per
    // level, " : " between a key and its value, and slashes as they are.
    QString env;
    if (!environment.isEmpty()) {
        QList<std::pair<QString, QString>> sorted = environment;
        std::sort(sorted.begin(), sorted.end());
        QStringList lines;
        for (const auto &[name, value] : std::as_const(sorted))
            lines << QStringLiteral("        %1 : %2").arg(jsonString(name), jsonString(value));
        env = QStringLiteral(",\n      \"env\" : {\n%1\n      }").arg(lines.join(QStringLiteral(",\n")));
    }
    return QStringLiteral("{\n"
                          "  \"mcpServers\" : {\n"
                          "    \"veltrane\" : {\n"
                          "      \"args\" : [\n"
                          "        \"mcp\"\n"
                          "      ],\n"
                          "      \"command\" : %1%2\n"
                          "    }\n"
                          "  }\n"
                          "}")
        .arg(jsonString(command), env);
}

QList<std::pair<QString, QString>> AgentSetupView::environment()
{
    // The bridge finds this instance's control file under the same data folder, and speaks the
    // window's language.
    return {{QStringLiteral("VT_LANG"), Lang::system() ? QStringLiteral("ko") : QStringLiteral("en")},
            {QStringLiteral("XDG_DATA_HOME"), QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)}};
}

QString AgentSetupView::currentConfig()
{
    return config(agentPath(), environment());
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

QString AgentSetupView::title()
{
    return tr("Connect an AI agent");
}

QString AgentSetupView::explanation()
{
    return tr(
        "Add this to your agent's MCP settings to let it read the web view you are looking at and check comments. "
        "It starts the bridge beside this app and finds this window's data folder.");
}

QString AgentSetupView::note()
{
    return tr("Deleting is always confirmed in the app.");
}

AgentSetupView::AgentSetupView(QWidget *parent, Qt::WindowFlags flags)
    : Popover(parent, flags)
    , m_config(currentConfig())
{
    copyText = [](const QString &text) { return copy(QGuiApplication::clipboard(), text); };
    setFixedWidth(520);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Design::panel());
    setPalette(pal);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 22, 22, 22);
    layout->setSpacing(14);
    layout->addWidget(text(title(), 15, Design::text(), QFont::DemiBold));
    layout->addWidget(text(explanation(), 12, Design::secondary()));
    // The whole configuration, wrapped where a line is longer than the box (a long path breaks
    // anywhere), selectable, never cut.
    m_box = new QPlainTextEdit(m_config);
    m_box->setObjectName(QStringLiteral("config"));
    m_box->setReadOnly(true);
    m_box->setCursorWidth(0);
    m_box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPixelSize(11);
    m_box->setFont(mono);
    m_box->setStyleSheet(
        QStringLiteral(
            "QPlainTextEdit#config { background: %1; color: %2; border: none; border-radius: 8px; padding: 8px; }")
            .arg(Design::canvas().name(), Design::text().name()));
    layout->addWidget(m_box);
    layout->addWidget(text(note(), 11, Design::muted()));
    m_button = new WorkspaceButton(buttonTitle(CopyState::ready), {.prominent = true});
    connect(m_button, &QAbstractButton::clicked, this, &AgentSetupView::copyConfig);
    auto *row = new QHBoxLayout;
    row->addWidget(m_button);
    row->addStretch();
    layout->addLayout(row);
    fitBox();
}

void AgentSetupView::fitBox()
{
    // As tall as its lines wrapped at the box's width (a fixed-width font: every character
    // takes the same room).
    const int width = 520 - 2 * 22;
    m_box->setFixedWidth(width);
    const QFontMetrics fm(m_box->font());
    const double margin = m_box->document()->documentMargin();
    const double room = width - 2 * 8 - 2 * margin - 4;
    int lines = 0;
    for (const QString &line : m_config.split(u'\n'))
        lines += std::max(1, int(std::ceil(fm.horizontalAdvance(line) / room)));
    m_box->setFixedHeight(int(lines * fm.lineSpacing() + 2 * margin + 2 * 8 + 6));
}

bool AgentSetupView::configShownWhole() const
{
    return m_box->toPlainText() == m_config && m_box->verticalScrollBar()->maximum() == 0
        && m_box->horizontalScrollBar()->maximum() == 0;
}

void AgentSetupView::copyConfig()
{
    // Computed again at the moment of copying.
    const QString text = currentConfig();
    m_state = copyText && copyText(text) ? CopyState::copied : CopyState::failed;
    m_button->setText(buttonTitle(m_state));
    m_button->updateGeometry();
    m_button->update();
}
