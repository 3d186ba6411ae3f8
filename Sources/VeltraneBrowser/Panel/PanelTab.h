#pragma once
// The panel's three tabs, their titles, which stored records each shows, and the deletion
// candidates of the Flagged tab. Pure functions of their arguments; texts in the run's language.

#include "Store/ScanStore.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

class PanelTab {
    Q_DECLARE_TR_FUNCTIONS(PanelTab)
public:
    enum Value { comments, spam, deleted };

    constexpr PanelTab(Value value)
        : m_value(value)
    {
    }
    constexpr operator Value() const { return m_value; }

    static QList<PanelTab> allCases();
    // Exactly "comments", "spam" or "deleted"; nothing for any other string.
    static std::optional<PanelTab> fromRawValue(const QString &raw);
    QString rawValue() const;
    QString title() const;

    // The records of this tab, in the order given. A record without text is in no tab.
    QList<ScanStore::Record> records(const QList<ScanStore::Record> &records) const;

    // The deletion candidates among the records, highest percent first (stable). A record not
    // flagged yet becomes one through its stored AI problem only when no rule protects it: it is
    // not skipped, or skipped only because it was cleared before and did not change.
    static QList<ScanStore::Record> candidates(const QList<ScanStore::Record> &records,
                                               const QHash<QString, ScanStore::Problem> &problems);

private:
    Value m_value;
};
