#pragma once
// The one error of every JSON decoder of page answers and service replies.
// what() reads like: "items[3].score: missing"; path() is empty for the whole document.

#include <QString>

#include <stdexcept>

class DecodeError : public std::runtime_error {
public:
    DecodeError(const QString &path, const QString &problem)
        : std::runtime_error((path.isEmpty() ? problem : path + QStringLiteral(": ") + problem).toStdString())
        , m_path(path)
        , m_problem(problem)
    {
    }

    QString path() const { return m_path; }
    QString problem() const { return m_problem; }
    QString message() const { return QString::fromStdString(what()); }

private:
    QString m_path;
    QString m_problem;
};
