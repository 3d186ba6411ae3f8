#pragma once
// The application's one error value: a complete user-facing message.

#include <QString>

#include <exception>

class BrowserError : public std::exception {
public:
    explicit BrowserError(QString description)
        : m_description(std::move(description))
        , m_utf8(m_description.toUtf8())
    {
    }

    QString description() const { return m_description; }
    QString toString() const { return m_description; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_description;
    QByteArray m_utf8;
};
