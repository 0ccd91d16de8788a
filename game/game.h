#pragma once
// The game's fixed screen set: the thirteen objects created once at start, in order,
// and the ways the program ends. One Game object is one run of the program; tests
// make a fresh one for each case.

#include "game/gamestate.h"

#include <QMap>
#include <QList>
#include <QObject>
#include <QString>

class Dialogs;
class QFont;
class QLabel;
class QWidget;
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

    // Creates the objects 1 to 13 hidden. Returns false when the player cancelled the
    // database location dialog (the program must stop at once).
    bool create();
    // The same in two parts, for the program's start: what the opening screen needs (the
    // opening screen and the data module, whose errors and first-start message come before
    // anything is shown), and the rest, which the program makes once the opening screen is
    // painted (createRestAfterFirstPaint). Any move to another screen makes the rest first,
    // so that no screen waits for it; making it twice does nothing.
    bool createOpening();
    void createRest();
    void createRestAfterFirstPaint();
    // Shows the opening screen.
    void start();

    zdb::Session *session() const { return m_session; }
    Dialogs *dialogs() const { return m_dialogs; }

    // The screen map: every move between screens goes through here, so that screens never
    // need each other's classes.
    enum class Screen { Indul, Teszt, Szakma, Palya, Main, Jovedelem, Vege, Ber };
    QWidget *screen(Screen which) const;
    // Makes a screen visible, raised and active.
    void show(Screen which);
    // Every screen object is registered once, when it is made.
    void registerScreen(Screen which, QWidget *widget);
    // Hides a screen without asking it.
    void hide(Screen which);
    // Makes `page` the current page of the main window (its tab the only one shown) and
    // shows the main window.
    void showMainPage(int page);
    // Shows the main window with only its "Név" tab (the opening screen's start).
    void showNamePage();

    // The state the screens share for the whole run.
    GameState state;

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

    // The application-wide help file named before any screen is made. Our own help window
    // stands in for the viewer; the path is kept for completeness.
    static QString helpFile() { return QStringLiteral("C:\\Ravavudor\\jo\\ZOMIRjo.HLP"); }

Q_SIGNALS:
    void programEnded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Keeps an object of the screen set; they are destroyed in the reverse order of making.
    template <class T> T *own(T *object)
    {
        m_owned.append(object);
        return object;
    }
    void createRestNow();   // the rest after the first paint; an error ends the program
    QList<QObject *> m_owned;
    bool m_restMade = false;
    bool m_restAfterPaint = false;
    QMap<Screen, QWidget *> m_screens;
    zdb::Session *m_session;
    Dialogs *m_dialogs;
    bool m_ended = false;
};

// Look shared by every game screen.
namespace gamescreen {
// Background RGB(209, 209, 209), filled by the window itself.
void applyBackground(QWidget *screen);
// Moves a top-level window so that its frame is centred on the desktop it is on.
void centreOnDesktop(QWidget *screen);
// Centres a screen on the desktop when it is first shown; later shows leave it where the
// player put it.
void centreOnFirstShow(QWidget *screen);
// Makes a label's font smaller, if need be, until its text fits its fixed size (one line,
// or the label's height when it wraps).
void fitTextToWidth(QLabel *label);
// Help context of a screen, page or control (the topic F1 opens); 0 means none.
void setHelpContext(QWidget *widget, int context);
int helpContext(const QWidget *widget);
// The help context F1 opens for a focused widget: its own, else that of the nearest
// enclosing widget that has one (page, then screen); 0 when none has one.
int helpContextFor(const QWidget *focused);
}  // namespace gamescreen
