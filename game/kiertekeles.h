#pragma once
// The evaluation behind the last household page's OK: it saves the player's choices in the
// player record, costs them (for one person until the family's net income is known, for
// the whole family afterwards), fills and previews the reports, writes "ber.txt" and says
// where the game goes next. The arithmetic itself is in budget.h; this unit reads the
// tables and the working-folder files and hands the results to the reports.

#include "rules/budget.h"
#include "rules/monthchart.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

class Game;
namespace zdb { class Table; }

// What the evaluation sets on report 1 (the single-person costing).
struct Report1Content {
    QStringList memos[6];    // QRMemo1 .. QRMemo6: house, food, clothing, transport, entertainment, hobby
    QString yearLine;        // adoev_szint: "2010-es adó- és árszintek"
    QString szorakozasAr;    // "<sum> Ft"
    QString hobbiAr;
    QString osszeg;          // digits only
};

// What the evaluation sets on report 2 (the family budget).
struct Report2Content {
    QStringList memos[6];
    QString yearLine;        // adoev_szint
    QString szorakozasAr;
    QString hobbiAr;
    QString osszeg;
    QString profession;      // QRLabel4
    QString ennyienvagytok;
    QString gyerektext;
    QString elelmiszer1Fore;
    QString ruhazkodas1Fore;
    QString elelmiszerAr;
    QString ruhazkodasAr;
    QString kozlekedesAr;
    // The page after it: the month as a picture, and the what-if of a budget that does
    // not balance (empty when it does).
    monthchart::Figures chart;
    QString whatIf;
    // The month's surprise of a balanced budget (empty when there is none).
    QString surpriseHeadline;   // "Elromlott a mosógép: −45 000 Ft"
    QString surpriseStory;
    QString surpriseOutcome;    // whether the month's remainder covers it
};

// What the evaluation sets on report 3 (the certificate).
struct Report3Content {
    QString savings;         // QRLabel7
    QString yearLine;        // adoev_szint
};

class TDM;
class TfrmQuickRep2;

// The rows of the six catalogues as the what-if weighs them, read where they lie (no
// catalogue's current row moves).
monthchart::Catalogues catalogueOptions(TDM *dm);

// Fills a report and previews it modally; returns when the preview is closed.
namespace reportfill {
// Fills the page of the month as a picture, the one after the family report.
void fillChart(TfrmQuickRep2 *report, const Report2Content &content);
void previewReport1(Game *game, const Report1Content &content);
void previewReport2(Game *game, const Report2Content &content);
void previewReport3(Game *game, const Report3Content &content);
}  // namespace reportfill

class TBudgetEvaluation {
public:
    explicit TBudgetEvaluation(Game *game);

    // The choices as the pages hold them when the last OK is pressed.
    struct Choices {
        QString houseKey;        // texts of the hidden key controls
        QString foodKey;
        QString clothingKey;
        QString travelKey;
        int hobbyMask = 0;
        int entertainmentMask = 0;
    };

    enum class Outcome {
        IncomeCalculator,   // first costing done; the income calculator is shown
        Rework,             // the family budget does not work; back to the house page
        Finished,           // the certificate was shown; the game is over
    };

    // Saves the choices (posted before anything else can fail), then runs the first
    // costing or the family budget check. Throws a message for the player on any failure;
    // what was posted stays posted and no record is left in editing.
    Outcome run(const Choices &choices);

    // Where the wage draw takes its numbers from (a clock-seeded source by default).
    void setRandomSource(budget::RandomSource source) { m_random = std::move(source); }

    // The contents of the last filled reports.
    Report1Content report1;
    Report2Content report2;
    Report3Content report3;
    qint64 lastSinglePersonTotal = 0;
    qint64 lastFamilyTotal = 0;

private:
    void saveChoices(const Choices &choices);
    Outcome firstCosting();
    Outcome familyCheck();
    // Expands the masks stored in the player record into the two activity lists.
    void expandChoices(budget::Activities &entertainment, budget::Activities &hobby);
    // Reads "szakmavalasztas.txt" and makes the profession of its first line current.
    QString locateProfession();
    QStringList descriptions();
    // The month's surprise of a balanced budget: the one stored with the game, or, when the
    // folder turns the surprise on and has events, one drawn now; none otherwise.
    std::optional<surprise::Event> monthSurprise();

    Game *m_game;
    budget::RandomSource m_random;
    // The key of the record this new game appended, so that a press after an interrupted
    // first evaluation updates it instead of appending a second game.
    QVariant m_appendedKey;
};
