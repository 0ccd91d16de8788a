// The month as a picture: what it adds to the family budget check (reading the catalogues,
// the chart's figures, the what-if and filling its page) and to the report's layout (its
// page painted at 300 dpi beside the family report's own, and the PDF of both pages beside
// the PDF of the report alone), measured in the same run.
//
// Usage: bench_monthchart [working folder]   (or ZOMIR_WORKFOLDER; the 2026 folder gives the
// larger catalogues). Without a built working folder it prints only what needs none.

#include "controls/dialogs.h"
#include "controls/report.h"
#include "db/engine.h"
#include "game/adatinit.h"
#include "game/game.h"
#include "game/kiertekeles.h"
#include "game/uQuickRep2.h"
#include "rules/monthchart.h"
#include "tests/support/reportsample.h"
#include "tests/support/testenv.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <class Fn> double timeMs(int rounds, Fn fn)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        fn();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QString work = argc > 1 ? QString::fromLocal8Bit(argv[1]) : qEnvironmentVariable("ZOMIR_WORKFOLDER");
    if (!work.isEmpty())
        work = QFileInfo(work).absoluteFilePath();   // the folder is copied by its full path
    QTemporaryDir temp;
    zdb::Session session(temp.filePath(QStringLiteral("engine.ini")));
    WidgetDialogs dialogs;
    Game game(&session, &dialogs);
    auto *rep2 = new TfrmQuickRep2(&game);
    reportsample::fillFamily(rep2, QStringLiteral("Termelési koordinátor-szoftver tervezés"));

    Report2Content content;
    content.yearLine = QStringLiteral("2026-os adó- és árszintek");
    bool withData = false;
    if (!work.isEmpty() && QDir(work + QStringLiteral("/DB")).exists()
        && testenv::copyFolder(work + QStringLiteral("/DB"), temp.filePath(QStringLiteral("DB")))) {
        session.addStandardAlias(TDM::aliasName(), temp.filePath(QStringLiteral("DB")));
        game.DM = new TDM(&game, &game);
        withData = game.DM->DataModuleCreate();
    }
    std::printf("monthchart_with_database: %d\n", withData ? 1 : 0);

    // The budget check's added step for the dearest month: the last row of every catalogue
    // and every activity, a family of five, well short of its costs.
    budget::Prices prices{40000, 220000, 45000, 12000, 9000};
    budget::FamilyCosts costs = budget::familyCosts(prices, 1, 3, 20000);
    monthchart::Month month;
    month.children = 3;
    month.childCost = 20000;
    month.hobbyMask = month.entertainmentMask = 63;
    month.netIncome = 300000;
    if (withData) {
        const monthchart::Catalogues c = catalogueOptions(game.DM);
        month.home = c.homes.constLast().key;
        month.food = c.foods.constLast().key;
        month.clothing = c.clothing.constLast().key;
        month.transport = c.transport.constFirst().key;
        const double stepMs = timeMs(21, [&] {
            const monthchart::Catalogues read = catalogueOptions(game.DM);
            content.chart = monthchart::figures(costs, 60000, 50000, month.netIncome);
            content.whatIf = monthchart::suggestionText(monthchart::whatIf(read, month));
            reportfill::fillChart(rep2, content);
        });
        const double whatIfMs = timeMs(21, [&] { monthchart::whatIf(c, month); });
        std::printf("monthchart_options: %lld\n",
                    static_cast<long long>(c.homes.size() + c.foods.size() + c.clothing.size() + c.transport.size()
                                           + c.hobbies.size() + c.entertainment.size()));
        std::printf("monthchart_evaluation_added_ms: %.3f\n", stepMs);
        std::printf("monthchart_whatif_ms: %.3f\n", whatIfMs);
    } else {
        content.chart = monthchart::figures(costs, 60000, 50000, month.netIncome);
        content.whatIf = QStringLiteral("Egyetlen változtatás, amellyel kijönne: a 2. legolcsóbb lakás (Panellakás): −38 000 Ft");
        reportfill::fillChart(rep2, content);
    }

    // The layout: each page painted on one 300 dpi page image, whitened before each, as a
    // printer's page is.
    QImage page(2480, 3508, QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(300 / 0.0254));
    page.setDotsPerMeterY(qRound(300 / 0.0254));
    const auto paintOn = [&page](const Report &report, int number) {
        page.fill(Qt::white);
        QPainter painter(&page);
        reportprint::beginMillimetres(painter);
        report.paintPage(number, painter);
    };
    paintOn(rep2->pages(), 0);
    const double familyMs = timeMs(7, [&] { paintOn(rep2->pages(), 0); });
    const double chartMs = timeMs(7, [&] { paintOn(rep2->pages(), 1); });
    const QString pdf = temp.filePath(QStringLiteral("month.pdf"));
    const double reportPdfMs = timeMs(15, [&] { reportprint::writePdf(*rep2->QuickRep1, pdf); });
    const double bothPdfMs = timeMs(15, [&] { reportprint::writePdf(rep2->pages(), pdf); });
    // The layout alone: every element placed (its lines wrapped, its parts measured).
    const auto layOut = [](const TQuickRep *report) {
        for (const TQRElement *e : report->elements())
            e->place();
    };
    const double familyLayoutMs = timeMs(21, [&] { layOut(rep2->QuickRep1); });
    const double chartLayoutMs = timeMs(21, [&] { layOut(rep2->ChartRep); });
    std::printf("family_page_layout_ms: %.3f\n", familyLayoutMs);
    std::printf("chart_page_layout_ms: %.3f\n", chartLayoutMs);
    std::printf("family_page_paint_300dpi_ms: %.1f\n", familyMs);
    std::printf("chart_page_paint_300dpi_ms: %.1f\n", chartMs);
    std::printf("chart_to_family_page_ratio: %.2f\n", chartMs / familyMs);
    std::printf("family_report_pdf_ms: %.1f\n", reportPdfMs);
    std::printf("family_report_with_chart_pdf_ms: %.1f\n", bothPdfMs);
    std::printf("chart_pdf_added_ms: %.1f\n", bothPdfMs - reportPdfMs);
    delete rep2;
    return 0;
}
