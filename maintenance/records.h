#pragma once
// The maintenance utility's own rules, free of the window: turning a chosen picture file
// into the bitmap bytes both programs show, and the checks a profession or contribution
// row must pass before it is stored.

#include <QByteArray>
#include <QString>

namespace zdb {
class Table;
}

namespace maint {

// The bytes to store in a picture field for the file at `path`: a Windows bitmap file as it
// is, any other picture the image readers know re-encoded as a bitmap. Throws
// std::runtime_error with the user's message when the file cannot be read as a picture.
QByteArray pictureFileAsBitmap(const QString &path);

// Refuses (throws std::runtime_error naming the field by its display label) a profession
// row the game could not draw a wage from or cost: a negative wage or spouse's income, a
// highest wage below the lowest, a negative number of children.
void checkProfession(zdb::Table &table);

// Refuses a contribution row whose tax-credit rate is zero or empty in a folder of a tax
// year with the tax credit: that year's payroll rules divide by it. A year without the
// credit leaves the rate unused, so zero is fine there.
void checkContributions(zdb::Table &table, int taxYear);

}  // namespace maint
