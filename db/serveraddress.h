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
    // Reached through a connection pooler in transaction mode (PgBouncer's pool_mode =
    // transaction), which may give each transaction another server connection: nothing is
    // then kept on the connection from one transaction to the next (see ServerStorage).
    // "pooler=transaction" in the text, POOLER=transaction in the alias's settings.
    bool transactionPooler = false;

    // Accepts "host=h port=5432 dbname=d user=u" and "postgresql://u@h:5432/d". A password
    // in the text is refused, so it never reaches a configuration file. Throws EngineError.
    static ServerAddress parse(const QString &text);
    // "transaction" → true, "session" or nothing → false; anything else throws EngineError.
    static bool parsePooler(const QString &value);
    QString toString() const;      // the key=value form parse() reads
    QString displayName() const;   // "h:5432/d", the name messages give the server
    bool operator==(const ServerAddress &o) const
    {
        return host == o.host && port == o.port && database == o.database && user == o.user
               && transactionPooler == o.transactionPooler;
    }
};

}  // namespace zdb
