#pragma once
// The utility's window of the games deleted on a classroom server ("Törölt játékok"),
// opened from the results page: the server's bin of deleted players' rows (kept
// zdb::Storage::binKeepDays days, readable by the teacher's role only) with the name, the
// date played, when it was deleted and the balance of each; "Visszaállítás" puts the
// selected ones back into the players' table after a question naming them.

#include <QWidget>

#include "db/storage.h"

class Dialogs;
class QKeyEvent;
class QLabel;
class QPushButton;
class QTreeWidget;
namespace zdb {
class Session;
}

class TGameBin : public QWidget {
    Q_OBJECT
public:
    TGameBin(zdb::Session *session, Dialogs *dialogs, QWidget *parent = nullptr);

    // Whether the game alias's storage keeps deleted games (a server): the results page
    // shows its button only then.
    static bool available(zdb::Session *session);

    // Reads the bin and shows the window; under a role that may not read it, or on a
    // server whose bin is not set up yet, says why instead. Throws the engine's error.
    void showBin();
    // The bin's rows shown, in the list's order.
    const QList<zdb::DeletedRow> &rows() const { return m_rows; }

    QTreeWidget *List70 = nullptr;     // name, date played, deleted at, balance
    QLabel *Label70 = nullptr;         // how many are kept, and for how long
    QPushButton *BitBtn70 = nullptr;   // "Visszaállítás"
    QPushButton *BitBtn71 = nullptr;   // "Bezárás"

Q_SIGNALS:
    // Games went back into the players' table: the results page reads its rows again.
    void gamesRestored(int count);

public Q_SLOTS:
    void BitBtn70Click();

private:
    void readBin();

    zdb::Session *m_session;
    Dialogs *m_dialogs;
    QList<zdb::DeletedRow> m_rows;
protected:
    // Escape closes the window, as it does a dialog.
    void keyPressEvent(QKeyEvent *event) override;
};
