// Filling the three report layouts from the evaluation's contents and previewing them.

#include "game/kiertekeles.h"

#include "game/game.h"
#include "game/uQuickRep.h"
#include "game/uQuickRep2.h"
#include "game/uQuickRep3.h"
#include "rules/usererror.h"

#include <stdexcept>

namespace {

void setMemo(TQRMemo *memo, const QStringList &lines)
{
    memo->clear();
    for (const QString &line : lines)
        memo->add(line);
}

template <class Report, class Content> void fillCommon(Report *report, const Content &c)
{
    TQRMemo *const memos[6] = {report->QRMemo1, report->QRMemo2, report->QRMemo3,
                               report->QRMemo4, report->QRMemo5, report->QRMemo6};
    for (int i = 0; i < 6; ++i)
        setMemo(memos[i], c.memos[i]);
    report->szorakozas_ar->setCaption(c.szorakozasAr);
    report->hobbi_ar->setCaption(c.hobbiAr);
    report->Osszeg->setCaption(c.osszeg);
    report->adoev_szint->setCaption(c.yearLine);
}

template <class Report> Report *required(Report *report)
{
    if (!report)
        fail(QString::fromUtf8("A kimutatás nem készíthető el: a nyomtatási kép nem érhető el."));
    return report;
}

}  // namespace

namespace reportfill {

void previewReport1(Game *game, const Report1Content &c)
{
    TfrmQuickRep *report = required(game->frmQuickRep);
    fillCommon(report, c);
    report->Preview();
}

void previewReport2(Game *game, const Report2Content &c)
{
    TfrmQuickRep2 *report = required(game->frmQuickRep2);
    fillCommon(report, c);
    report->QRLabel4->setCaption(c.profession);
    report->Ennyienvagytok->setCaption(c.ennyienvagytok);
    report->gyerektext->setCaption(c.gyerektext);
    report->elelmiszer_1fore->setCaption(c.elelmiszer1Fore);
    report->ruhazkodas_1fore->setCaption(c.ruhazkodas1Fore);
    report->elelmiszer_ar->setCaption(c.elelmiszerAr);
    report->ruhazkodas_ar->setCaption(c.ruhazkodasAr);
    report->kozlekedes_Ar->setCaption(c.kozlekedesAr);
    report->Preview();
}

void previewReport3(Game *game, const Report3Content &c)
{
    TfrmQuickRep3 *report = required(game->frmQuickRep3);
    report->QRLabel7->setCaption(c.savings);
    report->adoev_szint->setCaption(c.yearLine);
    report->Preview();
}

}  // namespace reportfill
