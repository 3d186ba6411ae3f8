#pragma once
// The application's state: the central objects, made once in a fixed order and held for the whole
// run, the hooks between them, and the first page.
//
// Order of creation (later objects hold earlier ones):
//   1. the browser over the persistent profile, with the settings store for its media toggles;
//   2. the page bridge bound to that browser;
//   3. the spam model over the bridge and the browser, with its own service client and history;
//   4. the post list model over the spam model;
//   5. the agent command dispatcher with its control server (it may fail to start: the run goes
//      on without agent control and agentError() says why);
//   6. the browser's hooks: canStartLogin (only while the model is idle) and onNavigate (the
//      model's page tracking);
//   7. the automatic-scan loop, first checking after firstAutoScan() seconds;
//   8. the service-account refresh over the model's client;
//   9. the start page.

#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class AgentController;
class Browser;
class PostDesk;
class SpamEngine;
class SpamModel;

class AppState : public QObject {
    Q_OBJECT
public:
    explicit AppState(QObject *parent = nullptr);
    ~AppState() override;

    Browser *browser() const { return m_browser; }
    SpamEngine *engine() const { return m_engine; }
    SpamModel *spam() const { return m_spam; }
    PostDesk *desk() const { return m_desk; }
    AgentController *agent() const { return m_agent; }
    // Why agent control is off for this run; empty when its server listens.
    QString agentError() const;
    // The delay before the first automatic-scan check, read from VT_AUTOSCAN_FIRST at start.
    double firstAutoScan() const { return m_firstAutoScan; }

    // The first page: VT_START_URL when set (even empty), else a restorable "vt.lastPage", else
    // the YouTube home page.
    static QString startPage();

    // What happens at the end of the run, before the objects go: the agent control server stops
    // (its control file goes while it still holds this run's token). Safe to call more than once.
    void shutdown();

private:
    Browser *m_browser = nullptr;
    SpamEngine *m_engine = nullptr;
    SpamModel *m_spam = nullptr;
    PostDesk *m_desk = nullptr;
    AgentController *m_agent = nullptr;
    double m_firstAutoScan = 60;
    bool m_shutDown = false;
};
