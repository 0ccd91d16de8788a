#pragma once
// How the engine reads, orders and shows stored values; shared by its own units (fields,
// tables), not by the programs.

#include "db/tabledef.h"

#include <QString>
#include <QVariant>

namespace zdb {

// A name in the quotation marks messages give names: „name”.
QString quoted(const QString &name);

// Order of values as SQLite sorts them: null first, then numbers, then texts (ASCII letters
// compared without regard to case when `nocase`), then blobs.
int typeRank(const QVariant &v);
// ASCII letters in small case, the way SQLite's NOCASE collation sees a text.
QString asciiLower(const QString &text);
int compareSql(const QVariant &a, const QVariant &b, bool nocase);

bool toWholeNumber(const QVariant &v, qint64 *out);
bool toReal(const QVariant &v, double *out);
// A value reduced to a text key for locating: numbers by value, texts folded on request.
QString locateKey(const QVariant &v, FieldType type, bool ignoreCase, bool *ok);

bool isEmptyValue(const QVariant &v);
// The plain text of a value as a field of `type` gives it (empty for an empty value).
QString plainText(FieldType type, const QVariant &v);
// The text shown for a value: money in the locale's money format, numbers in the locale's.
QString shownText(FieldType type, const QVariant &v);

}  // namespace zdb
