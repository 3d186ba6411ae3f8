#pragma once
// The popover that tells the owner how to connect an MCP client: the client configuration that
// starts the bridge program veltrane-agent (installed beside this program), and a button that copies
// it. The application never starts the bridge itself; the client does, with the argument "mcp".

#include "Theme/Popover.h"

class QClipboard;
class WorkspaceButton;

class AgentSetupView : public Popover {
    Q_OBJECT
public:
    // The configuration for a bridge at `command`: pretty-printed, keys sorted, slashes unescaped.
    static QString config(const QString &command);
    // The bridge beside the running program.
    static QString agentPath();
    // Copies text to the clipboard; true only when the clipboard holds it afterwards. An empty
    // text copies nothing and leaves the clipboard as it was.
    static bool copy(QClipboard *clipboard, const QString &text);

    enum class CopyState { ready, copied, failed };
    static QString buttonTitle(CopyState state);
    static QString title();
    static QString explanation();
    static QString note();

    explicit AgentSetupView(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::Popup);

    CopyState copyState() const { return m_state; }
    QString shownConfig() const { return m_config; }
    // The button's action.
    void copyConfig();
    WorkspaceButton *button() const { return m_button; }

private:
    QString m_config;
    CopyState m_state = CopyState::ready;
    WorkspaceButton *m_button;
};
