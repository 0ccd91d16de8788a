#pragma once
// The teacher's backups of the game's database, apart from the window.
//
// A folder of table files is backed up whole, every table file (the players' too), into
// "<alias folder>/Mentesek/<yyyy-MM-dd HH-mm-ss>/": each file is written by SQLite itself
// (VACUUM INTO, a consistent copy even while another program writes), and the set is taken
// again until no file changed while it was made, so the files belong together. A backup is
// made under a working name and renamed when complete, so a half-made one is never listed.
// Failures are UserError with a Hungarian message.

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
    QString path;          // the backup's folder
    QDateTime made;        // from its name
    QStringList tables;    // the table files it holds, as named on disk
    int year = 0;          // the tax year of its Adoev.DB; 0 when it holds none or cannot be read
    int players = -1;      // stored games in its players' table; -1 when it holds none
    bool damaged = false;  // a table file of it is no database
};

// The name of a backup made at `when`: "2026-12-11 06-40-12".
QString stampName(const QDateTime &when);
// One line for the list of backups: its date and what it holds.
QString describe(const Backup &backup);

class Backups {
public:
    explicit Backups(zdb::Session *session, const QString &alias);

    // Where the alias's backups are kept: "<alias folder>/Mentesek".
    QString location() const;

    // Backs up every table file of the folder; returns the backup made. Throws UserError for
    // a missing folder, a place that cannot be written, or files that kept changing.
    Backup makeBackup(const QDateTime &when = QDateTime::currentDateTime());
    // Makes a backup unless one of `today` exists; true when it made one. After the first
    // call of a day it answers from memory, without looking at the disk.
    bool ensureDailyBackup(const QDateTime &now = QDateTime::currentDateTime());

    // The complete backups, newest first.
    QList<Backup> list() const;
    // Reads what one backup folder holds (its tables, year and stored games).
    static Backup read(const QString &path);

private:
    QString folder() const;

    zdb::Session *m_session;
    QString m_alias;
    QDate m_dailyDone;
};

}  // namespace backups
