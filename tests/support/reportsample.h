#pragma once
// The texts the budget evaluation writes into the family report and the certificate, for a
// family of five: the reports' tests and their benchmark fill the reports the same way.

#include "game/uQuickRep2.h"
#include "game/uQuickRep3.h"

namespace reportsample {

inline void fillFamily(TfrmQuickRep2 *rep2, const QString &profession)
{
    rep2->QRLabel4->setCaption(profession);
    rep2->Ennyienvagytok->setCaption(QStringLiteral(
        "Házastársaddal és 3 gyerekeddel a család összlétszáma 5, a költségek ennek megfelelően számolódnak."));
    rep2->gyerektext->setCaption(QStringLiteral(
        "Mivel 3 gyereked van, ezért gyerekenként havi 10.000 Ft (összesen 30000 Ft) kiadással kell még számolnod."));
    rep2->elelmiszer_ar->setCaption(QStringLiteral("127750 Ft"));
    rep2->elelmiszer_1fore->setCaption(
        QStringLiteral("1 főre jutó élelmiszer: Felnőttekre 30000 Ft/fő Gyerekekre (75%) 22500 Ft/gyerek)"));
    rep2->ruhazkodas_ar->setCaption(QStringLiteral("42500 Ft"));
    rep2->ruhazkodas_1fore->setCaption(QStringLiteral("1 főre jutó ruházkodás: 8500 Ft"));
    rep2->kozlekedes_Ar->setCaption(QStringLiteral("24000 Ft"));
    rep2->Osszeg->setCaption(QStringLiteral("274655"));
}

inline void fillCertificate(TfrmQuickRep3 *rep3)
{
    rep3->QRLabel7->setCaption(QStringLiteral("Havonta még 12690 Ft-ot félre is tudsz tenni!"));
}

}  // namespace reportsample
