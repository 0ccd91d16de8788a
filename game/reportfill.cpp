// Filling the three report layouts from the evaluation's contents and previewing them.

#include "game/kiertekeles.h"

#include "game/game.h"
#include "game/uQuickRep.h"
#include "game/uQuickRep2.h"
#include "game/uQuickRep3.h"
#include "rules/usererror.h"

#include <algorithm>
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

// How each part of the chart is filled: light colours that stay apart for a reader who does
// not tell red from green, each with a pattern of its own for grey print.
TQRBarPart chartPart(int part, qint64 amount)
{
    struct Style {
        QColor fill;
        TQRBarPart::Pattern pattern;
    };
    static const Style styles[monthchart::kPartCount] = {
        {QColor(160, 205, 235), TQRBarPart::Diagonal},      // home: sky blue
        {QColor(250, 200, 120), TQRBarPart::Dots},          // food: orange
        {QColor(200, 230, 215), TQRBarPart::Horizontal},    // clothing: bluish green
        {QColor(240, 230, 140), TQRBarPart::BackDiagonal},  // transport: yellow
        {QColor(225, 190, 215), TQRBarPart::Vertical},      // hobbies: reddish purple
        {QColor(185, 185, 185), TQRBarPart::Cross},         // entertainment: grey
        {QColor(230, 170, 140), TQRBarPart::Plain},         // children: vermilion
    };
    TQRBarPart p;
    p.name = monthchart::partName(part);
    p.amount = double(amount);
    p.amountText = monthchart::forints(amount);
    p.fill = styles[part].fill;
    p.pattern = styles[part].pattern;
    return p;
}

TQRBarPart incomePart(qint64 income)
{
    TQRBarPart p;
    p.name = QStringLiteral("Nettó jövedelem");
    p.amount = double(income);
    p.amountText = monthchart::forints(income);
    p.fill = QColor(235, 235, 235);
    return p;
}

TQRBarPart remainderPart(const monthchart::Figures &f)
{
    TQRBarPart p;
    if (f.shortfall() > 0) {
        p.name = QStringLiteral("Hiány");
        p.amount = double(f.shortfall());
        p.amountText = monthchart::forints(-f.shortfall());
        p.fill = QColor(255, 215, 215);
        p.pattern = TQRBarPart::Cross;
        p.alarm = true;
    } else {
        p.name = QStringLiteral("Marad");
        p.amount = double(f.remainder());
        p.amountText = monthchart::forints(f.remainder());
        p.fill = Qt::white;
    }
    return p;
}

}  // namespace

namespace reportfill {

void fillChart(TfrmQuickRep2 *report, const Report2Content &c)
{
    const monthchart::Figures &f = c.chart;
    QVector<TQRBarPart> income{incomePart(f.income)};
    QVector<TQRBarPart> costs;
    for (int part = 0; part < monthchart::kPartCount; ++part)
        costs << chartPart(part, f.parts[part]);
    const TQRBarPart rest = remainderPart(f);
    (rest.alarm ? income : costs) << rest;
    // Both bars on one scale, the longer filling the width.
    const double full = double(std::max(f.income, f.total));
    report->bevetel->setParts(income);
    report->bevetel->setFullScale(full);
    report->kiadasok->setParts(costs);
    report->kiadasok->setFullScale(full);

    QVector<TQRBarPart> legend{incomePart(f.income)};
    legend << costs.mid(0, monthchart::kPartCount) << rest;
    for (int i = 0; i < 9; ++i) {
        TQRBarPart swatch = legend.at(i);
        const QString share = f.income > 0 && i > 0
                                  ? QStringLiteral(" (a nettó jövedelem %1%-a)")
                                        .arg(qRound(100.0 * swatch.amount / double(f.income)))
                                  : QString();
        report->jelszoveg[i]->setCaption(swatch.name + QStringLiteral(": ") + swatch.amountText + share);
        swatch.amount = 1;
        report->jel[i]->setParts({swatch});
    }
    QString verdict = f.shortfall() > 0 ? QStringLiteral("Hiány: %1").arg(monthchart::forints(f.shortfall()))
                                        : QStringLiteral("Marad: %1").arg(monthchart::forints(f.remainder()));
    if (f.shortfall() > 0 && !budget::needsRework(f.balance))
        verdict += QStringLiteral(" (ennyi hiány még belefér)");
    report->egyenleg->setCaption(verdict);
    report->mitha->setCaption(c.whatIf);
    report->meglepetesCim->setCaption(c.surpriseHeadline.isEmpty()
                                          ? QString()
                                          : QStringLiteral("A hónap meglepetése: ") + c.surpriseHeadline);
    report->meglepetes->clear();
    if (!c.surpriseStory.isEmpty())
        report->meglepetes->add(c.surpriseStory);
    report->meglepetesEredmeny->setCaption(c.surpriseOutcome);
    report->chartYear->setCaption(c.yearLine);
}

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
    fillChart(report, c);
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
