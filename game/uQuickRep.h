#pragma once
// Report 1: the player's choices costed for one person ("egyedülállóként"), filled and
// previewed by the first costing of the budget evaluation. Its host window is never shown.

#include "controls/report.h"

#include <QWidget>

class Game;

class TfrmQuickRep : public QWidget {
    Q_OBJECT
public:
    explicit TfrmQuickRep(Game *game, QWidget *parent = nullptr);

    // Lays the page out with the current field values and previews it modally; returns
    // when the preview is closed.
    void Preview();

    TQuickRep *QuickRep1 = nullptr;
    TQRBand *QRBand1 = nullptr;

    TQRDBText *QRDBText1 = nullptr;   // JatekosokDB.Nev
    TQRLabel *QRLabel1 = nullptr;
    TQRLabel *QRLabel5 = nullptr;     // "Lakás"
    TQRMemo *QRMemo1 = nullptr;       // the house's description
    TQRLabel *QRLabel9 = nullptr;
    TQRDBText *QRDBText2 = nullptr;   // Haz_Kategoria
    TQRLabel *QRLabel7 = nullptr;
    TQRDBText *QRDBText3 = nullptr;   // Haz_Torleszto_Reszlet
    TQRLabel *QRLabel8 = nullptr;
    TQRDBText *QRDBText4 = nullptr;   // Haz_Rezsi
    TQRLabel *QRLabel10 = nullptr;    // "Élelmiszer"
    TQRLabel *QRLabel11 = nullptr;
    TQRDBText *QRDBText5 = nullptr;   // Elelmiszer_Kategoria
    TQRMemo *QRMemo2 = nullptr;       // the food's description
    TQRLabel *QRLabel12 = nullptr;
    TQRDBText *QRDBText6 = nullptr;   // Elelmiszer_Atlagos_Ar
    TQRLabel *QRLabel13 = nullptr;    // "Ruházkodás"
    TQRLabel *QRLabel14 = nullptr;
    TQRDBText *QRDBText7 = nullptr;   // Ruhazkodas_Kategoria
    TQRMemo *QRMemo3 = nullptr;       // the clothing's description
    TQRLabel *QRLabel15 = nullptr;
    TQRDBText *QRDBText8 = nullptr;   // Ruhazkodas_Atlagos_Ar
    TQRLabel *QRLabel16 = nullptr;    // "Közlekedés"
    TQRMemo *QRMemo4 = nullptr;       // the transport's description
    TQRLabel *QRLabel17 = nullptr;
    TQRDBText *QRDBText9 = nullptr;   // Kozlekedes_Kategoria
    TQRLabel *QRLabel18 = nullptr;
    TQRDBText *QRDBText10 = nullptr;  // Kozlekedes_Atlagos_Ar
    TQRLabel *QRLabel19 = nullptr;    // "Szórakozás"
    TQRLabel *QRLabel3 = nullptr;
    TQRLabel *szorakozas_ar = nullptr;  // the entertainment sum, set by the evaluation
    TQRMemo *QRMemo5 = nullptr;       // one line per chosen entertainment
    TQRLabel *QRLabel22 = nullptr;    // "Hobbi"
    TQRLabel *QRLabel24 = nullptr;
    TQRLabel *hobbi_ar = nullptr;     // the hobby sum, set by the evaluation
    TQRMemo *QRMemo6 = nullptr;       // one line per chosen hobby
    TQRLabel *Osszeg = nullptr;       // the single-person total, digits only
    TQRLabel *QRLabel26 = nullptr;    // "Ft"
    TQRLabel *QRLabel25 = nullptr;
    TQRLabel *adoev_szint = nullptr;  // the year's tax and price levels, set by the evaluation

private:
    Game *m_game;
};
