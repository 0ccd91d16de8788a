#pragma once
// The teacher's backups of the game's database, apart from the window.
//
// A folder of table files is backed up whole, every table file (the players' too), into
// "<alias folder>/Mentesek/<yyyy-MM-dd HH-mm-ss>/": each file is written by SQLite itself
// (VACUUM INTO, a consistent copy even while another program writes), and the set is taken
// again until no file changed while it was made, so the files belong together. A backup is
// made under a working name and renamed when complete, so a half-made one is never listed.
// A classroom server's backup is its content tables as a content file (contentjson.h) in
// this PC's own place, "<app data>/mentesek/<host_port_db>/<yyyy-MM-dd HH-mm-ss>.json".
// Failures are UserError with a Hungarian message.

#include "db/contentjson.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace zdb {
class Session;
}

namespace backups {

struct Backup {
    QString path;          // the backup's folder, or a server's content file
    QDateTime made;        // from its name
    QStringList tables;    // the table files it holds, as named on disk
    int year = 0;          // the tax year of its Adoev.DB; 0 when it holds none or cannot be read
    int players = -1;      // stored games in its players' table; -1 when it holds none
    bool damaged = false;  // a table file of it is no database
    bool contentFile = false;   // a server's backup: the content tables only
};

// The name of a backup made at `when`: "2026-12-11 06-40-12".
QString stampName(const QDateTime &when);
// One line for the list of backups: its date and what it holds.
QString describe(const Backup &backup);

class Backups {
public:
    // `serverRoot` is where a server's backups go below (empty: this PC's application data).
    explicit Backups(zdb::Session *session, const QString &alias, const QString &serverRoot = QString());

    // Where the alias's backups are kept: "<alias folder>/Mentesek", or for a server
    // "<serverRoot>/mentesek/<host_port_db>".
    QString location() const;

    // Backs up every table file of the folder; returns the backup made. Throws UserError for
    // a missing folder, a place that cannot be written, or files that kept changing.
    Backup makeBackup(const QDateTime &when = QDateTime::currentDateTime());
    // Makes a backup unless one of `today` exists; true when it made one. After the first
    // call of a day it answers from memory, without looking at the disk.
    bool ensureDailyBackup(const QDateTime &now = QDateTime::currentDateTime());

    // The complete backups, newest first.
    QList<Backup> list() const;
    // Reads what one backup holds (its tables, year and stored games).
    static Backup read(const QString &path);

    // The content tables of a backup, and its players' table (empty when it has none), as
    // stored there. Throws UserError naming the backup when it cannot be read.
    static zdb::TableSet contentOf(const Backup &backup);
    static zdb::TableSet playersOf(const Backup &backup);

private:
    QString folder() const;
    bool onServer() const;
    Backup makeServerBackup(const QDateTime &when);

    zdb::Session *m_session;
    QString m_alias;
    QString m_serverRoot;
    QDate m_dailyDone;
};

}  // namespace backups
