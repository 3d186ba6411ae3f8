#pragma once
// Calls an asynchronous script function inside a page and waits for its settled value.
//
// QWebEnginePage::runJavaScript only hands back synchronous values, so a call starts
// `(async ({arg, ...}) => { body })(args)` in the chosen world, keeps the settled value there
// under a call id, and fetches it with short back-off polling. Every named world ("vtx",
// "vt-channel", "vt-agent", "main") maps to one fixed world id, so the same name always reaches
// the same page-side globals.
//
// A pending call never outlives its page: it fails at once when the page is destroyed, the
// render process dies (also when it died before the call), the document is replaced, an abort
// signal fires, or `stillValid` says no; it can also carry a timeout and a stop test. Answers
// are size-capped inside the page before they cross.

#include <QCoro/QCoroTask>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <exception>
#include <functional>
#include <optional>

class QWebEnginePage;

struct PageCallOptions {
    int timeoutMs = 0;                       // 0: no timeout
    qsizetype maxChars = 64 * 1024 * 1024;   // longest answer text accepted from the page
    // A longer answer crosses in pieces of this many UTF-16 units, one per turn of the event
    // loop: the engine turns each crossing value into Qt's form on the window's thread.
    qsizetype sliceChars = 256 * 1024;
    QObject *abortSender = nullptr;      // optional: a signal of this object fails the call
    const char *abortSignal = nullptr;   //   (SIGNAL(...) form, so any object's signal fits)
    std::function<bool()> stillValid;    // optional: checked at every poll
    std::function<bool()> stopped;       // optional: checked at every poll; true fails the call (Stopped)
};

class PageCall : public QObject {
    Q_OBJECT
public:
    // The fixed world id of a named world; none for an unknown name.
    static std::optional<quint32> worldId(const QString &name);

    using Options = PageCallOptions;

    // The settled value: its JavaScript type ("string", "undefined", "object", ...) and its text,
    // the string itself or the JSON text of any other value (none when it has no JSON form).
    struct Answer {
        QString type;
        std::optional<QString> text;
    };

    struct Error : std::exception {
        enum Kind { Script, PageChanged, Timeout, TooLarge, BadCall, Stopped };
        Kind kind;
        QString message;   // for Script: the page's error text
        Error(Kind k, QString m)
            : kind(k)
            , message(std::move(m))
            , m_what(message.toUtf8())
        {
        }
        const char *what() const noexcept override { return m_what.constData(); }

    private:
        QByteArray m_what;
    };

    // Runs `body` as the body of an async function whose named parameters are the keys of
    // `args` (JSON values). Throws PageCall::Error.
    static QCoro::Task<Answer> run(QWebEnginePage *page, QString world, QString body, QJsonObject args = {},
                                   Options options = {});

    // Evaluates a plain expression in a named world and forgets the result.
    static void fire(QWebEnginePage *page, const QString &world, const QString &script);

    // Whether the page's render process died and no new document has started since. Known for
    // pages given to watch() (run() watches every page it is given) from then on.
    static bool renderProcessGone(QWebEnginePage *page);
    static void watch(QWebEnginePage *page);

signals:
    void settled();

private slots:
    void abortCall() { fail(Error::PageChanged, QString()); }

private:
    PageCall(QWebEnginePage *page, quint32 world, Options options);
    void start(const QString &script);
    void poll();
    void takePoll(const QVariantList &list);
    void fetchSlice();
    void takeSlice(const QVariantList &list);
    // Runs `script` in the call's world and hands its value to `take`, unless the call ended.
    void ask(const QString &script, void (PageCall::*take)(const QVariantList &));
    bool stillWanted();
    void fail(Error::Kind kind, const QString &message);
    void finish();

    QPointer<QWebEnginePage> m_page;
    quint32 m_world;
    Options m_options;
    QString m_id;
    QTimer m_pollTimer;
    QTimer m_timeout;
    int m_delay = 2;
    bool m_done = false;
    std::optional<Answer> m_answer;
    Answer m_partial;         // a long answer while its pieces arrive
    qsizetype m_total = 0;    // its length
    qsizetype m_offset = 0;   // where its next piece starts
    std::optional<Error> m_error;
};
