#pragma once
// A failed call to the product's service: thrown by every service operation, or carried in the
// result of the AI check. Equal when status and code are equal.
//
//   throw APIFailure(401, "signed-out");   // the text for the owner is AIRules::message(failure)

#include <QByteArray>
#include <QString>

#include <exception>

class APIFailure : public std::exception {
public:
    APIFailure(qint64 status = 0, const QString &code = QStringLiteral("failed"));

    qint64 status = 0;   // HTTP status; 0 when no reply came from the service
    QString code;        // the reply's "error", else "failed"; the client's own: "signed-out", "unreachable"

    const char *what() const noexcept override;
    bool operator==(const APIFailure &other) const { return status == other.status && code == other.code; }

private:
    QByteArray m_what;
};
