#include "uQuickRep.h"

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

TfrmQuickRep::TfrmQuickRep(Game *game, QWidget *parent) : QWidget(parent), m_game(game)
{
    setWindowTitle(QStringLiteral("frmQuickRep"));
    QuickRep1 = new TQuickRep(QStringLiteral("QuickRep1"), this);
    QuickRep1->setReportName(QStringLiteral("egyéni költségvetés"));
    QRBand1 = QuickRep1->band();

    const TQRElements make(QuickRep1, [game] { return game->DM ? game->DM->JatekosokDB : nullptr; });

    QRDBText1 = make.data("QRDBText1", 2.1, 2.1, 186.5, 6.1, kName, C, Fixed, "Nev");
    QRLabel1 = make.label("QRLabel1", 2.1, 10.6, 186.5, 4.5, kHeading, C, Fixed,
                     QStringLiteral("egyedülállóként a következő dolgokat szeretnéd megvalósítani"));
    QRLabel5 = make.label("QRLabel5", 2.1, 21.2, 10.1, 4.5, kHeading, L, Auto, QStringLiteral("Lakás"));
    QRMemo1 = make.memo("QRMemo1", 91.0, 25.4, 93.4, 27.8, kMemo);
    QRLabel9 = make.label("QRLabel9", 2.1, 27.5, 15.9, 4.5, kText, L, Auto, QStringLiteral("Kategória:"));
    QRDBText2 = make.data("QRDBText2", 33.9, 27.5, 22.8, 4.5, kText, L, Auto, "Haz_Kategoria");
    QRLabel7 = make.label("QRLabel7", 2.1, 33.9, 25.7, 4.5, kText, L, Auto, QStringLiteral("Törlesztőrészlet:"));
    QRDBText3 = make.data("QRDBText3", 33.9, 33.9, 35.7, 4.5, kText, L, Auto, "Haz_Torleszto_Reszlet");
    QRLabel8 = make.label("QRLabel8", 2.1, 40.2, 10.1, 4.5, kText, L, Auto, QStringLiteral("Rezsi:"));
    QRDBText4 = make.data("QRDBText4", 33.9, 40.2, 16.9, 4.5, kText, L, Auto, "Haz_Rezsi");
    QRLabel10 = make.label("QRLabel10", 2.1, 50.8, 17.7, 4.5, kHeading, L, Auto, QStringLiteral("Élelmiszer"));
    QRLabel11 = make.label("QRLabel11", 2.1, 57.1, 15.9, 4.5, kText, L, Auto, QStringLiteral("Kategória:"));
    QRDBText5 = make.data("QRDBText5", 33.9, 57.1, 32.8, 4.5, kText, L, Auto, "Elelmiszer_Kategoria");
    QRMemo2 = make.memo("QRMemo2", 91.0, 57.1, 93.4, 13.0, kMemo);
    QRLabel12 = make.label("QRLabel12", 2.1, 63.5, 4.8, 4.5, kText, L, Auto, QStringLiteral("Ár:"));
    QRDBText6 = make.data("QRDBText6", 33.9, 63.5, 35.2, 4.5, kText, L, Auto, "Elelmiszer_Atlagos_Ar");
    QRLabel13 = make.label("QRLabel13", 2.1, 74.1, 20.6, 4.5, kHeading, L, Auto, QStringLiteral("Ruházkodás"));
    QRLabel14 = make.label("QRLabel14", 2.1, 80.4, 15.9, 4.5, kText, L, Auto, QStringLiteral("Kategória:"));
    QRDBText7 = make.data("QRDBText7", 33.9, 80.4, 35.7, 4.5, kText, L, Auto, "Ruhazkodas_Kategoria");
    QRMemo3 = make.memo("QRMemo3", 91.0, 80.4, 93.4, 13.0, kMemo);
    QRLabel15 = make.label("QRLabel15", 2.1, 86.8, 4.8, 4.5, kText, L, Auto, QStringLiteral("Ár:"));
    QRDBText8 = make.data("QRDBText8", 33.9, 86.8, 38.1, 4.5, kText, L, Auto, "Ruhazkodas_Atlagos_Ar");
    QRLabel16 = make.label("QRLabel16", 2.1, 99.5, 19.6, 4.5, kHeading, L, Auto, QStringLiteral("Közlekedés"));
    QRMemo4 = make.memo("QRMemo4", 91.0, 103.7, 93.4, 13.0, kMemo);
    QRLabel17 = make.label("QRLabel17", 2.1, 105.8, 15.9, 4.5, kText, L, Auto, QStringLiteral("Kategória:"));
    QRDBText9 = make.data("QRDBText9", 33.9, 105.8, 34.7, 4.5, kText, L, Auto, "Kozlekedes_Kategoria");
    QRLabel18 = make.label("QRLabel18", 2.1, 112.2, 4.8, 4.5, kText, L, Auto, QStringLiteral("Ár:"));
    QRDBText10 = make.data("QRDBText10", 33.9, 112.2, 37.0, 4.5, kText, L, Auto, "Kozlekedes_Atlagos_Ar");
    QRLabel19 = make.label("QRLabel19", 2.1, 124.9, 19.6, 4.5, kHeading, L, Auto, QStringLiteral("Szórakozás"));
    QRLabel3 = make.label("QRLabel3", 2.1, 131.2, 4.8, 4.5, kText, L, Auto, QStringLiteral("Ár:"));
    szorakozas_ar = make.label("szorakozas_ar", 33.9, 131.2, 22.8, 4.5, kText, L, Auto);
    QRMemo5 = make.memo("QRMemo5", 91.0, 131.2, 93.4, 29.9, kMemo);
    QRLabel22 = make.label("QRLabel22", 2.1, 160.9, 10.1, 4.5, kHeading, L, Auto, QStringLiteral("Hobbi"));
    QRLabel24 = make.label("QRLabel24", 2.1, 167.2, 4.8, 4.5, kText, L, Auto, QStringLiteral("Ár:"));
    hobbi_ar = make.label("hobbi_ar", 33.9, 167.2, 13.2, 4.5, kText, L, Auto);
    QRMemo6 = make.memo("QRMemo6", 91.0, 167.2, 93.4, 32.0, kMemo);
    Osszeg = make.label("Osszeg", 97.4, 209.6, 38.4, 6.6, kTotal, R, Fixed);
    QRLabel26 = make.label("QRLabel26", 137.6, 209.6, 32.0, 6.6, kTotal, L, Fixed, QStringLiteral("Ft"));
    QRLabel25 = make.label("QRLabel25", 2.1, 211.7, 90.0, 4.5, kText, L, Auto,
                      QStringLiteral("Az általad választott paraméterekkel a havi összköltséged:"));

    QuickRep1->setPlayerNameSource([this] { return QRDBText1->text(); });
}

void TfrmQuickRep::Preview()
{
    m_game->dialogs()->preview(*QuickRep1);
}
