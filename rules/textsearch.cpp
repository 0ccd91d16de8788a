#include "rules/textsearch.h"

namespace textsearch {

QString folded(const QString &text)
{
    // Decomposed, an accented letter is its base letter followed by combining marks.
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        out.append(c);
    }
    return out.toCaseFolded();
}

bool contains(const QString &text, const QString &needle)
{
    const QString wanted = folded(needle.trimmed());
    if (wanted.isEmpty())
        return false;
    return folded(text).contains(wanted);
}

Match findFrom(int rowCount, int from, const QString &needle, const std::function<QStringList(int row)> &texts)
{
    Match match;
    const QString wanted = folded(needle.trimmed());
    if (wanted.isEmpty() || rowCount <= 0)
        return match;
    from = qBound(0, from, rowCount);
    for (int step = 0; step < rowCount; ++step) {
        const int row = (from + step) % rowCount;
        const QStringList rowTexts = texts(row);
        for (const QString &text : rowTexts) {
            if (folded(text).contains(wanted)) {
                match.row = row;
                match.wrapped = from + step >= rowCount;
                return match;
            }
        }
    }
    return match;
}

}  // namespace textsearch
