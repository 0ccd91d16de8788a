#pragma once
// A working folder of the 2026 tax year for the tests, until the content tool builds one
// (`zomir-data --year 2026`): the built 2010 folder with its tax tables and its year row
// rewritten to the law of 2026 through the table engine, everything else (catalogues,
// professions, pictures) left as 2010 has them. Replace the calls with a folder the tool
// builds once it does.
//
// The tables as a 2026 folder holds them: adokulcs.db one band {1, 999 999 999 999, 0, 15};
// jarulek.db Ebizt 18.5 (TB), MUNKALTATO_JARULEK 13 (szocho), every other field 0;
// gyerek.db "Családi pótlék" 12 200 / 13 300 / 16 000 and "Családi kedvezmény alapja"
// 133 340 / 266 660 / 440 000 per child; Adoev.DB {2026, kStandInChildCost}.

#include <QString>
#include <QtGlobal>

namespace zdb {
class Session;
}

namespace standin2026 {

// The monthly cost of a child the stand-in folder's year row gives.
constexpr qint64 kStandInChildCost = 25000;

// Rewrites the four tables of the alias `alias` of `session` to 2026. False (with a
// warning) when a table cannot be written.
bool rewriteTablesTo2026(zdb::Session &session, const QString &alias);

// Copies the built working folder (ZOMIR_WORKFOLDER) into `to` and rewrites it to 2026.
bool makeStandIn2026Folder(const QString &to);

}  // namespace standin2026
