#pragma once
// Career guidance logic without any screen: the interest test's statements, scoring and
// ranking, the file "szakma.txt", the 30 professions, the recommendation built from
// "szakmaleiras.txt", and the file "Szakmavalasztas.txt".

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace career {

enum InterestCategory { Things = 1, People = 2, Ideas = 3 };

// ---- interest test -------------------------------------------------------------------

struct Statement {
    const char *text;   // UTF-8, the check box caption
    InterestCategory category;
};
constexpr int kStatementCount = 24;
// The 24 statements in check box order (CheckBox1 first).
const std::array<Statement, kStatementCount> &statements();

using Ticks = std::array<bool, kStatementCount>;

// Scores of Things, People and Ideas (index 0, 1, 2): the ticked statements of each.
std::array<int, 3> scores(const Ticks &ticks);

struct Ranking {
    std::array<int, 3> categories;   // first, second, third ranked category number
    std::array<int, 3> scores;       // their scores, in the same order
};

// Ranks the three categories: the higher score first, of equal scores the higher
// category number first.
Ranking rank(int things, int people, int ideas);
// The ranking of the ticks, or nothing when no statement is ticked.
std::optional<Ranking> evaluate(const Ticks &ticks);

// The six CR LF lines of "szakma.txt".
QByteArray szakmaFileContent(const Ranking &ranking);
// Creates or overwrites the file; throws std::runtime_error when it cannot be written.
void writeSzakmaFile(const QString &path, const Ranking &ranking);

// ---- profession choice ---------------------------------------------------------------

struct Profession {
    int code;            // Szakma_kod of szakma4.DB
    int radio;           // RadioButtonN
    const char *caption; // UTF-8, exactly as the radio button shows it
    int image;           // ImageN, the picture in the choice window
    int mark;            // FelkN
    const char *picture; // picture file, backslash-separated, relative to the working folder
    const char *sheet;   // career sheet (RTF) file, likewise
    InterestCategory category;
};
constexpr int kProfessionCount = 30;
// The professions by code (index code - 1).
const std::array<Profession, kProfessionCount> &professions();
const Profession *professionByCode(int code);
const Profession *professionByRadio(int radioNumber);
const Profession *professionByImage(int imageNumber);
const Profession *professionByMark(int markNumber);

// What the choice reads of "szakma.txt": lines 1, 2, 4 and 5, each held as a byte.
struct TestResult {
    quint8 first = 0;
    quint8 second = 0;
    quint8 firstScore = 0;
    quint8 secondScore = 0;
};
// Parses the content of "szakma.txt"; throws std::runtime_error on a missing or
// non-numeric line.
TestResult parseTestResult(const QByteArray &content);
TestResult readTestResult(const QString &path);

// The three clauses of "szakmaleiras.txt" (Windows-1250, CR LF), lines 1 to 3; missing
// lines are empty. readClauses throws when the file cannot be read.
QStringList parseClauses(const QByteArray &content);
QStringList readClauses(const QString &path);

// The recommendation label's text for a test result.
QString recommendationText(const TestResult &result, const QStringList &clauses);
// Numbers of the marks (FelkN) shown for a first-ranked category: its block of ten.
QList<int> shownMarks(int firstCategory);

// "A választott szakmád: " and the caption.
QString choiceMessage(const QString &caption);
// The two CR LF lines of "Szakmavalasztas.txt" in Windows-1250: code, caption.
QByteArray choiceFileContent(int code, const QString &caption);
void writeChoiceFile(const QString &path, int code, const QString &caption);

// ---- files of the working folder -----------------------------------------------------

// A game path ("munka_pict\\kertész.jpg") as a path below `base` (the current folder
// when empty): backslashes become '/', and each part is matched against the existing
// folder entries without regard to letter case. Parts with no match are kept as given.
QString localPath(const QString &gamePath, const QString &base = QString());

}  // namespace career
