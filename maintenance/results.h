#pragma once
// The teacher's list of stored games, free of the window: one row per game of the players'
// table with its keys turned into names, and that list as a CSV file a Hungarian
// spreadsheet opens as it is (UTF-8 with a byte order mark, ";" between the fields, decimal
// comma, CRLF line ends).

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <optional>

namespace zdb {
class Table;
}

namespace results {

// One stored game. Empty names stand for keys that point at no catalogue row; an empty
// wage or income for a game that has not got that far.
struct GameResult {
    QString name;
    QDate date;
    QString profession;
    std::optional<double> grossWage;
    // The family's monthly net total income as the player worked it out in the income
    // calculator (the player's net wage, the partner's income and the family allowances);
    // the family budget is weighed against it as it is stored.
    std::optional<double> familyNetIncome;
    QString house;
    QString food;
    QString clothing;
    QString transport;
    QString hobbies;          // every chosen hobby, ", " between them
    QString entertainments;   // every chosen entertainment, the same way
    bool finished = false;
    // What the pay statement of the game was worked out from: its tax year (2010 for a game
    // stored before the year was), the family's children and the partner's monthly income.
    int taxYear = 2010;
    int children = 0;
    qint64 partnerIncome = 0;
    // The month's balance of the game's last family costing; empty for a game that never
    // got that far, or was stored before balances were.
    std::optional<qint64> balance;
};

enum Column {
    Name,
    Date,
    Profession,
    GrossWage,
    FamilyNetIncome,
    House,
    Food,
    Clothing,
    Transport,
    Hobbies,
    Entertainments,
    Finished,
    ColumnCount
};

// The Hungarian title of a column, in the grid and in the CSV file's header row.
QString columnTitle(int column);

// The open tables the games are read from. Rows are read in place; no table's current row
// moves.
struct Sources {
    const zdb::Table *players = nullptr;        // Jatekosok.DB
    const zdb::Table *professions = nullptr;    // szakma4.DB
    const zdb::Table *houses = nullptr;         // Hazak.DB
    const zdb::Table *foods = nullptr;          // Elelmiszerek.DB
    const zdb::Table *clothing = nullptr;       // Ruhazkodas.db
    const zdb::Table *transport = nullptr;      // Kozlekedes.db
    const zdb::Table *hobbies = nullptr;        // Hobbi.db
    const zdb::Table *entertainments = nullptr; // Szorakozas.db
};

// Every stored game in the players' table's order. Throws std::runtime_error naming the
// table when one of them lacks a field the list needs.
QList<GameResult> collect(const Sources &sources);

// A number as the CSV file holds it: whole numbers without separators ("185000"),
// others with a decimal comma ("1234,5").
QString csvNumber(double value);

// The rows as the bytes of a CSV file, header row first.
QByteArray toCsv(const QList<GameResult> &rows);

// What the save dialog of the list suggests: "eredmenyek.csv" in the teacher's documents
// folder (the home folder when there is none), wherever the utility was started from.
QString suggestedCsvPath();

// Writes the bytes to `path` whole or not at all: the old file stays as it was when the new
// one cannot be written. Throws std::runtime_error with the user's message naming the file.
void writeFile(const QString &path, const QByteArray &bytes);

}  // namespace results
