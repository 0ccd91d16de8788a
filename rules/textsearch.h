#pragma once
// Finding a record by its texts as a teacher types them: accents and letter case do not
// count ("orult" finds "Őrült", "ÜGY" finds "ügyvéd"), and the text may lie anywhere inside
// a field, in the middle of a word too.

#include <QString>
#include <QStringList>

#include <functional>

namespace textsearch {

// The text as it is compared: accents taken off the letters (ő, ö and õ become o; ű, ü and
// û become u; á a, é e, í i, ó o, ú u), letters in lower case, spaces and punctuation as
// they are.
QString folded(const QString &text);

// Whether `needle` lies inside `text`, accents and letter case ignored. A needle that is
// empty (or only spaces) lies nowhere.
bool contains(const QString &text, const QString &needle);

// The first row at or after `from` whose texts hold the needle, going on from the first row
// after the last one; -1 when no row does. `texts(row)` gives a row's texts.
struct Match {
    int row = -1;
    bool wrapped = false;   // found only after going round past the last row
};
Match findFrom(int rowCount, int from, const QString &needle, const std::function<QStringList(int row)> &texts);

}  // namespace textsearch
