#pragma once
// The history of the maintenance window's changes, kept in the folder's (or the server's)
// table Valtozasok.db: every posted record of the watched tables (a new record, an edit, a
// new picture, a delete) with its values before and after, and the changes of whole tables
// the content tools make. Any entry can be undone while no later change of the same record
// follows; undoing goes through the page's own table, so its grid and controls follow, and
// is not itself recorded.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace zdb {
class Session;
class Table;
struct RowWrite;
}

class THistory : public QObject {
    Q_OBJECT
public:
    // The kinds of an entry, as stored and shown.
    static QString kindInsert();    // "Új rekord"
    static QString kindEdit();      // "Módosítás"
    static QString kindDelete();    // "Törlés"
    static QString kindPicture();   // "Kép": an edit that changed only a picture

    struct Entry {
        qint64 key = 0;
        QString time;       // "yyyy-MM-dd HH:mm:ss"
        QString table;      // the table's file name; for a change of whole tables its tables, "," between
        qint64 row = 0;     // the row's identity; 0 for a change of whole tables
        QString kind;
        QString summary;
        QByteArray before;
        QByteArray after;
        bool undone = false;
        bool wholeTables() const { return row == 0; }
    };

    // Opens the history table of the session's game alias; throws the engine's error.
    explicit THistory(zdb::Session *session, QObject *parent = nullptr);
    ~THistory() override;

    // Records the posts and deletes of `table`, a page of the window named `pageName`.
    void watch(zdb::Table *table, const QString &pageName);
    // Called before the first write of each watched post or delete (a backup, for instance);
    // an error it raises stops the write.
    void setBeforeChange(std::function<void()> call) { m_beforeChange = std::move(call); }

    // A change of whole tables made by other code: recorded as one entry; returns its key.
    qint64 recordTables(const QString &kind, const QStringList &tables, const QByteArray &beforeJson,
                        const QByteArray &afterJson, const QString &summary);
    // What undoes such an entry: called with the entry's before JSON.
    void setTableUndo(std::function<void(const QByteArray &beforeJson)> undo) { m_tableUndo = std::move(undo); }

    // Every entry, newest first (read again from the table).
    QList<Entry> entries() const;
    // Why an entry cannot be undone; empty when it can.
    QString undoBlocker(qint64 key) const;
    // The same judged on `list`, the entries as entries() gave them (and added() since).
    QString undoBlocker(qint64 key, const QList<Entry> &list) const;
    // Undoes an entry; returns its summary. Throws UserError with the reason when it cannot.
    QString undo(qint64 key);
    // Undoes the last change of a watched table not undone yet; throws UserError when none.
    QString undoLast(zdb::Table *table);
    // The page name a table was watched under (empty for another).
    QString pageOf(const QString &tableFile) const;

Q_SIGNALS:
    // An entry was added, as stored (its key and time set): newer than any entries() gave.
    void added(const THistory::Entry &entry);
    // An entry was undone.
    void changed();

private:
    struct Watched {
        QPointer<zdb::Table> table;
        QString page;
    };
    void recordWrite(zdb::Table &table, const zdb::RowWrite &write);
    QString undo(qint64 key, const QList<Entry> &list);
    qint64 append(const Entry &entry);
    void markUndone(qint64 key);
    void renumberRow(const QString &tableFile, qint64 from, qint64 to);
    void undoRecord(const Entry &entry);
    zdb::Table *watchedTable(const QString &tableFile) const;
    static QStringList tablesOf(const Entry &entry);
    static bool touches(const Entry &later, const Entry &entry);

    zdb::Session *m_session;
    std::unique_ptr<zdb::Table> m_log;
    std::vector<Watched> m_watched;
    std::function<void()> m_beforeChange;
    std::function<void(const QByteArray &)> m_tableUndo;
    bool m_undoing = false;
};
