#pragma once
// Builds the game's working folder from the content sources embedded in this tool:
// the database folder DB with the tables, the profession pictures (munka_pict), the
// career sheets (rtf) and the recommendation clauses (szakmaleiras.txt). The catalogues,
// the professions and the tax tables are those of one tax year (content/<year>/); the
// folder's year is stored in its Adoev.DB.

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>

namespace content {

// The tax years there is content for, oldest first.
QVector<int> contentYears();
// The year a folder is built for when none is given and the folder has none of its own.
constexpr int kDefaultYear = 2010;

// One content source of a tax year (a JSON document of the embedded content), by file name.
QJsonObject source(int year, const QString &fileName);

// The professions of a year as the tables and the career sheets take them: each row of its
// szakmak.json (the year's figures and the sheet's texts, by code) with the caption
// (Szakma_nev), the interest category, the picture and the sheet of the rules' profession
// table. A row naming any of those four itself, a code not in the table or twice, or a
// profession missing is refused (throws).
QJsonArray professionRows(int year);

// The tax year of an existing database folder: the Ev of its Adoev.DB; kDefaultYear for a
// folder without that table (built before the year was stored) or without any table.
// Throws for a year table that cannot be read or holds no row.
int folderYear(const QString &dbFolder);

// The recommendation clauses, one a line, as authored (UTF-8 source).
QStringList recommendationClauses();

// A working-folder path written the game's way ("munka_pict\x.jpg") made local.
QString localPath(const QString &gamePath);

// Builds (or rebuilds) everything in `folder`, which is created when missing, with the
// content of `year`; year 0 keeps the year of the folder (folderYear()). A year without
// content is refused before anything is written. Needs a QGuiApplication for the
// pictures. Throws std::runtime_error (or the engine's EngineError) with a message naming
// what failed. Returns a one-line summary; what the user should know besides (a damaged
// players' table kept aside and how many of its games were saved) is added to `notices`,
// one line each.
QString buildWorkFolder(const QString &folder, QStringList *notices = nullptr, int year = 0);

// Fills a PostgreSQL database (the connection text as ServerAddress::parse reads it) with
// the same tables and the content of `year`; year 0 keeps the year the database holds
// (kDefaultYear for one without a year table). The players' table is kept when present.
// The students' and the teacher's login roles are created when missing and given their
// rights. Throws like buildWorkFolder(). Returns a one-line summary.
QString buildServerDatabase(const QString &connection, const QString &studentRole = QStringLiteral("zomir_diak"),
                            const QString &teacherRole = QStringLiteral("zomir_tanar"), int year = 0);

// Refuses (throws) a year there is no content for, naming the years there are.
void requireContentYear(int year);

}  // namespace content
