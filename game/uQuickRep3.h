#pragma once
// Report 3: the certificate ("Oklevél") for a family budget that works, previewed after a
// successful family budget check. Its host window is never shown.

#include "controls/report.h"

#include <QWidget>

class Game;

class TfrmQuickRep3 : public QWidget {
    Q_OBJECT
public:
    explicit TfrmQuickRep3(Game *game, QWidget *parent = nullptr);

    // Lays the page out with the current field values and previews it modally; returns
    // when the preview is closed.
    void Preview();

    TQuickRep *QuickRep1 = nullptr;
    TQRBand *QRBand1 = nullptr;

    TQRLabel *QRLabel1 = nullptr;    // "Oklevél"
    TQRImage *QRImage1 = nullptr;    // the trophy, on the page over the band
    TQRDBText *QRDBText1 = nullptr;  // JatekosokDB.Nev
    TQRLabel *QRLabel2 = nullptr;    // "részére"
    TQRLabel *QRLabel3 = nullptr;
    TQRDBText *QRDBText2 = nullptr;  // SzakmaDB.Szakma_nev
    TQRLabel *QRLabel4 = nullptr;
    TQRLabel *QRLabel5 = nullptr;
    TQRLabel *QRLabel7 = nullptr;    // the savings, set by the evaluation (empty: nothing to save)
    TQRLabel *QRLabel6 = nullptr;
    TQRImage *QRImage2 = nullptr;    // the banner
    TQRLabel *adoev_szint = nullptr;  // the year's tax and price levels, set by the evaluation

private:
    Game *m_game;
};
