#include "game/uQuickRep2.h"

#include "controls/dialogs.h"
#include "game/game.h"
#include "game/reportlayouts.h"

TfrmQuickRep2::TfrmQuickRep2(Game *game, QWidget *parent)
    : QWidget(parent),
      m_game(game),
      m_pages({QuickRep1 = new TQuickRep(QStringLiteral("QuickRep1"), this),
               ChartRep = new TQuickRep(QStringLiteral("ChartRep"), this)})
{
    setWindowTitle(QStringLiteral("frmQuickRep2"));
    QuickRep1->setReportName(QStringLiteral("családi költségvetés"));
    QuickRep1->setHelpContext(14);
    QRBand1 = QuickRep1->band();

    reportlayouts::build(QuickRep1, 2, game);
    QRShape1 = layoutElement<TQRShape>(QuickRep1, "QRShape1");
    QRDBText1 = layoutElement<TQRDBText>(QuickRep1, "QRDBText1");
    QRLabel1 = layoutElement<TQRLabel>(QuickRep1, "QRLabel1");
    QRLabel2 = layoutElement<TQRLabel>(QuickRep1, "QRLabel2");
    QRLabel4 = layoutElement<TQRLabel>(QuickRep1, "QRLabel4");
    QRLabel3 = layoutElement<TQRLabel>(QuickRep1, "QRLabel3");
    QRDBText8 = layoutElement<TQRDBText>(QuickRep1, "QRDBText8");
    QRLabel27 = layoutElement<TQRLabel>(QuickRep1, "QRLabel27");
    QRLabel28 = layoutElement<TQRLabel>(QuickRep1, "QRLabel28");
    QRDBText6 = layoutElement<TQRDBText>(QuickRep1, "QRDBText6");
    Ennyienvagytok = layoutElement<TQRLabel>(QuickRep1, "Ennyienvagytok");
    QRLabel5 = layoutElement<TQRLabel>(QuickRep1, "QRLabel5");
    QRLabel9 = layoutElement<TQRLabel>(QuickRep1, "QRLabel9");
    QRDBText2 = layoutElement<TQRDBText>(QuickRep1, "QRDBText2");
    QRMemo1 = layoutElement<TQRMemo>(QuickRep1, "QRMemo1");
    QRLabel7 = layoutElement<TQRLabel>(QuickRep1, "QRLabel7");
    QRDBText3 = layoutElement<TQRDBText>(QuickRep1, "QRDBText3");
    QRLabel8 = layoutElement<TQRLabel>(QuickRep1, "QRLabel8");
    QRDBText4 = layoutElement<TQRDBText>(QuickRep1, "QRDBText4");
    QRLabel10 = layoutElement<TQRLabel>(QuickRep1, "QRLabel10");
    QRLabel11 = layoutElement<TQRLabel>(QuickRep1, "QRLabel11");
    QRDBText5 = layoutElement<TQRDBText>(QuickRep1, "QRDBText5");
    QRMemo2 = layoutElement<TQRMemo>(QuickRep1, "QRMemo2");
    QRLabel12 = layoutElement<TQRLabel>(QuickRep1, "QRLabel12");
    elelmiszer_ar = layoutElement<TQRLabel>(QuickRep1, "elelmiszer_ar");
    elelmiszer_1fore = layoutElement<TQRLabel>(QuickRep1, "elelmiszer_1fore");
    QRLabel13 = layoutElement<TQRLabel>(QuickRep1, "QRLabel13");
    QRLabel14 = layoutElement<TQRLabel>(QuickRep1, "QRLabel14");
    QRDBText7 = layoutElement<TQRDBText>(QuickRep1, "QRDBText7");
    QRMemo3 = layoutElement<TQRMemo>(QuickRep1, "QRMemo3");
    QRLabel15 = layoutElement<TQRLabel>(QuickRep1, "QRLabel15");
    ruhazkodas_ar = layoutElement<TQRLabel>(QuickRep1, "ruhazkodas_ar");
    ruhazkodas_1fore = layoutElement<TQRLabel>(QuickRep1, "ruhazkodas_1fore");
    QRLabel16 = layoutElement<TQRLabel>(QuickRep1, "QRLabel16");
    QRLabel17 = layoutElement<TQRLabel>(QuickRep1, "QRLabel17");
    QRDBText9 = layoutElement<TQRDBText>(QuickRep1, "QRDBText9");
    QRMemo4 = layoutElement<TQRMemo>(QuickRep1, "QRMemo4");
    QRLabel18 = layoutElement<TQRLabel>(QuickRep1, "QRLabel18");
    kozlekedes_Ar = layoutElement<TQRLabel>(QuickRep1, "kozlekedes_Ar");
    QRLabel19 = layoutElement<TQRLabel>(QuickRep1, "QRLabel19");
    QRLabel21 = layoutElement<TQRLabel>(QuickRep1, "QRLabel21");
    szorakozas_ar = layoutElement<TQRLabel>(QuickRep1, "szorakozas_ar");
    QRMemo5 = layoutElement<TQRMemo>(QuickRep1, "QRMemo5");
    QRLabel22 = layoutElement<TQRLabel>(QuickRep1, "QRLabel22");
    QRLabel24 = layoutElement<TQRLabel>(QuickRep1, "QRLabel24");
    hobbi_ar = layoutElement<TQRLabel>(QuickRep1, "hobbi_ar");
    QRMemo6 = layoutElement<TQRMemo>(QuickRep1, "QRMemo6");
    gyerektext = layoutElement<TQRLabel>(QuickRep1, "gyerektext");
    Osszeg = layoutElement<TQRLabel>(QuickRep1, "Osszeg");
    QRLabel26 = layoutElement<TQRLabel>(QuickRep1, "QRLabel26");
    QRLabel25 = layoutElement<TQRLabel>(QuickRep1, "QRLabel25");
    adoev_szint = layoutElement<TQRLabel>(QuickRep1, "adoev_szint");

    QuickRep1->setPlayerNameSource([this] { return QRDBText1->text(); });

    reportlayouts::build(ChartRep, 4, game);
    ChartRep->setReportName(QuickRep1->reportName());
    ChartRep->setHelpContext(27);
    chartYear = layoutElement<TQRLabel>(ChartRep, "adoev_szint");
    bevetel = layoutElement<TQRBar>(ChartRep, "bevetel");
    kiadasok = layoutElement<TQRBar>(ChartRep, "kiadasok");
    egyenleg = layoutElement<TQRLabel>(ChartRep, "egyenleg");
    mitha = layoutElement<TQRLabel>(ChartRep, "mitha");
    meglepetesCim = layoutElement<TQRLabel>(ChartRep, "meglepetes_cim");
    meglepetes = layoutElement<TQRMemo>(ChartRep, "meglepetes");
    meglepetesEredmeny = layoutElement<TQRLabel>(ChartRep, "meglepetes_eredmeny");
    for (int i = 0; i < 9; ++i) {
        jel[i] = qobject_cast<TQRBar *>(ChartRep->element(QStringLiteral("jel%1").arg(i + 1)));
        jelszoveg[i] = qobject_cast<TQRLabel *>(ChartRep->element(QStringLiteral("jelszoveg%1").arg(i + 1)));
    }
}

void TfrmQuickRep2::Preview()
{
    m_game->dialogs()->preview(m_pages);
}
