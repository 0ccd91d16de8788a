#include "game/reportlayouts.h"

#include "game/adatinit.h"
#include "game/game.h"

namespace reportlayouts {

namespace {

const TQRFont kText{TQRFont::Arial, 10};
const TQRFont kHeading{TQRFont::Arial, 10, true};
const TQRFont kName{TQRFont::Arial, 14, true};
const TQRFont kMemo{TQRFont::Arial, 8};
const TQRFont kTotal{TQRFont::Arial, 16};
const TQRFont kTitle{TQRFont::TimesNewRoman, 72, false, true};
const TQRFont kBigName{TQRFont::Arial, 22, true};
const TQRFont kFor{TQRFont::TimesNewRoman, 22, false, true};
const TQRFont kSentence{TQRFont::TimesNewRoman, 18};
const TQRFont kSavings{TQRFont::Arial, 10, true};
constexpr auto L = TQRAlignment::Left;
constexpr auto C = TQRAlignment::Centre;
constexpr auto R = TQRAlignment::Right;
constexpr bool Auto = true;
constexpr bool Fixed = false;
constexpr bool OnPage = true;
constexpr bool InBand = false;

TQRLayoutElement label(const char *name, double l, double t, double w, double h, const TQRFont &font,
                       TQRAlignment alignment, bool autoSize, const char *caption)
{
    return {name, TQRLayoutElement::Label, QRectF(l, t, w, h), font, alignment, autoSize, caption};
}

TQRLayoutElement data(const char *name, double l, double t, double w, double h, const TQRFont &font,
                      TQRAlignment alignment, bool autoSize, const char *field, Table table)
{
    return {name, TQRLayoutElement::Data, QRectF(l, t, w, h), font, alignment, autoSize, field, table};
}

TQRLayoutElement memo(const char *name, double l, double t, double w, double h, const TQRFont &font)
{
    return {name, TQRLayoutElement::Memo, QRectF(l, t, w, h), font};
}

// A white frame.
TQRLayoutElement shape(const char *name, double l, double t, double w, double h)
{
    TQRLayoutElement e;
    e.name = name;
    e.kind = TQRLayoutElement::Shape;
    e.box = QRectF(l, t, w, h);
    return e;
}

TQRLayoutElement picture(const char *name, double l, double t, double w, double h, TQRImage::Mode mode, bool onPage,
                         const char *file)
{
    TQRLayoutElement e;
    e.name = name;
    e.kind = TQRLayoutElement::Picture;
    e.box = QRectF(l, t, w, h);
    e.text = file;
    e.mode = mode;
    e.onPage = onPage;
    return e;
}

// Report 1: what a single person's month costs.
const QVector<TQRLayoutElement> kReport1 = {
    data("QRDBText1", 2.1, 2.1, 186.5, 6.1, kName, C, Fixed, "Nev", Players),
    label("QRLabel1", 2.1, 10.6, 186.5, 4.5, kHeading, C, Fixed, "egyedülállóként a következő dolgokat szeretnéd megvalósítani"),
    label("QRLabel5", 2.1, 21.2, 10.1, 4.5, kHeading, L, Auto, "Lakás"),
    memo("QRMemo1", 91.0, 25.4, 93.4, 27.8, kMemo),
    label("QRLabel9", 2.1, 27.5, 15.9, 4.5, kText, L, Auto, "Kategória:"),
    data("QRDBText2", 33.9, 27.5, 22.8, 4.5, kText, L, Auto, "Haz_Kategoria", Players),
    label("QRLabel7", 2.1, 33.9, 25.7, 4.5, kText, L, Auto, "Törlesztőrészlet:"),
    data("QRDBText3", 33.9, 33.9, 35.7, 4.5, kText, L, Auto, "Haz_Torleszto_Reszlet", Players),
    label("QRLabel8", 2.1, 40.2, 10.1, 4.5, kText, L, Auto, "Rezsi:"),
    data("QRDBText4", 33.9, 40.2, 16.9, 4.5, kText, L, Auto, "Haz_Rezsi", Players),
    label("QRLabel10", 2.1, 50.8, 17.7, 4.5, kHeading, L, Auto, "Élelmiszer"),
    label("QRLabel11", 2.1, 57.1, 15.9, 4.5, kText, L, Auto, "Kategória:"),
    data("QRDBText5", 33.9, 57.1, 32.8, 4.5, kText, L, Auto, "Elelmiszer_Kategoria", Players),
    memo("QRMemo2", 91.0, 57.1, 93.4, 13.0, kMemo),
    label("QRLabel12", 2.1, 63.5, 4.8, 4.5, kText, L, Auto, "Ár:"),
    data("QRDBText6", 33.9, 63.5, 35.2, 4.5, kText, L, Auto, "Elelmiszer_Atlagos_Ar", Players),
    label("QRLabel13", 2.1, 74.1, 20.6, 4.5, kHeading, L, Auto, "Ruházkodás"),
    label("QRLabel14", 2.1, 80.4, 15.9, 4.5, kText, L, Auto, "Kategória:"),
    data("QRDBText7", 33.9, 80.4, 35.7, 4.5, kText, L, Auto, "Ruhazkodas_Kategoria", Players),
    memo("QRMemo3", 91.0, 80.4, 93.4, 13.0, kMemo),
    label("QRLabel15", 2.1, 86.8, 4.8, 4.5, kText, L, Auto, "Ár:"),
    data("QRDBText8", 33.9, 86.8, 38.1, 4.5, kText, L, Auto, "Ruhazkodas_Atlagos_Ar", Players),
    label("QRLabel16", 2.1, 99.5, 19.6, 4.5, kHeading, L, Auto, "Közlekedés"),
    memo("QRMemo4", 91.0, 103.7, 93.4, 13.0, kMemo),
    label("QRLabel17", 2.1, 105.8, 15.9, 4.5, kText, L, Auto, "Kategória:"),
    data("QRDBText9", 33.9, 105.8, 34.7, 4.5, kText, L, Auto, "Kozlekedes_Kategoria", Players),
    label("QRLabel18", 2.1, 112.2, 4.8, 4.5, kText, L, Auto, "Ár:"),
    data("QRDBText10", 33.9, 112.2, 37.0, 4.5, kText, L, Auto, "Kozlekedes_Atlagos_Ar", Players),
    label("QRLabel19", 2.1, 124.9, 19.6, 4.5, kHeading, L, Auto, "Szórakozás"),
    label("QRLabel3", 2.1, 131.2, 4.8, 4.5, kText, L, Auto, "Ár:"),
    label("szorakozas_ar", 33.9, 131.2, 22.8, 4.5, kText, L, Auto, ""),
    memo("QRMemo5", 91.0, 131.2, 93.4, 29.9, kMemo),
    label("QRLabel22", 2.1, 160.9, 10.1, 4.5, kHeading, L, Auto, "Hobbi"),
    label("QRLabel24", 2.1, 167.2, 4.8, 4.5, kText, L, Auto, "Ár:"),
    label("hobbi_ar", 33.9, 167.2, 13.2, 4.5, kText, L, Auto, ""),
    memo("QRMemo6", 91.0, 167.2, 93.4, 32.0, kMemo),
    label("Osszeg", 97.4, 209.6, 38.4, 6.6, kTotal, R, Fixed, ""),
    label("QRLabel26", 137.6, 209.6, 32.0, 6.6, kTotal, L, Fixed, "Ft"),
    label("QRLabel25", 2.1, 211.7, 90.0, 4.5, kText, L, Auto, "Az általad választott paraméterekkel a havi összköltséged:"),
    // The year whose tax law and prices the costing follows, under the heading.
    label("adoev_szint", 2.1, 16.0, 186.5, 4.5, kText, C, Fixed, ""),
};

// Report 2: the family's month, in a white frame made first, so that it lies beneath everything.
const QVector<TQRLayoutElement> kReport2 = {
    shape("QRShape1", 0.0, -2.1, 189.7, 275.4),
    data("QRDBText1", 2.1, 2.1, 186.5, 6.1, kName, C, Fixed, "Nev", Players),
    label("QRLabel1", 2.1, 10.6, 186.5, 4.5, kHeading, C, Fixed, "házastársaddal a következő dolgokat szeretnéd megvalósítani"),
    label("QRLabel2", 2.1, 25.4, 45.5, 4.5, kText, L, Auto, "Az általad választott szakma:"),
    label("QRLabel4", 57.1, 25.4, 15.3, 4.5, kText, L, Auto, ""),
    label("QRLabel3", 2.1, 31.8, 21.7, 4.5, kText, L, Auto, "Bruttó fizetés:"),
    data("QRDBText8", 33.9, 31.8, 21.7, 4.5, kText, R, Fixed, "Brutto_jov", Players),
    label("QRLabel27", 57.1, 31.8, 3.4, 4.5, kText, L, Auto, "Ft"),
    label("QRLabel28", 99.5, 31.8, 33.6, 4.5, kText, L, Auto, "Család nettó fizetése:"),
    data("QRDBText6", 139.7, 31.8, 14.3, 4.5, kText, L, Auto, "Netto_jov", Players),
    label("Ennyienvagytok", 2.1, 44.5, 24.3, 4.5, kText, L, Auto, ""),
    label("QRLabel5", 2.1, 61.4, 10.1, 4.5, kHeading, L, Auto, "Lakás"),
    label("QRLabel9", 2.1, 67.7, 15.9, 4.5, kText, L, Auto, "Kategória:"),
    data("QRDBText2", 33.9, 67.7, 22.8, 5.0, kText, L, Auto, "Haz_Kategoria", Players),
    memo("QRMemo1", 91.0, 67.7, 93.4, 21.4, kMemo),
    label("QRLabel7", 2.1, 74.1, 25.7, 4.5, kText, L, Auto, "Törlesztőrészlet:"),
    data("QRDBText3", 33.9, 74.1, 35.7, 4.5, kText, L, Auto, "Haz_Torleszto_Reszlet", Players),
    label("QRLabel8", 2.1, 80.4, 10.1, 4.5, kText, L, Auto, "Rezsi:"),
    data("QRDBText4", 33.9, 80.4, 16.9, 4.5, kText, L, Auto, "Haz_Rezsi", Players),
    label("QRLabel10", 2.1, 91.0, 17.7, 4.5, kHeading, L, Auto, "Élelmiszer"),
    label("QRLabel11", 2.1, 97.4, 15.9, 4.5, kText, L, Auto, "Kategória:"),
    data("QRDBText5", 33.9, 97.4, 32.8, 5.0, kText, L, Auto, "Elelmiszer_Kategoria", Players),
    memo("QRMemo2", 91.0, 97.4, 93.4, 23.5, kMemo),
    label("QRLabel12", 2.1, 103.7, 4.8, 4.5, kText, L, Auto, "Ár:"),
    label("elelmiszer_ar", 33.9, 103.7, 20.6, 4.5, kText, L, Auto, ""),
    label("elelmiszer_1fore", 2.1, 110.1, 25.1, 4.5, kText, L, Auto, ""),
    label("QRLabel13", 2.1, 124.9, 20.6, 4.5, kHeading, L, Auto, "Ruházkodás"),
    label("QRLabel14", 2.1, 131.2, 15.9, 4.5, kText, L, Auto, "Kategória:"),
    data("QRDBText7", 33.9, 131.2, 35.7, 5.0, kText, L, Auto, "Ruhazkodas_Kategoria", Players),
    memo("QRMemo3", 91.0, 131.2, 93.4, 25.7, kMemo),
    label("QRLabel15", 2.1, 137.6, 4.8, 4.5, kText, L, Auto, "Ár:"),
    label("ruhazkodas_ar", 33.9, 137.6, 22.8, 4.5, kText, L, Auto, ""),
    label("ruhazkodas_1fore", 2.1, 143.9, 27.3, 4.5, kText, L, Auto, ""),
    label("QRLabel16", 2.1, 158.8, 19.6, 4.5, kHeading, L, Auto, "Közlekedés"),
    label("QRLabel17", 2.1, 165.1, 15.9, 4.5, kText, L, Auto, "Kategória:"),
    data("QRDBText9", 33.9, 165.1, 34.7, 5.0, kText, L, Auto, "Kozlekedes_Kategoria", Players),
    memo("QRMemo4", 91.0, 165.1, 93.4, 23.5, kMemo),
    label("QRLabel18", 2.1, 171.4, 4.8, 4.5, kText, L, Auto, "Ár:"),
    label("kozlekedes_Ar", 33.9, 171.4, 23.0, 4.5, kText, L, Auto, ""),
    label("QRLabel19", 2.1, 192.6, 19.6, 4.5, kHeading, L, Auto, "Szórakozás"),
    label("QRLabel21", 2.1, 199.0, 4.8, 4.5, kText, L, Auto, "Ár:"),
    label("szorakozas_ar", 33.9, 199.0, 22.8, 4.5, kText, L, Auto, ""),
    memo("QRMemo5", 91.0, 199.0, 93.4, 19.3, kMemo),
    label("QRLabel22", 2.1, 220.1, 10.1, 4.5, kHeading, L, Auto, "Hobbi"),
    label("QRLabel24", 2.1, 226.5, 4.8, 4.5, kText, L, Auto, "Ár:"),
    label("hobbi_ar", 33.9, 226.5, 13.2, 4.5, kText, L, Auto, ""),
    memo("QRMemo6", 91.0, 226.5, 93.4, 15.1, kMemo),
    label("gyerektext", 2.1, 247.7, 16.4, 4.5, kText, L, Auto, ""),
    label("Osszeg", 97.4, 256.1, 38.4, 6.6, kTotal, R, Fixed, ""),
    label("QRLabel26", 137.6, 256.1, 32.0, 6.6, kTotal, L, Fixed, "Ft"),
    label("QRLabel25", 2.1, 258.2, 90.0, 4.5, kText, L, Auto, "Az általad választott paraméterekkel a havi összköltséged:"),
    label("adoev_szint", 2.1, 16.0, 186.5, 4.5, kText, C, Fixed, ""),
};

// Report 3: the certificate. The trophy lies on the page (measured from the sheet's corner) and
// is drawn over the band.
const QVector<TQRLayoutElement> kReport3 = {
    label("QRLabel1", 31.8, 2.1, 156.9, 29.1, kTitle, L, Fixed, "Oklevél"),
    picture("QRImage1", 148.2, 12.7, 48.9, 63.8, TQRImage::Stretch, OnPage, ":/pict/kupa.png"),
    data("QRDBText1", 2.1, 38.1, 133.6, 9.3, kBigName, C, Fixed, "Nev", Players),
    label("QRLabel2", 2.1, 46.6, 133.6, 10.8, kFor, C, Fixed, "részére"),
    label("QRLabel3", 2.1, 69.8, 186.5, 10.8, kSentence, C, Fixed, "Gratulálunk, hogy sikeresen elkészítetted családod költségvetését!"),
    data("QRDBText2", 2.1, 88.9, 186.5, 9.3, kBigName, C, Fixed, "Szakma_nev", Professions),
    label("QRLabel4", 2.1, 99.5, 186.5, 10.8, kSentence, C, Fixed, "szakmát választottál"),
    label("QRLabel5", 2.1, 135.5, 186.5, 10.8, kSentence, C, Fixed, "Sikerült jól gazdálkodnod és a család bevételeit megfelelően beosztanod"),
    label("QRLabel7", 87.3, 150.3, 16.7, 4.5, kSavings, C, Auto, ""),
    label("QRLabel6", 2.1, 171.4, 186.5, 10.8, kSentence, C, Fixed, "Sok sikert kívánunk a valós életben is!"),
    picture("QRImage2", 4.2, 182.0, 184.4, 91.3, TQRImage::NaturalSizeClipped, InBand, ":/pict/szalag.png"),
    // The year of the game, in the free space under the profession.
    label("adoev_szint", 2.1, 118.0, 186.5, 4.5, kText, C, Fixed, ""),
};

TQRLayoutElement bar(const char *name, double l, double t, double w, double h)
{
    TQRLayoutElement e;
    e.name = name;
    e.kind = TQRLayoutElement::Bar;
    e.box = QRectF(l, t, w, h);
    e.font = kMemo;
    return e;
}

// Page 2 of the family's budget: the month as a picture. The net income and the month's
// costs as two bars on one scale, what remains or is missing, the what-if of a budget that
// does not balance, and a legend naming every part with its figure.
const QVector<TQRLayoutElement> kReport4 = {
    data("QRDBText1", 2.1, 2.1, 186.5, 6.1, kName, C, Fixed, "Nev", Players),
    label("cim", 2.1, 10.6, 186.5, 4.5, kHeading, C, Fixed, "családjának hónapja egy képen"),
    label("adoev_szint", 2.1, 16.0, 186.5, 4.5, kText, C, Fixed, ""),
    label("QRLabelBevetel", 2.1, 28.0, 60.0, 4.5, kHeading, L, Auto, "Bevétel: a család nettó jövedelme"),
    bar("bevetel", 2.1, 33.5, 186.0, 20.0),
    label("QRLabelKiadasok", 2.1, 60.0, 60.0, 4.5, kHeading, L, Auto, "Kiadások: a hónap költségei"),
    bar("kiadasok", 2.1, 65.5, 186.0, 20.0),
    label("egyenleg", 2.1, 92.0, 186.5, 6.6, kTotal, L, Fixed, ""),
    label("mitha", 2.1, 101.0, 186.5, 10.0, kText, L, Fixed, ""),
    // The month's surprise of a balanced budget, where a failed one has its what-if.
    label("meglepetes_cim", 2.1, 101.0, 186.5, 4.5, kHeading, L, Fixed, ""),
    memo("meglepetes", 2.1, 106.0, 186.5, 14.0, kText),
    label("meglepetes_eredmeny", 2.1, 120.5, 186.5, 9.0, kText, L, Fixed, ""),
    label("QRLabelJelmagyarazat", 2.1, 131.0, 40.0, 4.5, kHeading, L, Auto, "Jelmagyarázat"),
    bar("jel1", 2.1, 137.0, 12.0, 5.0), label("jelszoveg1", 17.0, 137.3, 170.0, 4.5, kText, L, Auto, ""),
    bar("jel2", 2.1, 144.0, 12.0, 5.0), label("jelszoveg2", 17.0, 144.3, 170.0, 4.5, kText, L, Auto, ""),
    bar("jel3", 2.1, 151.0, 12.0, 5.0), label("jelszoveg3", 17.0, 151.3, 170.0, 4.5, kText, L, Auto, ""),
    bar("jel4", 2.1, 158.0, 12.0, 5.0), label("jelszoveg4", 17.0, 158.3, 170.0, 4.5, kText, L, Auto, ""),
    bar("jel5", 2.1, 165.0, 12.0, 5.0), label("jelszoveg5", 17.0, 165.3, 170.0, 4.5, kText, L, Auto, ""),
    bar("jel6", 2.1, 172.0, 12.0, 5.0), label("jelszoveg6", 17.0, 172.3, 170.0, 4.5, kText, L, Auto, ""),
    bar("jel7", 2.1, 179.0, 12.0, 5.0), label("jelszoveg7", 17.0, 179.3, 170.0, 4.5, kText, L, Auto, ""),
    bar("jel8", 2.1, 186.0, 12.0, 5.0), label("jelszoveg8", 17.0, 186.3, 170.0, 4.5, kText, L, Auto, ""),
    bar("jel9", 2.1, 193.0, 12.0, 5.0), label("jelszoveg9", 17.0, 193.3, 170.0, 4.5, kText, L, Auto, ""),
    label("magyarazat", 2.1, 204.0, 186.5, 30.0, kText, L, Fixed,
          "A felső sáv a család egy havi nettó jövedelme, az alsó a hónap kiadásai ugyanabban a léptékben: a "
          "lakás a törlesztőrészlettel és a rezsivel, az élelmiszer és a ruházkodás az egész családra, a "
          "közlekedés, a választott hobbik és szórakozások, és a gyerekek havi költsége. Ha a jövedelem több, "
          "a kiadások sávjának végén az látszik, ami megmarad; ha kevesebb, a jövedelem sávjának végén pirossal "
          "a hiány."),
};

}  // namespace

const QVector<TQRLayoutElement> &layout(int number)
{
    static const QVector<TQRLayoutElement> none;
    switch (number) {
    case 1: return kReport1;
    case 2: return kReport2;
    case 3: return kReport3;
    case 4: return kReport4;
    }
    return none;
}

void build(TQuickRep *report, int number, Game *game)
{
    buildLayout(report, layout(number), [game](int table) -> TQRDBText::TableFn {
        switch (table) {
        case Players: return [game] { return game->DM ? game->DM->JatekosokDB : nullptr; };
        case Professions: return [game] { return game->DM ? game->DM->SzakmaDB : nullptr; };
        }
        return {};
    });
}

}  // namespace reportlayouts
