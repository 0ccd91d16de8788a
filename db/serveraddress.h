#pragma once

#include <QString>

namespace zdb {

// Where a PostgreSQL database is. The password is never part of it: the client library
// reads it from the standard password file (~/.pgpass, or $PGPASSFILE) or $PGPASSWORD.
struct ServerAddress {
    QString host;
    int port = 5432;
    QString database;
    QString user;

    // Accepts "host=h port=5432 dbname=d user=u" and "postgresql://u@h:5432/d". A password
    // in the text is refused, so it never reaches a configuration file. Throws EngineError.
    static ServerAddress parse(const QString &text);
    QString toString() const;      // the key=value form parse() reads
    QString displayName() const;   // "h:5432/d", the name messages give the server
    bool operator==(const ServerAddress &o) const
    {
        return host == o.host && port == o.port && database == o.database && user == o.user;
    }
};

}  // namespace zdb
