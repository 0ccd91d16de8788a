#include "game/uQuickRep.h"

#include "controls/dialogs.h"
#include "game/game.h"
#include "game/reportlayouts.h"

TfrmQuickRep::TfrmQuickRep(Game *game, QWidget *parent) : QWidget(parent), m_game(game)
{
    setWindowTitle(QStringLiteral("frmQuickRep"));
    QuickRep1 = new TQuickRep(QStringLiteral("QuickRep1"), this);
    QuickRep1->setReportName(QStringLiteral("egyéni költségvetés"));
    QRBand1 = QuickRep1->band();

    reportlayouts::build(QuickRep1, 1, game);
    QRDBText1 = layoutElement<TQRDBText>(QuickRep1, "QRDBText1");
    QRLabel1 = layoutElement<TQRLabel>(QuickRep1, "QRLabel1");
    QRLabel5 = layoutElement<TQRLabel>(QuickRep1, "QRLabel5");
    QRMemo1 = layoutElement<TQRMemo>(QuickRep1, "QRMemo1");
    QRLabel9 = layoutElement<TQRLabel>(QuickRep1, "QRLabel9");
    QRDBText2 = layoutElement<TQRDBText>(QuickRep1, "QRDBText2");
    QRLabel7 = layoutElement<TQRLabel>(QuickRep1, "QRLabel7");
    QRDBText3 = layoutElement<TQRDBText>(QuickRep1, "QRDBText3");
    QRLabel8 = layoutElement<TQRLabel>(QuickRep1, "QRLabel8");
    QRDBText4 = layoutElement<TQRDBText>(QuickRep1, "QRDBText4");
    QRLabel10 = layoutElement<TQRLabel>(QuickRep1, "QRLabel10");
    QRLabel11 = layoutElement<TQRLabel>(QuickRep1, "QRLabel11");
    QRDBText5 = layoutElement<TQRDBText>(QuickRep1, "QRDBText5");
    QRMemo2 = layoutElement<TQRMemo>(QuickRep1, "QRMemo2");
    QRLabel12 = layoutElement<TQRLabel>(QuickRep1, "QRLabel12");
    QRDBText6 = layoutElement<TQRDBText>(QuickRep1, "QRDBText6");
    QRLabel13 = layoutElement<TQRLabel>(QuickRep1, "QRLabel13");
    QRLabel14 = layoutElement<TQRLabel>(QuickRep1, "QRLabel14");
    QRDBText7 = layoutElement<TQRDBText>(QuickRep1, "QRDBText7");
    QRMemo3 = layoutElement<TQRMemo>(QuickRep1, "QRMemo3");
    QRLabel15 = layoutElement<TQRLabel>(QuickRep1, "QRLabel15");
    QRDBText8 = layoutElement<TQRDBText>(QuickRep1, "QRDBText8");
    QRLabel16 = layoutElement<TQRLabel>(QuickRep1, "QRLabel16");
    QRMemo4 = layoutElement<TQRMemo>(QuickRep1, "QRMemo4");
    QRLabel17 = layoutElement<TQRLabel>(QuickRep1, "QRLabel17");
    QRDBText9 = layoutElement<TQRDBText>(QuickRep1, "QRDBText9");
    QRLabel18 = layoutElement<TQRLabel>(QuickRep1, "QRLabel18");
    QRDBText10 = layoutElement<TQRDBText>(QuickRep1, "QRDBText10");
    QRLabel19 = layoutElement<TQRLabel>(QuickRep1, "QRLabel19");
    QRLabel3 = layoutElement<TQRLabel>(QuickRep1, "QRLabel3");
    szorakozas_ar = layoutElement<TQRLabel>(QuickRep1, "szorakozas_ar");
    QRMemo5 = layoutElement<TQRMemo>(QuickRep1, "QRMemo5");
    QRLabel22 = layoutElement<TQRLabel>(QuickRep1, "QRLabel22");
    QRLabel24 = layoutElement<TQRLabel>(QuickRep1, "QRLabel24");
    hobbi_ar = layoutElement<TQRLabel>(QuickRep1, "hobbi_ar");
    QRMemo6 = layoutElement<TQRMemo>(QuickRep1, "QRMemo6");
    Osszeg = layoutElement<TQRLabel>(QuickRep1, "Osszeg");
    QRLabel26 = layoutElement<TQRLabel>(QuickRep1, "QRLabel26");
    QRLabel25 = layoutElement<TQRLabel>(QuickRep1, "QRLabel25");
    adoev_szint = layoutElement<TQRLabel>(QuickRep1, "adoev_szint");

    QuickRep1->setPlayerNameSource([this] { return QRDBText1->text(); });
}

void TfrmQuickRep::Preview()
{
    m_game->dialogs()->preview(*QuickRep1);
}
