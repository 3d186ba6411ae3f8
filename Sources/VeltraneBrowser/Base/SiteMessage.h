#pragma once
// The texts of the messages that the page scripts send. A script sends a code, never a sentence:
//
//   "notFound"                                        a message without values
//   "{\"code\":\"progress.deleting\",\"args\":[3,10]}"  with values: the JSON text of {code, args}
//
// The English texts are written here and translated like any other text (context "SiteMessage").
// A text that is no code (an older script's own sentence, a code of a newer script) is shown as it
// came; a message that names its code wrongly or has the wrong values reads as unreadableText().
//
//   SiteMessage::text(m)      the run's language        SiteMessage::english(m)   always English
//   SiteMessage::isKnown(m)   whether m is a known code with its values
//   SiteMessage::make(code, args)   the wire form (what a script would send)

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVariantList>

class SiteMessage {
    Q_DECLARE_TR_FUNCTIONS(SiteMessage)

public:
    SiteMessage() = delete;

    static QString text(const QString &message);
    static QString english(const QString &message);
    static bool isKnown(const QString &message);

    // Every code the table knows, and how many values each takes.
    static QStringList codes();
    static int argumentCount(const QString &code);

    static QString make(const QString &code, const QVariantList &args = {});
    // What a message that cannot be read shows.
    static QString unreadableText();
};
