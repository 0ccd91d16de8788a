#include "uQuickRep3.h"

#include "adatinit.h"
#include "dialogs.h"
#include "game.h"

namespace {
constexpr auto C = TQRAlignment::Centre;
constexpr auto L = TQRAlignment::Left;
constexpr bool Auto = true;
constexpr bool Fixed = false;
const TQRFont kTitle{TQRFont::TimesNewRoman, 72, false, true};
const TQRFont kBigName{TQRFont::Arial, 22, true};
const TQRFont kFor{TQRFont::TimesNewRoman, 22, false, true};
const TQRFont kSentence{TQRFont::TimesNewRoman, 18};
const TQRFont kSavings{TQRFont::Arial, 10, true};
}  // namespace

TfrmQuickRep3::TfrmQuickRep3(Game *game, QWidget *parent) : QWidget(parent), m_game(game)
{
    setWindowTitle(QStringLiteral("frmQuickRep3"));
    QuickRep1 = new TQuickRep(QStringLiteral("QuickRep1"), this);
    QuickRep1->setReportName(QStringLiteral("oklevél"));
    QuickRep1->setHelpContext(15);
    QRBand1 = QuickRep1->band();

    auto *rep = QuickRep1;
    const TQRElements make(rep);

    QRLabel1 = make.label("QRLabel1", 31.8, 2.1, 156.9, 29.1, kTitle, L, Fixed, QStringLiteral("Oklevél"));
    // The trophy lies on the page (measured from the sheet's corner) and is drawn over the band.
    QRImage1 = new TQRImage(rep, QStringLiteral("QRImage1"), QRectF(148.2, 12.7, 48.9, 63.8), TQRImage::Stretch,
                            true);
    QRImage1->setPictureFile(QStringLiteral(":/pict/kupa.png"));
    QRDBText1 = new TQRDBText(rep, QStringLiteral("QRDBText1"), QRectF(2.1, 38.1, 133.6, 9.3), kBigName, C, Fixed,
                              [game] { return game->DM ? game->DM->JatekosokDB : nullptr; }, QStringLiteral("Nev"));
    QRLabel2 = make.label("QRLabel2", 2.1, 46.6, 133.6, 10.8, kFor, C, Fixed, QStringLiteral("részére"));
    QRLabel3 = make.label("QRLabel3", 2.1, 69.8, 186.5, 10.8, kSentence, C, Fixed,
                     QStringLiteral("Gratulálunk, hogy sikeresen elkészítetted családod költségvetését!"));
    QRDBText2 = new TQRDBText(rep, QStringLiteral("QRDBText2"), QRectF(2.1, 88.9, 186.5, 9.3), kBigName, C, Fixed,
                              [game] { return game->DM ? game->DM->SzakmaDB : nullptr; },
                              QStringLiteral("Szakma_nev"));
    QRLabel4 = make.label("QRLabel4", 2.1, 99.5, 186.5, 10.8, kSentence, C, Fixed, QStringLiteral("szakmát választottál"));
    QRLabel5 = make.label("QRLabel5", 2.1, 135.5, 186.5, 10.8, kSentence, C, Fixed,
                     QStringLiteral("Sikerült jól gazdálkodnod és a család bevételeit megfelelően beosztanod"));
    QRLabel7 = make.label("QRLabel7", 87.3, 150.3, 16.7, 4.5, kSavings, C, Auto);
    QRLabel6 = make.label("QRLabel6", 2.1, 171.4, 186.5, 10.8, kSentence, C, Fixed,
                     QStringLiteral("Sok sikert kívánunk a valós életben is!"));
    QRImage2 = new TQRImage(rep, QStringLiteral("QRImage2"), QRectF(4.2, 182.0, 184.4, 91.3),
                            TQRImage::NaturalSizeClipped);
    QRImage2->setPictureFile(QStringLiteral(":/pict/szalag.png"));

    QuickRep1->setPlayerNameSource([this] { return QRDBText1->text(); });
}

void TfrmQuickRep3::Preview()
{
    m_game->dialogs()->preview(*QuickRep1);
}
