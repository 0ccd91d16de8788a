#include "game/uQuickRep3.h"

#include "controls/dialogs.h"
#include "game/game.h"
#include "game/reportlayouts.h"

TfrmQuickRep3::TfrmQuickRep3(Game *game, QWidget *parent) : QWidget(parent), m_game(game)
{
    setWindowTitle(QStringLiteral("frmQuickRep3"));
    QuickRep1 = new TQuickRep(QStringLiteral("QuickRep1"), this);
    QuickRep1->setReportName(QStringLiteral("oklevél"));
    QuickRep1->setHelpContext(15);
    QRBand1 = QuickRep1->band();

    reportlayouts::build(QuickRep1, 3, game);
    QRLabel1 = layoutElement<TQRLabel>(QuickRep1, "QRLabel1");
    QRImage1 = layoutElement<TQRImage>(QuickRep1, "QRImage1");
    QRDBText1 = layoutElement<TQRDBText>(QuickRep1, "QRDBText1");
    QRLabel2 = layoutElement<TQRLabel>(QuickRep1, "QRLabel2");
    QRLabel3 = layoutElement<TQRLabel>(QuickRep1, "QRLabel3");
    QRDBText2 = layoutElement<TQRDBText>(QuickRep1, "QRDBText2");
    QRLabel4 = layoutElement<TQRLabel>(QuickRep1, "QRLabel4");
    QRLabel5 = layoutElement<TQRLabel>(QuickRep1, "QRLabel5");
    QRLabel7 = layoutElement<TQRLabel>(QuickRep1, "QRLabel7");
    QRLabel6 = layoutElement<TQRLabel>(QuickRep1, "QRLabel6");
    QRImage2 = layoutElement<TQRImage>(QuickRep1, "QRImage2");
    adoev_szint = layoutElement<TQRLabel>(QuickRep1, "adoev_szint");

    QuickRep1->setPlayerNameSource([this] { return QRDBText1->text(); });
}

void TfrmQuickRep3::Preview()
{
    m_game->dialogs()->preview(*QuickRep1);
}
