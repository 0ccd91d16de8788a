#include "uQuickRep2.h"

#include "adatinit.h"
#include "dialogs.h"
#include "game.h"

namespace {
const TQRFont kText{TQRFont::Arial, 10};
const TQRFont kHeading{TQRFont::Arial, 10, true};
const TQRFont kName{TQRFont::Arial, 14, true};
const TQRFont kMemo{TQRFont::Arial, 8};
const TQRFont kTotal{TQRFont::Arial, 16};
constexpr auto L = TQRAlignment::Left;
constexpr auto C = TQRAlignment::Centre;
constexpr auto R = TQRAlignment::Right;
constexpr bool Auto = true;
constexpr bool Fixed = false;
}  // namespace

TfrmQuickRep2::TfrmQuickRep2(Game *game, QWidget *parent) : QWidget(parent), m_game(game)
{
    setWindowTitle(QStringLiteral("frmQuickRep2"));
    QuickRep1 = new TQuickRep(QStringLiteral("QuickRep1"), this);
    QuickRep1->setReportName(QStringLiteral("családi költségvetés"));
    QuickRep1->setHelpContext(14);
    QRBand1 = QuickRep1->band();

    const TQRElements make(QuickRep1, [game] { return game->DM ? game->DM->JatekosokDB : nullptr; });

    // The frame is made first, so it is drawn beneath everything.
    QRShape1 = new TQRShape(QuickRep1, QStringLiteral("QRShape1"), QRectF(0.0, -2.1, 189.7, 275.4), Qt::white);
    QRDBText1 = make.data("QRDBText1", 2.1, 2.1, 186.5, 6.1, kName, C, Fixed, "Nev");
    QRLabel1 = make.label("QRLabel1", 2.1, 10.6, 186.5, 4.5, kHeading, C, Fixed,
                     QStringLiteral("házastársaddal a következő dolgokat szeretnéd megvalósítani"));
    QRLabel2 = make.label("QRLabel2", 2.1, 25.4, 45.5, 4.5, kText, L, Auto, QStringLiteral("Az általad választott szakma:"));
    QRLabel4 = make.label("QRLabel4", 57.1, 25.4, 15.3, 4.5, kText, L, Auto);
    QRLabel3 = make.label("QRLabel3", 2.1, 31.8, 21.7, 4.5, kText, L, Auto, QStringLiteral("Bruttó fizetés:"));
    QRDBText8 = make.data("QRDBText8", 33.9, 31.8, 21.7, 4.5, kText, R, Fixed, "Brutto_jov");
    QRLabel27 = make.label("QRLabel27", 57.1, 31.8, 3.4, 4.5, kText, L, Auto, QStringLiteral("Ft"));
    QRLabel28 = make.label("QRLabel28", 99.5, 31.8, 33.6, 4.5, kText, L, Auto, QStringLiteral("Család nettó fizetése:"));
    QRDBText6 = make.data("QRDBText6", 139.7, 31.8, 14.3, 4.5, kText, L, Auto, "Netto_jov");
    Ennyienvagytok = make.label("Ennyienvagytok", 2.1, 44.5, 24.3, 4.5, kText, L, Auto);
    QRLabel5 = make.label("QRLabel5", 2.1, 61.4, 10.1, 4.5, kHeading, L, Auto, QStringLiteral("Lakás"));
    QRLabel9 = make.label("QRLabel9", 2.1, 67.7, 15.9, 4.5, kText, L, Auto, QStringLiteral("Kategória:"));
    QRDBText2 = make.data("QRDBText2", 33.9, 67.7, 22.8, 5.0, kText, L, Auto, "Haz_Kategoria");
    QRMemo1 = make.memo("QRMemo1", 91.0, 67.7, 93.4, 21.4, kMemo);
    QRLabel7 = make.label("QRLabel7", 2.1, 74.1, 25.7, 4.5, kText, L, Auto, QStringLiteral("Törlesztőrészlet:"));
    QRDBText3 = make.data("QRDBText3", 33.9, 74.1, 35.7, 4.5, kText, L, Auto, "Haz_Torleszto_Reszlet");
    QRLabel8 = make.label("QRLabel8", 2.1, 80.4, 10.1, 4.5, kText, L, Auto, QStringLiteral("Rezsi:"));
    QRDBText4 = make.data("QRDBText4", 33.9, 80.4, 16.9, 4.5, kText, L, Auto, "Haz_Rezsi");
    QRLabel10 = make.label("QRLabel10", 2.1, 91.0, 17.7, 4.5, kHeading, L, Auto, QStringLiteral("Élelmiszer"));
    QRLabel11 = make.label("QRLabel11", 2.1, 97.4, 15.9, 4.5, kText, L, Auto, QStringLiteral("Kategória:"));
    QRDBText5 = make.data("QRDBText5", 33.9, 97.4, 32.8, 5.0, kText, L, Auto, "Elelmiszer_Kategoria");
    QRMemo2 = make.memo("QRMemo2", 91.0, 97.4, 93.4, 23.5, kMemo);
    QRLabel12 = make.label("QRLabel12", 2.1, 103.7, 4.8, 4.5, kText, L, Auto, QStringLiteral("Ár:"));
    elelmiszer_ar = make.label("elelmiszer_ar", 33.9, 103.7, 20.6, 4.5, kText, L, Auto);
    elelmiszer_1fore = make.label("elelmiszer_1fore", 2.1, 110.1, 25.1, 4.5, kText, L, Auto);
    QRLabel13 = make.label("QRLabel13", 2.1, 124.9, 20.6, 4.5, kHeading, L, Auto, QStringLiteral("Ruházkodás"));
    QRLabel14 = make.label("QRLabel14", 2.1, 131.2, 15.9, 4.5, kText, L, Auto, QStringLiteral("Kategória:"));
    QRDBText7 = make.data("QRDBText7", 33.9, 131.2, 35.7, 5.0, kText, L, Auto, "Ruhazkodas_Kategoria");
    QRMemo3 = make.memo("QRMemo3", 91.0, 131.2, 93.4, 25.7, kMemo);
    QRLabel15 = make.label("QRLabel15", 2.1, 137.6, 4.8, 4.5, kText, L, Auto, QStringLiteral("Ár:"));
    ruhazkodas_ar = make.label("ruhazkodas_ar", 33.9, 137.6, 22.8, 4.5, kText, L, Auto);
    ruhazkodas_1fore = make.label("ruhazkodas_1fore", 2.1, 143.9, 27.3, 4.5, kText, L, Auto);
    QRLabel16 = make.label("QRLabel16", 2.1, 158.8, 19.6, 4.5, kHeading, L, Auto, QStringLiteral("Közlekedés"));
    QRLabel17 = make.label("QRLabel17", 2.1, 165.1, 15.9, 4.5, kText, L, Auto, QStringLiteral("Kategória:"));
    QRDBText9 = make.data("QRDBText9", 33.9, 165.1, 34.7, 5.0, kText, L, Auto, "Kozlekedes_Kategoria");
    QRMemo4 = make.memo("QRMemo4", 91.0, 165.1, 93.4, 23.5, kMemo);
    QRLabel18 = make.label("QRLabel18", 2.1, 171.4, 4.8, 4.5, kText, L, Auto, QStringLiteral("Ár:"));
    kozlekedes_Ar = make.label("kozlekedes_Ar", 33.9, 171.4, 23.0, 4.5, kText, L, Auto);
    QRLabel19 = make.label("QRLabel19", 2.1, 192.6, 19.6, 4.5, kHeading, L, Auto, QStringLiteral("Szórakozás"));
    QRLabel21 = make.label("QRLabel21", 2.1, 199.0, 4.8, 4.5, kText, L, Auto, QStringLiteral("Ár:"));
    szorakozas_ar = make.label("szorakozas_ar", 33.9, 199.0, 22.8, 4.5, kText, L, Auto);
    QRMemo5 = make.memo("QRMemo5", 91.0, 199.0, 93.4, 19.3, kMemo);
    QRLabel22 = make.label("QRLabel22", 2.1, 220.1, 10.1, 4.5, kHeading, L, Auto, QStringLiteral("Hobbi"));
    QRLabel24 = make.label("QRLabel24", 2.1, 226.5, 4.8, 4.5, kText, L, Auto, QStringLiteral("Ár:"));
    hobbi_ar = make.label("hobbi_ar", 33.9, 226.5, 13.2, 4.5, kText, L, Auto);
    QRMemo6 = make.memo("QRMemo6", 91.0, 226.5, 93.4, 15.1, kMemo);
    gyerektext = make.label("gyerektext", 2.1, 247.7, 16.4, 4.5, kText, L, Auto);
    Osszeg = make.label("Osszeg", 97.4, 256.1, 38.4, 6.6, kTotal, R, Fixed);
    QRLabel26 = make.label("QRLabel26", 137.6, 256.1, 32.0, 6.6, kTotal, L, Fixed, QStringLiteral("Ft"));
    QRLabel25 = make.label("QRLabel25", 2.1, 258.2, 90.0, 4.5, kText, L, Auto,
                      QStringLiteral("Az általad választott paraméterekkel a havi összköltséged:"));

    QuickRep1->setPlayerNameSource([this] { return QRDBText1->text(); });
}

void TfrmQuickRep2::Preview()
{
    m_game->dialogs()->preview(*QuickRep1);
}
