#pragma once
// The control file "control.json" that tells the agent bridge where this run listens and with
// which token: {"port": ..., "token": ..., "pid": ...}, readable by the owner only.
//
// The folder must be a real folder of this user (not a link) and is kept at mode 0700; a missing
// one is made. The file is never written in place: a temporary file next to it (created
// exclusively, not through a link, mode 0600) is renamed over it, so a reader sees the old file or
// the new one, whole. It is removed only while it still holds this run's token, so a later run's
// file is left alone.

#include <QJsonObject>
#include <QString>

#include <optional>

class ControlFile {
public:
    // The data folder, "<GenericDataLocation>/Veltrane".
    static QString defaultFolder();

    explicit ControlFile(QString folder = defaultFolder());

    QString folder() const { return m_folder; }
    QString path() const;

    // Makes the folder when missing and checks it: a folder (not a link) owned by this user,
    // narrowed to 0700 when it was wider. Empty when it is fit, else why not.
    QString prepareFolder() const;
    // Writes the file; empty on success, else why not (the previous file then stays).
    QString write(quint16 port, const QString &token, qint64 pid) const;
    // Removes the file when its "token" is this token; anything else leaves it as it is.
    bool removeIfOwned(const QString &token) const;
    // The file's object; none when it is missing, a link, too large or not a JSON object.
    std::optional<QJsonObject> read() const;

    static constexpr const char *fileName = "control.json";

private:
    // The folder opened without following a link and checked; -1 with a reason when unfit.
    int openFolder(QString *why) const;

    QString m_folder;
};
