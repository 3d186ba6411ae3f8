#pragma once
// The application's state: the central objects, made once in a fixed order and held for the whole
// run, the hooks between them, and the first page.
//
// Order of creation (later objects hold earlier ones):
//   1. the browser over the persistent profile, with the settings store for its media toggles;
//   2. the page bridge bound to that browser;
//   3. [the spam model over the bridge and the browser]        - not built yet
//   4. [the post list model over the spam model]               - not built yet
//   5. [the agent command dispatcher with its control server]  - not built yet
//   6. the browser's hooks canStartLogin and onNavigate (they need the spam model);
//   7. the automatic-scan start, after firstAutoScan() seconds (needs the spam model);
//   8. [the service-account refresh]                           - needs the spam model's client;
//   9. the start page.

#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class Browser;
class SpamEngine;

class AppState : public QObject {
    Q_OBJECT
public:
    explicit AppState(QObject *parent = nullptr);
    ~AppState() override;

    Browser *browser() const { return m_browser; }
    SpamEngine *engine() const { return m_engine; }
    // The delay before the first automatic-scan check, read from VT_AUTOSCAN_FIRST at start.
    double firstAutoScan() const { return m_firstAutoScan; }

    // The first page: VT_START_URL when set (even empty), else a restorable "vt.lastPage", else
    // the YouTube home page.
    static QString startPage();
    // VT_AUTOSCAN_FIRST as seconds: the whole text as a number; absent, empty, unreadable or not a
    // number gives 60; below 0 gives 0; above what a timer can wait gives that longest wait.
    static double autoScanDelay(const std::optional<QString> &text);
    static constexpr double longestDelay = 2147483.0;   // seconds a Qt timer can wait

    // What happens at the end of the run, before the objects go: the parts that hold files or a
    // listener close them. Safe to call more than once.
    void shutdown();

private:
    Browser *m_browser = nullptr;
    SpamEngine *m_engine = nullptr;
    double m_firstAutoScan = 60;
    bool m_shutDown = false;
};
