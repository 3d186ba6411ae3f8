#pragma once
// Shared by the store tests, the store writer program and the store benchmark:
// made-up comments and a raw SQLite handle to look at a file behind the store's back.

#include "Wire/Comment.h"

#include <QString>
#include <QVariant>

#include <sqlite3.h>

namespace vt::test {

inline Comment makeComment(const QString &id, const QString &text, const QString &state = QStringLiteral("ok"),
                           const QString &reason = QString())
{
    Comment c;
    c.id = id;
    c.text = text;
    c.authorName = QStringLiteral("author-") + id;
    c.state = state;
    c.reason = reason;
    return c;
}

// `count` comments of one page with ids prefix0..prefixN, every tenth one spam.
inline QList<Comment> makePage(const QString &prefix, int count, double publishedBase = 1.7e12)
{
    QList<Comment> page;
    page.reserve(count);
    for (int i = 0; i < count; ++i) {
        Comment c = makeComment(prefix + QString::number(i),
                                QStringLiteral("Comment number %1 of %2, with some words to make it realistic.")
                                    .arg(i)
                                    .arg(prefix),
                                i % 10 == 0 ? QStringLiteral("spam") : QStringLiteral("ok"),
                                i % 10 == 0 ? QStringLiteral("link,promo") : QString());
        c.publishedAt = publishedBase + i * 1000.0;
        c.likeCount = i % 7;
        c.avatar = QStringLiteral("https://img.example/a/%1.jpg").arg(i % 50);
        c.order = i;
        page.append(c);
    }
    return page;
}

// A plain connection to a store file, for checks the store does not offer.
class RawDb {
public:
    explicit RawDb(const QString &path, int flags = SQLITE_OPEN_READWRITE)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr) != SQLITE_OK) {
            sqlite3_close(m_db);
            m_db = nullptr;
        }
        if (m_db)
            sqlite3_busy_timeout(m_db, 5000);
    }
    ~RawDb() { sqlite3_close(m_db); }
    RawDb(const RawDb &) = delete;
    RawDb &operator=(const RawDb &) = delete;

    bool isOpen() const { return m_db; }
    sqlite3 *handle() const { return m_db; }

    bool exec(const QString &sql)
    {
        return m_db && sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }

    // Every row's values; integers as qint64, reals as double, text as QString, else null.
    QList<QVariantList> rows(const QString &sql)
    {
        QList<QVariantList> out;
        sqlite3_stmt *st = nullptr;
        if (!m_db || sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
            return out;
        while (sqlite3_step(st) == SQLITE_ROW) {
            QVariantList row;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                switch (sqlite3_column_type(st, c)) {
                case SQLITE_INTEGER:
                    row.append(qint64(sqlite3_column_int64(st, c)));
                    break;
                case SQLITE_FLOAT:
                    row.append(sqlite3_column_double(st, c));
                    break;
                case SQLITE_TEXT:
                    row.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c))));
                    break;
                default:
                    row.append(QVariant());
                    break;
                }
            }
            out.append(row);
        }
        sqlite3_finalize(st);
        return out;
    }

    QVariant value(const QString &sql)
    {
        const auto r = rows(sql);
        return r.isEmpty() || r.first().isEmpty() ? QVariant() : r.first().first();
    }

    qint64 count(const QString &tableAndWhere)
    {
        return value(QStringLiteral("SELECT COUNT(*) FROM ") + tableAndWhere).toLongLong();
    }

private:
    sqlite3 *m_db = nullptr;
};

}   // namespace vt::test
