#pragma once
// The program: the application object with the dark theme, the application state and the one
// main window. A closed window, SIGTERM, SIGINT, SIGHUP and the desktop's logout all end the event
// loop the same way, so that every object is torn down in order: the pages before the profile,
// which writes the site cookies to disk as it goes.

#include <QByteArray>
#include <QObject>

#include <sys/types.h>

class QApplication;

class VeltraneBrowserApp : public QObject {
    Q_OBJECT
public:
    // Runs the program; returns its exit code.
    static int run(int argc, char *argv[]);

    // Run as root, the web engine refuses to start without switching off its sandbox.
    static bool needsSandboxSwitch(uid_t euid, const QByteArray &disableSandbox);
    static const char *sandboxNotice();

    // The web engine's own output (its start-up report, Chromium's log, the pages' console) stays
    // off stderr unless VT_DEBUG=1. Logging rules and log flags the user set are kept.
    static bool debugOutput(const QByteArray &vtDebug);
    // The Chromium flags to start with: the user's, with the log level raised to fatal errors
    // unless they set one of the log flags themselves.
    static QByteArray quietChromiumFlags(const QByteArray &userFlags);
    static const char *quietLoggingRules();
    static void quietWebEngine();

    // The window's dark palette and fonts.
    static void applyTheme(QApplication &app);

    // SIGTERM, SIGINT and SIGHUP end the event loop (through a pipe read by the event loop, the
    // only safe way out of a signal handler).
    static void installQuitSignals();
};
