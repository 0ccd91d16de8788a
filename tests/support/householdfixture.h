#pragma once
// A game over a small catalogue with round prices, for the household pages and the budget
// evaluation: the player starts a new game or loads a stored one and walks the six pages
// with real clicks.

#include "game/adatinit.h"
#include "controls/application.h"
#include "db/engine.h"
#include "game/game.h"
#include "game/haztartas.h"
#include "game/kival.h"
#include "game/nyito.h"
#include "tests/support/shellfixture.h"
#include "rules/workfiles.h"

#include <QBuffer>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace householdfixture {

using namespace shellfixture;

struct CatalogueRow {
    QString category;
    double price;        // Atlagos_Ar; for homes the instalment
    double rezsi = 0;    // homes only
};

// The bytes of a small BMP picture of one colour.
inline QByteArray bmp(const QColor &colour)
{
    QImage image(233, 233, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

inline void fillCatalogue(WorkFolder &work, const QString &file, const QList<CatalogueRow> &rows)
{
    auto t = work.table(file);
    const bool house = file.startsWith(QStringLiteral("Hazak"), Qt::CaseInsensitive);
    int n = 0;
    for (const CatalogueRow &row : rows) {
        ++n;
        t->append();
        t->fieldByName(QStringLiteral("Kategoria")).setValue(row.category);
        if (house) {
            t->fieldByName(QStringLiteral("Terulet")).setValue(40 + n);
            t->fieldByName(QStringLiteral("Rezsi")).setValue(row.rezsi);
            t->fieldByName(QStringLiteral("Torleszto_reszlet")).setValue(row.price);
        } else {
            t->fieldByName(QStringLiteral("Atlagos_Ar")).setValue(row.price);
        }
        t->fieldByName(QStringLiteral("Leiras")).setValue(QStringLiteral("%1 leírása").arg(row.category));
        t->fieldByName(QStringLiteral("Kep")).setValue(bmp(QColor::fromHsv((n * 40) % 360, 200, 200)));
        t->post();
    }
}

inline void setProfession(WorkFolder &work, int code, double spouseNet)
{
    auto t = work.table(QStringLiteral("szakma4.DB"));
    QVERIFY(t->locate(QStringLiteral("Szakma_kod"), code));
    t->edit();
    t->fieldByName(QStringLiteral("Hazastars_netto")).setValue(spouseNet);
    t->post();
}

// The catalogue of the worked examples: the first rows cost 20000 + 50000 for the home,
// 30000 food, 5000 clothing and 4000 transport (a pass, key 1) a head.
inline void fillStandardContent(WorkFolder &work)
{
    fillCatalogue(work, QStringLiteral("Hazak.DB"),
                  {{QStringLiteral("Panellakás"), 50000, 20000}, {QStringLiteral("Téglalakás"), 98000, 45000},
                   {QStringLiteral("Családi ház"), 120000, 60000}});
    fillCatalogue(work, QStringLiteral("Elelmiszerek.DB"),
                  {{QStringLiteral("Átlagos"), 30000}, {QStringLiteral("Takarékos"), 20000}});
    fillCatalogue(work, QStringLiteral("Ruhazkodas.db"),
                  {{QStringLiteral("Piaci"), 5000}, {QStringLiteral("Márkás"), 15000}});
    fillCatalogue(work, QStringLiteral("Kozlekedes.db"),
                  {{QStringLiteral("Bérlet"), 4000}, {QStringLiteral("Autó"), 4000}});
    fillCatalogue(work, QStringLiteral("Hobbi.db"),
                  {{QStringLiteral("Macska"), 4500}, {QStringLiteral("Kutya"), 8500}, {QStringLiteral("Egér"), 1500},
                   {QStringLiteral("Papagáj"), 3000}, {QStringLiteral("Ló"), 60000}, {QStringLiteral("Halak"), 2500},
                   {QStringLiteral("Teknős"), 2000}});
    fillCatalogue(work, QStringLiteral("Szorakozas.db"),
                  {{QStringLiteral("Kirándulás"), 6000}, {QStringLiteral("Mozi"), 5000}, {QStringLiteral("Kávéház"), 4000},
                   {QStringLiteral("Színház"), 9000}, {QStringLiteral("Diszkó"), 7000},
                   {QStringLiteral("Internet"), 5500}, {QStringLiteral("Bowling"), 3000}});
    work.addProfession(QStringLiteral("Kertész"), 150000, 200000, 2);
    setProfession(work, 1, 100000);
    work.addProfession(QStringLiteral("Ápoló"), 200000, 150000, 1);
    setProfession(work, 2, 90000);
    work.addProfession(QStringLiteral("Asztalos"), 180000, 180000, 0);
    setProfession(work, 3, 120000);
}

// One game over the standard content, on the main window's name page.
class HouseholdGame {
public:
    HouseholdGame()
    {
        fillStandardContent(work);
        cwd = std::make_unique<CurrentFolder>(work.path());
        run = std::make_unique<Run>(config.filePath(QStringLiteral("engine.ini")));
        // Errors caught at the slot boundary go to the same scripted dialogs as the game's.
        m_previousDialogs = ZApplication::instance()->dialogs();
        ZApplication::instance()->setDialogs(&run->dialogs);
    }
    ~HouseholdGame()
    {
        ZApplication::instance()->setDialogs(m_previousDialogs);
        run.reset();
        cwd.reset();
    }
    // Creates the screens and goes to the name page.
    bool start()
    {
        if (!run->game.create())
            return false;
        run->dialogs.clear();
        run->game.start();
        QTest::mouseClick(run->game.fIndul->Kezd, Qt::LeftButton);
        main = run->game.MainForm;
        return QTest::qWaitForWindowActive(main);
    }

    THouseholdPage *page(int index) const { return main->householdPage(index); }
    QPushButton *button(const char *name) const { return main->findChild<QPushButton *>(QLatin1String(name)); }
    QCheckBox *checkBox(int n) const
    {
        return main->findChild<QCheckBox *>(QStringLiteral("CheckBox%1").arg(n));
    }
    void click(const char *name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    void enterName(const QString &name)
    {
        main->Edit1->setFocus();
        main->Edit1->setText(name);
        QTest::keyClick(main->Edit1, Qt::Key_Tab);
    }

    // A new game: the name, "Új Játék", then the profession choice's hand-over (the code in
    // JobKey and "szakmavalasztas.txt") and the "Ház" page.
    void startNewGame(const QString &name, int job, const QString &profession)
    {
        enterName(name);
        QTest::mouseClick(main->Button1, Qt::LeftButton);
        run->game.state.JobKey = job;
        workfiles::writeLines(QStringLiteral("szakmavalasztas.txt"), {QString::number(job), profession});
        run->game.showMainPage(PageHaz);
    }

    // From "Ház" to "Szórakozás" with the OK buttons, ticking the hobby boxes of `hobbies`
    // (bit values) on the way and then the entertainment boxes of `entertainment`.
    void walkToLastPage(int hobbies = -1, int entertainment = -1)
    {
        for (const char *ok : {"BitBtn4", "BitBtn7", "BitBtn16", "BitBtn10"})
            click(ok);
        if (hobbies >= 0)
            for (int i = 0; i < 6; ++i)
                checkBox(1 + i)->setChecked(hobbies >> i & 1);
        click("BitBtn11");
        if (entertainment >= 0)
            for (int i = 0; i < 6; ++i)
                checkBox(7 + i)->setChecked(entertainment >> i & 1);
    }

    // The text of the working folder's "ber.txt".
    QByteArray berTxt() const
    {
        QFile file(work.file(QStringLiteral("ber.txt")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // The stored rows of a player name, read through a session of the fixture's own.
    struct Stored {
        int count = 0;
        QVariantMap fields;   // of the last row found
    };
    Stored stored(const QString &name)
    {
        auto t = work.table(QStringLiteral("Jatekosok.DB"));
        Stored result;
        for (t->first(); !t->eof(); t->next()) {
            if (t->fieldByName(QStringLiteral("Nev")).asString() != name)
                continue;
            ++result.count;
            for (const char *field : {"House_Key", "Food_Key", "Clothing_Key", "Travel_Key", "Hobby_Key",
                                      "Entertainment_Key", "Job_Key", "Statusz", "Brutto_jov", "Netto_jov", "Datum",
                                      "Egyenleg", "Meglepetes", "Meglepetes_osszeg"})
                result.fields.insert(QString::fromLatin1(field), t->fieldByName(QString::fromLatin1(field)).value());
        }
        return result;
    }

    WorkFolder work;
    QTemporaryDir config;
    std::unique_ptr<CurrentFolder> cwd;
    std::unique_ptr<Run> run;
    TMainForm *main = nullptr;

private:
    Dialogs *m_previousDialogs = nullptr;
};

}  // namespace householdfixture
