#pragma once
// The game's fixed screen set: the thirteen objects created once at start, in order,
// and the ways the program ends. One Game object is one run of the program; tests
// make a fresh one for each case.

#include <QObject>
#include <QString>

class Dialogs;
namespace zdb { class Session; }

class TfrmQuickRep3;
class TfrmQuickRep;
class TfrmQuickRep2;
class TfIndul;
class TfTeszt;
class TfSzakma;
class TfPalya;
class TDM;
class TMainForm;
class TDataModule2;
class TfJovedelem;
class TVege;
class TBer;

class Game : public QObject {
    Q_OBJECT
public:
    Game(zdb::Session *session, Dialogs *dialogs, QObject *parent = nullptr);
    ~Game() override;

    // Creates the objects 1 to 13 hidden, in their order. Returns false when the player
    // cancelled the database location dialog (the program must stop at once).
    bool create();
    // Shows the opening screen.
    void start();

    zdb::Session *session() const { return m_session; }
    Dialogs *dialogs() const { return m_dialogs; }

    // Ends the program after the current handler returns.
    void endProgram();
    bool ended() const { return m_ended; }

    // The single instances, named as the screens are.
    TfrmQuickRep3 *frmQuickRep3 = nullptr;
    TfrmQuickRep *frmQuickRep = nullptr;
    TfrmQuickRep2 *frmQuickRep2 = nullptr;
    TfIndul *fIndul = nullptr;
    TfTeszt *fTeszt = nullptr;
    TfSzakma *fSzakma = nullptr;
    TfPalya *fPalya = nullptr;
    TDM *DM = nullptr;
    TMainForm *MainForm = nullptr;
    TDataModule2 *DataModule2 = nullptr;
    TfJovedelem *fJovedelem = nullptr;
    TVege *Vege = nullptr;
    TBer *Ber = nullptr;

signals:
    void programEnded();

private:
    zdb::Session *m_session;
    Dialogs *m_dialogs;
    bool m_ended = false;
};
