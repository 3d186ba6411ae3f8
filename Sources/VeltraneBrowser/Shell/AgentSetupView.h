#pragma once
// The popover that tells the owner how to connect an MCP client: the client configuration that
// starts the bridge program veltrane-agent (installed beside this program) for this very instance
// (its data folder and language in the bridge's environment), shown whole, and a button that
// copies it. The application never starts the bridge itself; the client does, with the argument "mcp".

#include "Theme/Popover.h"

#include <functional>
#include <utility>

class QClipboard;
class QPlainTextEdit;
class WorkspaceButton;

class AgentSetupView : public Popover {
    Q_OBJECT
public:
    // The configuration for a bridge at `command` with these environment variables:
    // pretty-printed, keys sorted, slashes unescaped.
    static QString config(const QString &command, const QList<std::pair<QString, QString>> &environment = {});
    // What the bridge needs to find the running instance and speak its language.
    static QList<std::pair<QString, QString>> environment();
    // The configuration for the running instance.
    static QString currentConfig();
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
    // Whether the box shows the whole configuration, with nothing to scroll to.
    bool configShownWhole() const;
    // Puts a text on the clipboard, true when it is there afterwards (the system clipboard unless
    // a test puts its own).
    std::function<bool(const QString &)> copyText;
    // The button's action.
    void copyConfig();
    WorkspaceButton *button() const { return m_button; }

private:
    void fitBox();

    QString m_config;
    QPlainTextEdit *m_box;
    CopyState m_state = CopyState::ready;
    WorkspaceButton *m_button;
};
