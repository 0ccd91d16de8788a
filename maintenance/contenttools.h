#pragma once
// The teacher's content tools of the maintenance window: the content written to a content
// file and read back, the supplied figures put back, and the backups of the database. Each
// change replaces whole tables at once (all or none) and is recorded as one change through
// the recorder, whose undo hands the tables' earlier rows back to putBack().

#include "db/tableset.h"
#include "maintenance/backups.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class Dialogs;
class TZomir0001;
namespace zdb {
class Session;
}

class TContentTools : public QObject {
    Q_OBJECT
public:
    // kind ("Importálás", "Eredeti adatok", "Visszaállítás mentésből"), the tables changed,
    // the content file of their rows before and after, and a line saying what changed.
    using Recorder = std::function<void(const QString &kind, const QStringList &tables, const QByteArray &beforeJson,
                                        const QByteArray &afterJson, const QString &summary)>;

    TContentTools(TZomir0001 *window, zdb::Session *session, Dialogs *dialogs);

    void setRecorder(Recorder recorder) { m_recorder = std::move(recorder); }
    // Puts the tables of a content file back as they were in it (the undo of a recorded
    // change). Throws EngineError, and then nothing is changed.
    void putBack(const QByteArray &beforeJson);

    backups::Backups &backupStore() { return m_backups; }

    // The caption a table is named by in questions: its page's, else a name of its own.
    QString tableCaption(const QString &fileName) const;

public Q_SLOTS:
    void exportContent();      // "Tartalom exportálása…"
    void importContent();      // "Tartalom importálása…"
    // "Eredeti adatok visszaállítása…": the current page's table or every content table.
    void restoreOriginal();
    void makeBackup();         // "Biztonsági mentés"
    void restoreBackup();      // "Visszaállítás mentésből…"
    // A backup before the first change of each day; cheap once today's is known. A failure
    // is shown once a day and does not stop the change.
    void ensureDailyBackup();

private:
    struct Change {
        QString fileName;
        int added = 0;
        int changed = 0;
        int removed = 0;
        bool any() const { return added || changed || removed; }
    };
    // What putting `incoming` in place of `current` would change, table by table; gives the
    // incoming rows the identities of the rows they replace.
    QList<Change> compare(const zdb::TableSet &current, zdb::TableSet &incoming) const;
    QString changeLines(const QList<Change> &changes) const;
    QString summary(const QList<Change> &changes) const;
    // Replaces the tables that change and records it as one change of `kind`.
    void replaceAndRecord(const QString &kind, const zdb::TableSet &current, const zdb::TableSet &incoming,
                          const QList<Change> &changes, const zdb::TableSet &alsoReplace = {});
    // Stops with a message when a page holds an edit not yet stored.
    bool noPendingEdit();
    int folderYear(const zdb::TableSet &tables) const;

    TZomir0001 *m_window;
    zdb::Session *m_session;
    Dialogs *m_dialogs;
    backups::Backups m_backups;
    Recorder m_recorder;
    QDate m_dailyFailed;
};
