#pragma once
// Builds the game's working folder from the content sources embedded in this tool:
// the database folder DB with the eleven tables, the profession pictures (munka_pict),
// the career sheets (rtf) and the recommendation clauses (szakmaleiras.txt).

#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace content {

// One content source (a JSON document of the embedded content), by file name.
QJsonObject source(const QString &fileName);

// The recommendation clauses, one a line, as authored (UTF-8 source).
QStringList recommendationClauses();

// A working-folder path written the game's way ("munka_pict\x.jpg") made local.
QString localPath(const QString &gamePath);

// Builds (or rebuilds) everything in `folder`, which is created when missing.
// Needs a QGuiApplication for the pictures. Throws std::runtime_error (or the engine's
// EngineError) with a message naming what failed. Returns a one-line summary; what the
// user should know besides (a damaged players' table kept aside and how many of its games
// were saved) is added to `notices`, one line each.
QString buildWorkFolder(const QString &folder, QStringList *notices = nullptr);

// Fills a PostgreSQL database (the connection text as ServerAddress::parse reads it) with
// the same tables and content. The players' table is kept when present. The students' and
// the teacher's login roles are created when missing and given their rights. Throws like
// buildWorkFolder(). Returns a one-line summary.
QString buildServerDatabase(const QString &connection, const QString &studentRole = QStringLiteral("zomir_diak"),
                            const QString &teacherRole = QStringLiteral("zomir_tanar"));

}  // namespace content
