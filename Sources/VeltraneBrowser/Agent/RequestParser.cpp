#include "Agent/RequestParser.h"

#include "Browser/BrowserError.h"

#include <algorithm>

#include <QJsonDocument>
#include <QList>
#include <QJsonParseError>
#include <QSet>
#include <QStringDecoder>
#include <QStringList>

namespace {

constexpr char kTerminator[] = "\r\n\r\n";
constexpr qsizetype kTerminatorSize = 4;

// RFC 9110 token characters: the only ones a header name may hold.
bool isTokenChar(char16_t c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    switch (c) {
    case '!':
    case '#':
    case '$':
    case '%':
    case '&':
    case '\'':
    case '*':
    case '+':
    case '-':
    case '.':
    case '^':
    case '_':
    case '`':
    case '|':
    case '~':
        return true;
    default:
        return false;
    }
}

bool isHorizontalSpace(QChar c)
{
    return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space;
}

QString trimHorizontal(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isHorizontalSpace(text.at(begin)))
        ++begin;
    while (end > begin && isHorizontalSpace(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

// A decimal integer with an optional sign, within 1 to max; none otherwise (also on overflow).
std::optional<qsizetype> contentLength(const QString &text, qsizetype max)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    qsizetype value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < '0' || c > '9')
            return std::nullopt;
        // Stop growing once past the limit: any longer number is refused without overflowing.
        if (value <= max)
            value = value * 10 + (c - '0');
    }
    if (negative && value != 0)
        return std::nullopt;
    if (value < 1 || value > max)
        return std::nullopt;
    return value;
}

}   // namespace

QString RequestParser::badHeaderMessage()
{
    return QStringLiteral("잘못된 헤더입니다.");
}
QString RequestParser::badPathMessage()
{
    return QStringLiteral("잘못된 경로입니다.");
}
QString RequestParser::duplicateMessage()
{
    return QStringLiteral("중복 헤더입니다.");
}
QString RequestParser::notAllowedMessage()
{
    return QStringLiteral("허용되지 않은 요청입니다.");
}
QString RequestParser::badRequestMessage()
{
    return QStringLiteral("잘못된 요청입니다.");
}

RequestParser::State RequestParser::fail(const QString &message)
{
    m_state = State::Failed;
    m_error = message;
    m_buffer = QByteArray();
    m_request = Request();
    return m_state;
}

RequestParser::State RequestParser::feed(QByteArrayView bytes)
{
    switch (m_state) {
    case State::Head:
        return readHead(bytes);
    case State::Body:
        return readBody(bytes);
    case State::Done:
    case State::Failed:
    case State::Denied:
        break;
    }
    return m_state;
}

bool RequestParser::terminatorStillPossible() const
{
    // No terminator in the buffer yet: one could still start at or before maxHeaderBytes only if
    // the buffer ends in a prefix of it that begins there.
    const qsizetype size = m_buffer.size();
    for (qsizetype start = std::max<qsizetype>(0, size - (kTerminatorSize - 1));
         start <= maxHeaderBytes && start < size; ++start) {
        const QByteArrayView tail(m_buffer.constData() + start, size - start);
        if (QByteArrayView(kTerminator, tail.size()) == tail)
            return true;
    }
    return false;
}

RequestParser::State RequestParser::readHead(QByteArrayView bytes)
{
    // Never take in more than a header block, its terminator and what follows in this read
    // up to the longest body: the head is bounded before any search.
    m_buffer.append(bytes.first(std::min(bytes.size(), maxHeaderBytes + kTerminatorSize + maxBodyBytes)));
    const qsizetype end = m_buffer.indexOf(QByteArrayView(kTerminator, kTerminatorSize), m_searchFrom);
    if (end < 0) {
        m_searchFrom = std::max<qsizetype>(0, m_buffer.size() - (kTerminatorSize - 1));
        if (m_buffer.size() > maxHeaderBytes && !terminatorStillPossible())
            return fail(badHeaderMessage());
        return m_state;
    }
    if (end > maxHeaderBytes)
        return fail(badHeaderMessage());
    const QString refusal = parseHead(QByteArrayView(m_buffer.constData(), end));
    if (!refusal.isEmpty())
        return fail(refusal);
    QByteArray rest = m_buffer.mid(end + kTerminatorSize);
    m_buffer = QByteArray();
    if (acceptHead && !acceptHead(m_request)) {
        m_state = State::Denied;
        return m_state;
    }
    m_state = State::Body;
    return readBody(rest);
}

RequestParser::State RequestParser::readBody(QByteArrayView bytes)
{
    const qsizetype missing = m_length - m_buffer.size();
    m_buffer.append(bytes.first(std::min(bytes.size(), missing)));
    if (m_buffer.size() < m_length)
        return m_state;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(m_buffer, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return fail(badRequestMessage());
    m_request.payload = document.object();
    m_buffer = QByteArray();
    m_state = State::Done;
    return m_state;
}

QString RequestParser::parseHead(QByteArrayView block)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(block);
    if (decoder.hasError())
        return badHeaderMessage();
    // A lone CR or LF inside a line, or a NUL anywhere, is how requests get smuggled past
    // other readers of the same bytes.
    if (text.contains(QChar(0)))
        return badHeaderMessage();
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (const QString &line : lines) {
        if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')))
            return badHeaderMessage();
    }

    const QStringList first = lines.first().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (first.size() != 3 || first.at(0) != QLatin1String("POST") || first.at(1) != QLatin1String("/cmd"))
        return badPathMessage();

    // Every line must be a header before names are compared.
    QList<std::pair<QString, QString>> headers;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            return badHeaderMessage();
        const QString name = line.left(colon);
        if (name.isEmpty() || !std::all_of(name.begin(), name.end(), [](QChar c) { return isTokenChar(c.unicode()); }))
            return badHeaderMessage();
        headers.append({name.toLower(), trimHorizontal(line.mid(colon + 1))});
    }
    QSet<QString> seen;
    std::optional<QString> length;
    std::optional<QString> token;
    bool forbidden = false;
    for (const auto &[name, value] : std::as_const(headers)) {
        if (seen.contains(name))
            return duplicateMessage();
        seen.insert(name);
        if (name == QLatin1String("origin") || name == QLatin1String("transfer-encoding"))
            forbidden = true;
        else if (name == QLatin1String("content-length"))
            length = value;
        else if (name == QLatin1String("x-vt-token"))
            token = value;
    }
    if (forbidden)
        return notAllowedMessage();
    const std::optional<qsizetype> declared = length ? contentLength(*length, maxBodyBytes) : std::nullopt;
    if (!declared || !token)
        return notAllowedMessage();
    m_length = *declared;
    m_request.path = first.at(1);
    m_request.token = *token;
    return QString();
}

std::optional<RequestParser::Request> RequestParser::parse(QByteArrayView buffer)
{
    RequestParser parser;
    switch (parser.feed(buffer)) {
    case State::Done:
        return parser.request();
    case State::Failed:
        throw BrowserError(parser.error());
    case State::Head:
    case State::Body:
    case State::Denied:
        break;
    }
    return std::nullopt;
}
