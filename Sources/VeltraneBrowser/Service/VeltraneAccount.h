#pragma once
// Client of the product's web service: the endpoint, the sign-in kept in the account file, the
// account operations and the AI check. One instance per run, on the GUI thread.
//
//   VeltraneAccount account;                                   // configured endpoint and its account file
//   co_await account.refresh(true);                            // status, device account, profile
//   auto checked = co_await account.check(texts, {"spam", "abuse"}, false);   // throws APIFailure
//
// An account file that cannot be used (damaged, cut short, of another endpoint, without a token,
// a link) is never written over or removed as it is: before the first write it is renamed beside
// itself with an ".unreadable-<time>" suffix, and fileNotice() says what happened. The file is
// owner-only and never read, written or moved through a link (see DataFolder). Members it does not
// know, or of another type, are ignored when the token and the endpoint are readable.
//
// Every operation throws APIFailure (AIRules::message gives its text), except refresh() and
// logout(), which never fail. The bearer token goes only to the configured origin: a redirect to
// any other scheme, host or port is refused, and replies above kMaxReplyBytes are refused too.

#include "Wire/AIScore.h"
#include "Wire/APIFailure.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QCoro/QCoroTask>

#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;

class VeltraneAccount : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString email READ emailText NOTIFY changed)
    Q_PROPERTY(bool deviceAccounts READ deviceAccounts NOTIFY changed)
    Q_PROPERTY(QString supportCode READ supportCodeText NOTIFY changed)
    Q_PROPERTY(bool emailLogin READ emailLogin NOTIFY changed)
    Q_PROPERTY(bool hasPassword READ hasPassword NOTIFY changed)
    Q_PROPERTY(bool testMode READ testMode NOTIFY changed)
    Q_PROPERTY(bool ready READ ready NOTIFY changed)
    Q_PROPERTY(QString fileNotice READ fileNotice NOTIFY changed)

public:
    enum class Auth { Required, None, Optional };

    // One request as the transport sends it, and what came back.
    struct Request {
        QByteArray method;
        QUrl url;
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;   // empty: no body
        int timeoutMs = 60000;
    };
    struct Reply {
        int status = 0;
        QByteArray body;
        QHash<QByteArray, QByteArray> headers;   // names in lower case
        bool refused = false;                    // cut off by the client (oversized, or a redirect off the origin)
    };
    // Sends one request; throws (anything) when no HTTP reply came.
    using Transport = std::function<QCoro::Task<Reply>(Request)>;
    // Waits between retries.
    using Pause = std::function<QCoro::Task<void>(double seconds)>;

    // One AI check result: one entry per comment sent, none where the service gave no usable score.
    struct Checked {
        QList<std::optional<AIScore>> scores;
        qint64 tokens = 0;
        bool operator==(const Checked &) const = default;
    };

    static constexpr qint64 kMaxReplyBytes = 4 * 1024 * 1024;
    // Only "token" and "server" matter, however many other members a file holds; larger than this
    // it is taken as not ours.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

    static QUrl defaultServer();
    // VT_SERVER_URL when set (even empty), else the setting "vt.serverUrl".
    static QUrl configuredServer();
    static QUrl configuredServer(const std::optional<QString> &value);
    // "account.json" for the default endpoint, else "account-<host>-<port>.json", in the data folder.
    static QString defaultStore(const QUrl &server);
    static QString dataFolder();

    // No server: the configured endpoint with its account file. A given server uses only the given
    // store (empty: no account file). No transport or pause: the network and a real wait.
    explicit VeltraneAccount(QObject *parent = nullptr);
    VeltraneAccount(const std::optional<QUrl> &server, const QString &store, Transport transport = {}, Pause pause = {},
                    QObject *parent = nullptr);
    ~VeltraneAccount() override;

    std::optional<QString> email() const { return m_email; }
    QString emailText() const { return m_email.value_or(QString()); }
    bool deviceAccounts() const { return m_deviceAccounts; }
    std::optional<QString> supportCode() const { return m_supportCode; }
    QString supportCodeText() const { return m_supportCode.value_or(QString()); }
    bool emailLogin() const { return m_emailLogin; }
    bool hasPassword() const { return m_hasPassword; }
    bool testMode() const { return m_testMode; }
    bool ready() const { return m_token.has_value() || m_testMode; }
    bool hasToken() const { return m_token.has_value(); }

    QUrl server() const { return m_server; }
    QString store() const { return m_store; }
    // Whether an account file was there and could not be used.
    bool fileUnreadable() const { return m_unread.has_value(); }
    // Where that file was kept aside; empty while it is still in its place.
    QString keptAside() const { return m_keptAside; }
    // What the owner must know about the account file; empty when all is well.
    QString fileNotice() const;

    // Account operations.
    QCoro::Task<void> refresh(bool autoStart);
    QCoro::Task<void> authenticate(bool signup, QString email, QString password);
    QCoro::Task<void> logout();
    QCoro::Task<void> startDevice();
    QCoro::Task<int> sendLinkCode(QString email);
    QCoro::Task<bool> linkEmail(QString email, QString code);
    QCoro::Task<int> sendEmailCode(QString email);
    QCoro::Task<bool> signIn(QString email, QString code);
    QCoro::Task<void> changePassword(QString current, QString next);
    QCoro::Task<void> deleteAccount(QString password);

    // Scores one batch of texts for the asked categories ("spam" first). Retries on 429 and on
    // transport failures.
    QCoro::Task<Checked> check(QStringList comments, QStringList kinds, bool keepPraise);

    // The time limit of one attempt (60 s).
    void setRequestTimeout(int ms) { m_timeoutMs = ms; }

signals:
    void changed();
    void deviceStartEnded();

private:
    struct DeviceStart;

    void remember(const std::optional<QString> &token, const std::optional<QString> &email);
    void loadStore();
    void writeStore();
    // Moves an unusable account file aside before anything takes its place; false when it is
    // still there (then nothing may be written over it).
    bool keepAside();
    QCoro::Task<QJsonObject> request(const char *method, const char *path, std::optional<QJsonObject> body, Auth auth,
                                     bool retry);
    QCoro::Task<Reply> send(Request request);
    void signedIn(const QJsonObject &reply);
    void applyProfile(const QJsonObject &reply);
    QCoro::Task<int> sendCode(const char *path, QString email, Auth auth);

    template <typename T>
    void publish(T &field, const T &value)
    {
        if (field == value)
            return;
        field = value;
        emit changed();
    }

    std::optional<QString> m_email;
    bool m_deviceAccounts = false;
    std::optional<QString> m_supportCode;
    bool m_emailLogin = false;
    bool m_hasPassword = true;
    bool m_testMode = false;

    QUrl m_server;
    std::optional<QString> m_token;
    QString m_store;
    enum class Unread { damaged, otherServer, noSignIn, unopenable, link };
    std::optional<Unread> m_unread;
    QString m_unreadDetail;
    QString m_keptAside;
    bool m_asideFailed = false;
    Transport m_transport;
    Pause m_pause;
    std::shared_ptr<DeviceStart> m_deviceStart;
    QNetworkAccessManager *m_net = nullptr;
    int m_timeoutMs = 60000;
};
