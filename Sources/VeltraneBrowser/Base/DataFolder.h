#pragma once
// Files in the application's own data folder: owner-only, and never written, read or moved
// through a link someone put in their place.
//
// The folder must be a real folder of this user (not a link) and is kept at mode 0700; a missing
// one is made. A file is never written in place: a temporary file beside it (created exclusively,
// not through a link, mode 0600) is renamed over it, so a reader sees the old file or the new one,
// whole. A file is moved aside under a name nothing holds yet, without replacing anything and
// never by copying.

#include <QByteArray>
#include <QString>

#include <optional>

class DataFolder {
public:
    DataFolder() = delete;

    // "<GenericDataLocation>/Veltrane".
    static QString path();

    // Opens `folder` without following a link, making it when missing, and checks it: a folder
    // owned by this user, narrowed to 0700 when it was wider. A descriptor the caller closes, or
    // -1 with the reason in `why`.
    static int open(const QString &folder, QString *why);
    // Whether `path` itself is a link (one that leads nowhere too).
    static bool isLink(const QString &path);

    // Writes `bytes` as the file `path` in a fit folder (see open()). A link at `path` is replaced,
    // never written through. Empty on success, else why not; the previous file then stays.
    static QString write(const QString &path, const QByteArray &bytes);
    // Reads the file `path` whole, refusing a link and anything larger than `limit` bytes.
    static std::optional<QByteArray> read(const QString &path, qint64 limit, QString *why);
    // Moves the file or link at `path` to `path + suffix`, or to that name with "-2", "-3"... when it
    // is taken (by anything, a link that leads nowhere too). The new path, or empty with the
    // reason in `why`; the file then stays where it was.
    static QString moveAside(const QString &path, const QString &suffix, QString *why);

    // Whether `target`, with its links followed, is `folder`, lies in it, or is the file `folder`
    // names; also for a target that does not exist yet.
    static bool holds(const QString &folder, const QString &target);
};
