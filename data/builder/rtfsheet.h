#pragma once
// The career profile sheet of one profession as a Windows-1250 rich-text document.

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace content {

// Escapes text for a rich-text document in code page 1250: control characters of the
// format are escaped, characters above ASCII become \'xx, others \uN.
QByteArray rtfEscape(const QString &text);

// "110 000" style grouping with non-breaking blanks, as printed on the sheets.
QString groupedForints(double amount);

// The sheet built from one profession of professionRows() (the tax year's row of
// szakmak.json with the rules' caption and category) of the tax year `year`, whose wages
// the sheet prints.
QByteArray careerSheet(const QJsonObject &profession, int year = 2010);

}  // namespace content
