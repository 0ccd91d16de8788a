// The three printable reports: time to lay out and paint each page at 300 dpi, to write
// it as a PDF, and to open the print preview until its page is drawn.
//
// Usage: bench_reports [working folder]   (or ZOMIR_WORKFOLDER). With a built working folder
// the data texts read a real player record over a copy of its database; without one they
// print nothing and only the texts set by the program are laid out.

#include "game/adatinit.h"
#include "controls/dialogs.h"
#include "db/engine.h"
#include "game/game.h"
#include "tests/support/reportsample.h"
#include "tests/support/testenv.h"
#include "controls/report.h"
#include "game/uQuickRep.h"
#include "game/uQuickRep2.h"
#include "game/uQuickRep3.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString kDescription = QStringLiteral(
    "Kétszobás, felújított lakás egy csendes mellékutcában, a harmadik emeleten, lift nélkül. A havi "
    "törlesztőrészlet mellett a közös költség és a fűtés is a rezsit terheli; a gyerekeknek külön szoba "
    "jut, a konyha tágas, a fürdőszoba kicsi, de praktikus. Az iskola és a bolt gyalog is elérhető.");

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

template <class Form> void fillCommon(Form *f)
{
    for (TQRMemo *memo : {f->QRMemo1, f->QRMemo2, f->QRMemo3, f->QRMemo4}) {
        memo->clear();
        memo->add(kDescription);
    }
    f->QRMemo5->clear();
    f->QRMemo6->clear();
    for (const char *line : {"Kirándulás, 10000 Ft", "Mozi, 5000 Ft", "Kávéház, 6000 Ft", "Színház, 9000 Ft",
                             "Diszkó, 8000 Ft", "Internet, 5500 Ft"}) {
        f->QRMemo5->add(QString::fromUtf8(line));
        f->QRMemo6->add(QString::fromUtf8(line));
    }
    f->szorakozas_ar->setCaption(QStringLiteral("43500 Ft"));
    f->hobbi_ar->setCaption(QStringLiteral("43500 Ft"));
}

bool openData(const QString &work, QTemporaryDir &copy, zdb::Session &session, Game &game)
{
    if (work.isEmpty() || !QDir(work + QStringLiteral("/DB")).exists())
        return false;
    const QString db = copy.filePath(QStringLiteral("DB"));
    if (!testenv::copyFolder(work + QStringLiteral("/DB"), db))
        return false;
    session.addStandardAlias(TDM::aliasName(), db);
    game.DM = new TDM(&game, &game);
    if (!game.DM->DataModuleCreate())
        return false;
    game.DM->SzakmaDB->open();
    zdb::Table *players = game.DM->JatekosokDB;
    players->append();
    players->fieldByName(QStringLiteral("Nev")).setValue(QStringLiteral("Szűcs Ágnes"));
    for (const char *key : {"House_Key", "Food_Key", "Clothing_Key", "Travel_Key", "Job_Key"})
        players->fieldByName(QString::fromLatin1(key)).setValue(2);
    players->fieldByName(QStringLiteral("Brutto_jov")).setValue(152000.0);
    players->fieldByName(QStringLiteral("Netto_jov")).setValue(287345.0);
    players->post();
    return true;
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString work = argc > 1 ? QString::fromLocal8Bit(argv[1]) : qEnvironmentVariable("ZOMIR_WORKFOLDER");
    QTemporaryDir temp;
    zdb::Session session(temp.filePath(QStringLiteral("engine.ini")));
    WidgetDialogs dialogs;
    Game game(&session, &dialogs);

    auto *rep3 = new TfrmQuickRep3(&game);
    auto *rep1 = new TfrmQuickRep(&game);
    auto *rep2 = new TfrmQuickRep2(&game);
    const bool withData = openData(work, temp, session, game);
    std::printf("reports_with_database: %d\n", withData ? 1 : 0);

    fillCommon(rep1);
    rep1->Osszeg->setCaption(QStringLiteral("187450"));
    fillCommon(rep2);
    reportsample::fillFamily(rep2, QStringLiteral("Termelési koordinátor-szoftver tervezés"));
    reportsample::fillCertificate(rep3);

    const struct {
        const char *name;
        TQuickRep *report;
    } reports[] = {{"report1", rep1->QuickRep1}, {"report2", rep2->QuickRep1}, {"report3", rep3->QuickRep1}};

    // An A4 page at 300 dpi is 8.7 million pixels: making a new image of it (as renderPage
    // does for the tests) costs more than painting, so painting is timed on one page image,
    // whitened before each painting, as a printer's page is; the new image is reported apart.
    QImage page(2480, 3508, QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(300 / 0.0254));
    page.setDotsPerMeterY(qRound(300 / 0.0254));
    const auto paintOn = [&page](const Report &report) {
        page.fill(Qt::white);
        QPainter painter(&page);
        reportprint::beginMillimetres(painter);
        report.paintPage(0, painter);
    };
    {
        TQuickRep blank(QStringLiteral("QuickRep1"));
        std::printf("blank_page_300dpi_ms: %.1f\n", timeMs(7, [&] { paintOn(blank); }));
        std::printf("new_page_image_300dpi_ms: %.1f\n", timeMs(7, [&] { reportprint::renderPage(blank, 0, 300); }));
    }
    for (const auto &r : reports) {
        // The first painting also reads the pictures; it is reported on its own.
        QElapsedTimer first;
        first.start();
        paintOn(*r.report);
        const double firstMs = first.nsecsElapsed() / 1e6;
        const double paintMs = timeMs(7, [&] { paintOn(*r.report); });
        const QString pdf = temp.filePath(QString::fromLatin1(r.name) + QStringLiteral(".pdf"));
        const double pdfMs = timeMs(7, [&] { reportprint::writePdf(*r.report, pdf); });
        std::printf("%s_first_paint_300dpi_ms: %.1f\n", r.name, firstMs);
        std::printf("%s_layout_paint_300dpi_ms: %.1f\n", r.name, paintMs);
        std::printf("%s_pdf_ms: %.1f\n", r.name, pdfMs);
        std::printf("%s_pdf_bytes: %lld\n", r.name, static_cast<long long>(QFileInfo(pdf).size()));
    }

    // The preview: from the call until its window, page included, is first drawn.
    for (const auto &r : reports) {
        std::vector<double> times;
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer timer;
            QTimer::singleShot(0, [&] {
                auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
                if (!preview)
                    return;
                // The first frame of the window, with the page drawn at its zoom.
                preview->grab();
                times.push_back(timer.nsecsElapsed() / 1e6);
                preview->reject();
            });
            timer.start();
            dialogs.preview(*r.report);
        }
        if (&r == &reports[0])
            std::printf("first_preview_open_ms: %.1f\n", times.empty() ? -1.0 : times.front());
        std::printf("%s_preview_open_ms: %.1f\n", r.name, times.empty() ? -1.0 : median(times));
    }

    delete rep2;
    delete rep1;
    delete rep3;
    return 0;
}
