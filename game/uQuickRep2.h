#pragma once
// Report 2: the player's choices costed for the family ("házastársaddal"), with the
// profession, the wages and the family size, and after it a page of its own with the month
// as a picture (layout 4); filled and previewed, both pages together, by the family budget
// check of the budget evaluation. Its host window is never shown.

#include "controls/report.h"

#include <QWidget>

class Game;

class TfrmQuickRep2 : public QWidget {
    Q_OBJECT
public:
    explicit TfrmQuickRep2(Game *game, QWidget *parent = nullptr);

    // Lays the two pages out with the current field values and previews them modally;
    // returns when the preview is closed.
    void Preview();

    // The family report's page followed by the chart's, as previewed and printed.
    const Report &pages() const { return m_pages; }

    TQuickRep *QuickRep1 = nullptr;
    TQRBand *QRBand1 = nullptr;

    TQRShape *QRShape1 = nullptr;         // the frame, beneath everything
    TQRDBText *QRDBText1 = nullptr;       // JatekosokDB.Nev
    TQRLabel *QRLabel1 = nullptr;
    TQRLabel *QRLabel2 = nullptr;
    TQRLabel *QRLabel4 = nullptr;         // the profession's name, set by the evaluation
    TQRLabel *QRLabel3 = nullptr;
    TQRDBText *QRDBText8 = nullptr;       // Brutto_jov
    TQRLabel *QRLabel27 = nullptr;        // "Ft"
    TQRLabel *QRLabel28 = nullptr;
    TQRDBText *QRDBText6 = nullptr;       // Netto_jov
    TQRLabel *Ennyienvagytok = nullptr;   // the family size, set by the evaluation
    TQRLabel *QRLabel5 = nullptr;         // "Lakás"
    TQRLabel *QRLabel9 = nullptr;
    TQRDBText *QRDBText2 = nullptr;       // Haz_Kategoria
    TQRMemo *QRMemo1 = nullptr;           // the house's description
    TQRLabel *QRLabel7 = nullptr;
    TQRDBText *QRDBText3 = nullptr;       // Haz_Torleszto_Reszlet
    TQRLabel *QRLabel8 = nullptr;
    TQRDBText *QRDBText4 = nullptr;       // Haz_Rezsi
    TQRLabel *QRLabel10 = nullptr;        // "Élelmiszer"
    TQRLabel *QRLabel11 = nullptr;
    TQRDBText *QRDBText5 = nullptr;       // Elelmiszer_Kategoria
    TQRMemo *QRMemo2 = nullptr;           // the food's description
    TQRLabel *QRLabel12 = nullptr;
    TQRLabel *elelmiszer_ar = nullptr;    // the family's food cost
    TQRLabel *elelmiszer_1fore = nullptr; // food per person
    TQRLabel *QRLabel13 = nullptr;        // "Ruházkodás"
    TQRLabel *QRLabel14 = nullptr;
    TQRDBText *QRDBText7 = nullptr;       // Ruhazkodas_Kategoria
    TQRMemo *QRMemo3 = nullptr;           // the clothing's description
    TQRLabel *QRLabel15 = nullptr;
    TQRLabel *ruhazkodas_ar = nullptr;    // the family's clothing cost
    TQRLabel *ruhazkodas_1fore = nullptr; // clothing per person
    TQRLabel *QRLabel16 = nullptr;        // "Közlekedés"
    TQRLabel *QRLabel17 = nullptr;
    TQRDBText *QRDBText9 = nullptr;       // Kozlekedes_Kategoria
    TQRMemo *QRMemo4 = nullptr;           // the transport's description
    TQRLabel *QRLabel18 = nullptr;
    TQRLabel *kozlekedes_Ar = nullptr;    // the family's transport cost
    TQRLabel *QRLabel19 = nullptr;        // "Szórakozás"
    TQRLabel *QRLabel21 = nullptr;
    TQRLabel *szorakozas_ar = nullptr;    // the entertainment sum
    TQRMemo *QRMemo5 = nullptr;           // one line per chosen entertainment
    TQRLabel *QRLabel22 = nullptr;        // "Hobbi"
    TQRLabel *QRLabel24 = nullptr;
    TQRLabel *hobbi_ar = nullptr;         // the hobby sum
    TQRMemo *QRMemo6 = nullptr;           // one line per chosen hobby
    TQRLabel *gyerektext = nullptr;       // the children's cost (empty without children)
    TQRLabel *Osszeg = nullptr;           // the family total, digits only
    TQRLabel *QRLabel26 = nullptr;        // "Ft"
    TQRLabel *QRLabel25 = nullptr;
    TQRLabel *adoev_szint = nullptr;  // the year's tax and price levels, set by the evaluation

    // The month as a picture, the page after the family report.
    TQuickRep *ChartRep = nullptr;
    TQRLabel *chartYear = nullptr;        // adoev_szint of the chart's page
    TQRBar *bevetel = nullptr;            // the net income (and a shortfall)
    TQRBar *kiadasok = nullptr;           // the costs by part (and what remains)
    TQRLabel *egyenleg = nullptr;         // "Marad: ..." or "Hiány: ..."
    TQRLabel *mitha = nullptr;            // the what-if of a budget that does not balance
    TQRLabel *meglepetesCim = nullptr;    // the month's surprise: its name and amount
    TQRMemo *meglepetes = nullptr;        // its story
    TQRLabel *meglepetesEredmeny = nullptr;   // whether the month's remainder covers it
    TQRBar *jel[9] = {};                  // the legend's swatches
    TQRLabel *jelszoveg[9] = {};          // and their texts

private:
    Game *m_game;
    TQRPages m_pages;
};
