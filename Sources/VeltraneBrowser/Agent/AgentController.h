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

    // The texts an agent reads.
    static QString goneMessage();          // "앱이 종료되었습니다."
    static QString noCommandMessage();     // "명령이 필요합니다."
    static QString unknownMessage();       // "지원하지 않는 명령입니다."
    static QString signInMessage();        // "로그인과 추가 인증은 앱에서 직접 완료해 주세요."
    static QString startFailedMessage();   // "AI 연결을 준비하지 못했습니다. 앱을 다시 실행해 주세요."
    static QString notReadyMessage();      // "지원하는 댓글 페이지가 열린 뒤 다시 시도해 주세요."
    static QString scriptMissingMessage(); // "화면 읽기 파일을 불러오지 못했습니다."
    static QString pageChangedMessage();   // "페이지가 바뀌었습니다. 다시 읽어 주세요."
    static QString pageSilentMessage();    // "페이지가 응답하지 않습니다. 다시 시도해 주세요."
    static QString pageTooLargeMessage();  // "화면 내용이 너무 큽니다."
    static QString openRefusedMessage();   // "현재 작업을 마친 뒤 지원하는 댓글 주소를 열어 주세요."
    static QString scanRefusedMessage();   // "검사를 시작할 수 없는 상태입니다."
    static QString limitMessage();         // "수집 개수가 올바르지 않습니다."
    static QString sortMessage();          // "정렬 설정이 올바르지 않습니다."
    static QString noLikesMessage();       // "좋아요 보호 설정이 올바르지 않습니다."
    static QString scanFailedMessage();    // "검사를 완료하지 못했습니다."
    static QString idsMessage();           // "선택할 댓글 ID가 필요합니다."
    static QString deleteTargetMessage();  // "현재 페이지의 삭제 대상을 다시 확인해 주세요."
    static QString nothingSelectedMessage(); // "선택한 댓글이 없습니다."
    static QString postAddressMessage();   // "YouTube 영상이나 Instagram 게시물 주소가 필요합니다."
    static QString notScannedMessage();    // "검사한 댓글이 아닙니다."
    static QString modelPendingMessage();  // "이 명령은 아직 사용할 수 없습니다."

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
