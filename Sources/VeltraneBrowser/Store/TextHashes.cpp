#include "Store/TextHashes.h"

#include "Store/ScanStore.h"

void TextHashes::add(const QList<Comment> &comments, std::vector<std::pair<QString, QString>> *inOrder)
{
    m_entries.reserve(m_entries.size() + comments.size());
    if (inOrder) {
        inOrder->clear();
        inOrder->reserve(size_t(comments.size()));
    }
    for (const Comment &c : comments) {
        auto it = m_entries.find(c.id);
        if (it == m_entries.end())
            it = m_entries.insert(c.id, {c.text, ScanStore::hash(c.text)});
        else if (it->text != c.text)
            *it = {c.text, ScanStore::hash(c.text)};
        if (inOrder)
            inOrder->emplace_back(c.text, it->hash);
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
