#pragma once
// The sign-in status of one site, held in memory only.

#include <QCoreApplication>
#include <QHashFunctions>
#include <QString>

class LoginStatus {
    Q_DECLARE_TR_FUNCTIONS(LoginStatus)

public:
    enum Value { unknown, savedSession, signedOut, signingIn, verification, signedIn, blocked, failed };

    constexpr LoginStatus(Value value = unknown)
        : m_value(value)
    {
    }
    constexpr operator Value() const { return m_value; }

    // The label in the run's language (savedSession and signedIn share one).
    QString label() const;

private:
    Value m_value;
};

inline size_t qHash(LoginStatus status, size_t seed = 0)
{
    return ::qHash(static_cast<int>(LoginStatus::Value(status)), seed);
}
