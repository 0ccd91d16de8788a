#include "db/tabledef.h"

namespace zdb {

bool isNumeric(FieldType type)
{
    switch (type) {
    case FieldType::AutoInc:
    case FieldType::Float:
    case FieldType::Money:
    case FieldType::Int16:
    case FieldType::Int32:
        return true;
    default:
        return false;
    }
}

int characterCount(const QString &text)
{
    int count = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i, ++count)
        if (text.at(i).isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
            ++i;
    return count;
}

QString leftCharacters(const QString &text, int count)
{
    if (count <= 0)
        return QString();
    const qsizetype n = text.size();
    qsizetype i = 0;
    for (int taken = 0; i < n && taken < count; ++i, ++taken)
        if (text.at(i).isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
            ++i;
    return text.left(i);
}

QString withoutLoneSurrogates(const QString &text)
{
    QString out = text;
    const qsizetype n = out.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = out.at(i);
        if (c.isHighSurrogate() && i + 1 < n && out.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            out[i] = QChar(QChar::ReplacementCharacter);
    }
    return out;
}

QString TableDef::sqlName() const
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? fileName : fileName.left(dot);
}

int TableDef::fieldIndex(const QString &name) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TableDef::autoIncIndex() const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].type == FieldType::AutoInc)
            return i;
    return -1;
}

QString quoteIdentifier(const QString &name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

}  // namespace zdb
