#include "ControlStandIn.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QTimer>
#include <QUuid>

#include <sys/stat.h>
#include <unistd.h>

namespace vt::test {

namespace {

const QByteArray kBadRequest = QStringLiteral(R"({"ok":false,"error":"잘못된 요청입니다."})").toUtf8();
const QByteArray kForbidden = QStringLiteral(R"({"ok":false,"error":"연결 권한이 없습니다."})").toUtf8();

QByteArray uuidText()
{
    return QUuid::createUuid().toByteArray(QUuid::WithoutBraces).toUpper();
}

}   // namespace

ControlStandIn::ControlStandIn(QObject *parent)
    : QObject(parent)
{
    m_handler = [](const QString &cmd, const QJsonObject &args, const Answer &answer) {
        answer(ok(QJsonObject{{"cmd", cmd}, {"args", args}}));
    };
    m_http.setFallback(
        [this](const HttpRequest &request, const HttpResponder &responder) { serve(request, responder); });
}

ControlStandIn::~ControlStandIn()
{
    stop();
}

bool ControlStandIn::start(const QString &dataFolder)
{
    if (!m_http.listen())
        return false;
    m_token = uuidText() + uuidText();
    const QString base = dataFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                                              : dataFolder;
    const QString folder = base + QStringLiteral("/Veltrane");
    if (!QDir().mkpath(folder))
        return false;
    ::chmod(QFile::encodeName(folder).constData(), 0700);
    m_file = folder + QStringLiteral("/control.json");

    const QJsonObject content{{"port", int(port())},
                              {"token", QString::fromLatin1(m_token)},
                              {"pid", qint64(::getpid())}};
    const QString temp = m_file + u'.' + QString::fromLatin1(uuidText());
    QFile out(temp);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    out.write(QJsonDocument(content).toJson(QJsonDocument::Compact));
    out.close();
    return ::rename(QFile::encodeName(temp).constData(), QFile::encodeName(m_file).constData()) == 0;
}

void ControlStandIn::stop()
{
    if (m_file.isEmpty())
        return;
    QFile file(m_file);
    if (file.open(QIODevice::ReadOnly)
        && QJsonDocument::fromJson(file.readAll()).object().value("token").toString().toLatin1() == m_token)
        QFile::remove(m_file);
    m_file.clear();
}

void ControlStandIn::failNext(Fault fault, int times)
{
    if (times < 0) {
        m_faultForever = fault;
        return;
    }
    for (int i = 0; i < times; ++i)
        m_faults.enqueue(fault);
}

std::optional<ControlStandIn::Fault> ControlStandIn::takeFault()
{
    if (!m_faults.isEmpty())
        return m_faults.dequeue();
    return m_faultForever;
}

void ControlStandIn::writeReply(const HttpResponder &responder, int status, const QByteArray &body, bool withLength)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + " OK\r\nContent-Type: application/json\r\n";
    if (withLength)
        head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    head += "Connection: close\r\nCache-Control: no-store\r\n\r\n";
    responder.writeRaw(head + body, true);
}

void ControlStandIn::serve(const HttpRequest &request, const HttpResponder &responder)
{
    const QJsonValue body = request.json();
    if (request.method != "POST" || request.target != "/cmd" || request.headers.contains("origin")
        || request.headers.contains("transfer-encoding") || !request.headers.contains("content-length")
        || !request.headers.contains("x-vt-token") || !body.isObject()) {
        writeReply(responder, 400, kBadRequest);
        return;
    }
    if (request.header("x-vt-token").trimmed() != m_token) {
        writeReply(responder, 403, kForbidden);
        return;
    }

    m_bodies.append(body.toObject());
    m_maxInFlight = std::max(m_maxInFlight, ++m_inFlight);
    const QString cmd = body.toObject().value("cmd").toString();
    const QJsonObject args = body.toObject().value("args").toObject();
    emit commandReceived(cmd, args);

    const std::optional<Fault> fault = takeFault();
    auto answered = std::make_shared<bool>(false);
    const QPointer<ControlStandIn> self(this);
    auto finish = [self, answered] {
        if (!*answered && self) {
            *answered = true;
            --self->m_inFlight;
        }
    };
    const Answer answer = [responder, fault, finish](const QJsonObject &reply) {
        finish();
        const QByteArray json = QJsonDocument(reply).toJson(QJsonDocument::Compact);
        if (!fault) {
            writeReply(responder, 200, json);
            return;
        }
        switch (*fault) {
        case Fault::NotJson:
            writeReply(responder, 200, "<html>busy</html>");
            break;
        case Fault::JsonArray:
            writeReply(responder, 200, "[" + json + "]");
            break;
        case Fault::Close:
            responder.closeConnection();
            break;
        case Fault::Truncated:
            responder.writeRaw("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: "
                                   + QByteArray::number(json.size() + 100) + "\r\n\r\n" + json,
                               true);
            break;
        case Fault::Hang:
            break;
        case Fault::NoLength:
            writeReply(responder, 200, json, false);
            break;
        }
    };
    if (fault == Fault::Hang) {
        finish();
        return;
    }
    const Handler handler = m_handler;
    auto run = [handler, cmd, args, answer] { handler(cmd, args, answer); };
    if (m_delayMs > 0)
        QTimer::singleShot(m_delayMs, Qt::PreciseTimer, this, run);
    else
        run();
}

}   // namespace vt::test
