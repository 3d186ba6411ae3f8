#include "Store/TextHashes.h"

#include "Store/ScanStore.h"

void TextHashes::add(const QList<Comment> &comments)
{
    m_entries.reserve(m_entries.size() + comments.size());
    for (const Comment &c : comments) {
        auto it = m_entries.find(c.id);
        if (it == m_entries.end())
            m_entries.insert(c.id, {c.text, ScanStore::hash(c.text)});
        else if (it->text != c.text)
            *it = {c.text, ScanStore::hash(c.text)};
    }
}

QString TextHashes::of(const QString &id, const QString &text) const
{
    const auto it = m_entries.constFind(id);
    if (it != m_entries.constEnd() && it->text == text)
        return it->hash;
    return ScanStore::hash(text);
}

bool TextHashes::matches(const QString &id, const QString &text, const QString &hash) const
{
    const auto it = m_entries.constFind(id);
    if (it != m_entries.constEnd() && it->text == text)
        return it->hash == hash;
    return ScanStore::hash(text) == hash;
}
