#pragma once
// The readable content file: a teacher's content (the catalogues, the professions, the
// payroll tables, the year) as UTF-8 JSON, written from stored rows and read back with
// every value checked against the schema.

#include "db/tableset.h"

#include <QByteArray>
#include <QStringList>

namespace zdb {

// The tables a teacher's content is made of: every table of the schema but the players' (Jatekosok.DB),
// the history (Valtozasok.db) and the supplied originals (Eredeti.db), in schema order.
QStringList contentTables();

// The schema's version: the highest shape or `since` of any table (4 once the new tables are in).
int schemaVersion();

struct ContentFile {
    int schema = 0;
    int year = 0;        // the tax year (Adoev.DB's Ev)
    TableSet tables;
};

// Readable UTF-8 JSON: {"formatum": "zomir-tartalom", "semavaltozat": 4, "adoev": 2026,
//   "tablak": {"Hazak.DB": [{"House_Key": 1, "Kategoria": "...", "Kep": "<base64>", ...}, ...], ...}}
// (row objects by field name in field order; pictures base64; rowids are not written: a row's identity
// on import is its AutoInc key where the table has one, else its position).
QByteArray toJson(const ContentFile &file);

// Throws EngineError with a Hungarian message naming the table, the 1-based row and the field's label
// for a value the schema refuses (type, size, range, required), and a message naming both versions for
// another schema version.
ContentFile fromJson(const QByteArray &json);

// The content the content tool supplied, as kept in the table of the originals (Eredeti.db):
// every content table it built, in schema order. Throws EngineError, saying what to do,
// when the folder or server was built before the originals were kept.
ContentFile suppliedContent(Session *session, const QString &alias);
// The rows of the table of the originals for `file`: each of its tables as a content file
// of its own.
TableRows suppliedRows(const ContentFile &file);

}  // namespace zdb
