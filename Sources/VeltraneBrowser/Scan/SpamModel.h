#pragma once
// The central model of the application: the open post's comments, the scan that judges
// them and the settings every view and the agent share. The word rules it applies are the
// static functions of SpamRules; here are those that read what the store remembers.

#include "Rules/SpamRules.h"
#include "Store/ScanStore.h"
#include "Wire/Comment.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class SpamModel : public QObject, public SpamRules {
    Q_OBJECT
public:
    explicit SpamModel(QObject *parent = nullptr);

    // Marks as skipped the comments cleared or kept before whose text did not change, judged
    // under the same rules (and the same AI options when given). Returns how many it marked.
    static int skipCleared(QList<Comment> &comments, const QHash<QString, ScanStore::Known> &known,
                           const QString &rules, const std::optional<QString> &aiOptions);
};
