#pragma once
// The running application's control file: where its control server listens and the run's token.
// It is looked for in the application's data folder (XDG_DATA_HOME, else ~/.local/share, with
// the home folder from the user database when HOME is unset), read afresh on every call, and trusted only
// when it is a regular file of this user that nobody else can read or write.

#include <QByteArray>
#include <QString>

#include <optional>

class ControlFile {
public:
    struct Endpoint {
        quint16 port = 0;
        QByteArray token;
    };

    // ".../Veltrane/control.json" in the data folder.
    static QString path();

    // The endpoint, or nothing when the file is missing, unsafe or not a valid control file.
    static std::optional<Endpoint> read(const QString &file = path());
};
