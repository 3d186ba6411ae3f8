#pragma once
// Carries out an agent's commands against the browser, the spam model and the history.
//
// Owns the control server (LocalServer) and answers every request it accepts: the body
// {"cmd": name, "args": {...}} becomes {"ok": true, "result": value} or {"ok": false, "error": text}.
// "scan" adds "recorded" (whether its results reached the history) to the page state, and
// "historyError" when they did not; "history" adds "historyError" while the history is off.
// Every command but "stop" is refused while a site sign-in is in progress or a sign-in page is
// shown: the owner completes those in the window. A deletion asked for by an agent goes through
// the same confirmation in the window as one the owner starts. The dispatcher's own texts are in
// Korean whatever the interface language; the model's status line and refusals pass through.
//
// Each command is one handler. Reading the open page ("snapshot", "inspect", "scroll") runs
// Resources/agent-page.js in its own world "vt-agent"; that script never hands back form values,
// cookies or sign-in fields and caps what it returns.

#include "Agent/AgentReplies.h"
#include "Agent/ControlFile.h"

#include <QCoro/QCoroTask>
#include <QJsonObject>
#include <QJsonValue>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <optional>

class Browser;
class LocalServer;
class ScanStore;
struct SiteInfo;
class SpamModel;

class AgentController : public QObject {
    Q_OBJECT
public:
    // Starts the control server at once; when it cannot start, error() says so and the
    // application runs on without agent control. `store` is the model's history.
    AgentController(Browser *browser, SpamModel *model, ScanStore *store, ControlFile file = ControlFile(),
                    QObject *parent = nullptr);
    ~AgentController() override;

    LocalServer *server() const { return m_server; }
    QString error() const { return m_error; }

    // The request handler: a whole body in, the reply object out. Never throws.
    static QCoro::Task<QJsonObject> reply(QPointer<AgentController> controller, QJsonObject body);
    // One command; throws BrowserError with the text of a refusal.
    QCoro::Task<QJsonValue> handle(QString cmd, QJsonObject args);

    // The scan settings an agent may change; every one is checked before any is applied.
    struct ScanArguments {
        std::optional<int> limit;
        std::optional<QString> sort;
        std::optional<bool> noLikesOnly;
        bool operator==(const ScanArguments &) const = default;
    };
    static ScanArguments scanArguments(const QJsonObject &args);
    // "ids": an array of strings (may be empty).
    static QStringList ids(const QJsonObject &args);
    // The address "open" goes to: "url" resolved against the current page, a supported site,
    // not a sign-in page.
    static QUrl openTarget(const QJsonObject &args, const QString &base);

    // The page script; tests point this at another file ("" restores the resource).
    static void setPageScriptFile(const QString &path);
    // A page script that has not answered after this long fails.
    int pageScriptTimeoutMs = 60000;
    // The largest answer taken from the page script.
    static constexpr qsizetype pageAnswerChars = 2 * 1024 * 1024;

    // The texts an agent reads, in the run's language.
    static QString goneMessage();              // "The app has closed."
    static QString noCommandMessage();         // "A command is needed."
    static QString unknownMessage();           // "This command isn't supported."
    static QString signInMessage();            // "Finish signing in, and any extra check, in the app yourself."
    static QString startFailedMessage();       // "Couldn't prepare the AI connection. Restart the app."
    static QString notReadyMessage();          // "Open a supported comment page, then try again."
    static QString scriptMissingMessage();     // "Couldn't load the page-reading script."
    static QString pageChangedMessage();       // "The page changed. Read it again."
    static QString pageSilentMessage();        // "The page isn't responding. Try again."
    static QString pageTooLargeMessage();      // "The page's content is too large."
    static QString openRefusedMessage();       // "Finish the current task, then open a supported comment address."
    static QString scanRefusedMessage();       // "A check can't start right now."
    static QString limitMessage();             // "The number of comments to collect isn't valid."
    static QString sortMessage();              // "The sort order isn't valid."
    static QString noLikesMessage();           // "The protection of liked comments isn't valid."
    static QString scanFailedMessage();        // "The check couldn't finish."
    static QString idsMessage();               // "The IDs of the comments to select are needed."
    static QString deleteTargetMessage();      // "Check again what to delete on the current page."
    static QString nothingSelectedMessage();   // "No comments are selected."
    static QString postAddressMessage();       // "A YouTube video or Instagram post address is needed."
    static QString notScannedMessage();        // "This comment wasn't checked."
    static QString modelPendingMessage();      // "This command isn't available yet."

private:
    using Command = QCoro::Task<QJsonValue> (AgentController::*)(QJsonObject args);
    static const QList<std::pair<QString, Command>> &commands();

    // Refuses while a site sign-in runs or a sign-in page is shown.
    void guard() const;

    QCoro::Task<QJsonValue> snapshot(QJsonObject args);
    QCoro::Task<QJsonValue> inspect(QJsonObject args);
    QCoro::Task<QJsonValue> scroll(QJsonObject args);
    QCoro::Task<QJsonValue> open(QJsonObject args);
    QCoro::Task<QJsonValue> comments(QJsonObject args);
    QCoro::Task<QJsonValue> scan(QJsonObject args);
    QCoro::Task<QJsonValue> select(QJsonObject args);
    QCoro::Task<QJsonValue> requestDelete(QJsonObject args);
    QCoro::Task<QJsonValue> stop(QJsonObject args);
    QCoro::Task<QJsonValue> history(QJsonObject args);
    QCoro::Task<QJsonValue> reveal(QJsonObject args);

    QCoro::Task<QJsonValue> runPageScript(QString method, QJsonObject args);
    static QString pageScript();
    QJsonObject pageState() const;
    // Adds why the history is off, when it is.
    QJsonObject withHistoryState(QJsonObject reply) const;

    // What the dispatcher reads and asks of the spam model (AgentControllerModel.cpp).
    bool modelWorking() const;
    std::optional<SiteInfo> modelInfo() const;
    void modelFillPageState(AgentReplies::PageState &state) const;
    void modelApply(const ScanArguments &arguments);
    // Scans the open post whole and records the run; the failure text, or none on success.
    QCoro::Task<std::optional<QString>> modelScan();
    // Whether the last scan reached the history; when not, why (may be empty).
    bool modelScanRecorded(QString *why) const;
    // Whether everything the last deletion did reached the history; when not, why.
    bool modelRemovalRecorded(QString *why) const;
    // The replies that went with the threads of the last deletion: {replies, unflagged, owner}.
    QJsonObject modelRemovalReplies() const;
    bool modelCanRemove() const;
    void modelSelect(const QStringList &ids);
    QStringList modelSelectedIds() const;
    // Deletes the ticked comments after the owner's confirmation; how many were deleted.
    QCoro::Task<int> modelRemoveSelected();
    void modelStopScan();
    bool modelHasComment(const QString &id) const;
    void modelReveal(const QString &id);

    QPointer<Browser> m_browser;
    QPointer<SpamModel> m_model;
    ScanStore *m_store;
    LocalServer *m_server = nullptr;
    QString m_error;
};
