#pragma once
// The utility's window of archiving, opened from the results page ("Archiválás…"): the
// period of play chosen with two dates, "Archiválás…" writing the finished games of that
// period into an archive file (archive.h) and taking them out of the players' table after a
// question naming how many of which period, and "Archívum visszatöltése…" putting the games
// of such a file back.

#include <QWidget>

class Dialogs;
class QDateEdit;
class QKeyEvent;
class QLabel;
class QPushButton;
class QStatusBar;
namespace zdb {
class Session;
}

class TArchiveWindow : public QWidget {
    Q_OBJECT
public:
    // `statusBar`: where the file and the count are told (the utility's).
    TArchiveWindow(zdb::Session *session, Dialogs *dialogs, QStatusBar *statusBar, QWidget *parent = nullptr);

    QDateEdit *DateEdit80 = nullptr;   // "Ettől:" the first day of play
    QDateEdit *DateEdit81 = nullptr;   // "Eddig:" the last day of play
    QLabel *Label82 = nullptr;         // what "finished" means
    QPushButton *BitBtn80 = nullptr;   // "Archiválás…"
    QPushButton *BitBtn81 = nullptr;   // "Archívum visszatöltése…"
    QPushButton *BitBtn82 = nullptr;   // "Bezárás"

Q_SIGNALS:
    // Games left the players' table or came back: the results page reads its rows again.
    void gamesChanged();

public Q_SLOTS:
    void BitBtn80Click();
    void BitBtn81Click();

private:
    zdb::Session *m_session;
    Dialogs *m_dialogs;
    QStatusBar *m_statusBar;
protected:
    // Escape closes the window, as it does a dialog.
    void keyPressEvent(QKeyEvent *event) override;
};
