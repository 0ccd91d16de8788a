#include "db/contentjson.h"

#include "db/schema.h"

#include <algorithm>

namespace zdb {

QStringList contentTables()
{
    static const QStringList left{QStringLiteral("Jatekosok.DB"), QStringLiteral("Valtozasok.db"),
                                  QStringLiteral("Eredeti.db")};
    QStringList names;
    for (const TableDef &def : schema())
        if (!left.contains(def.fileName, Qt::CaseInsensitive))
            names.append(def.fileName);
    return names;
}

int schemaVersion()
{
    int version = 1;
    for (const TableDef &def : schema())
        version = std::max({version, def.version, def.since});
    return version;
}

QByteArray toJson(const ContentFile &)
{
    throw EngineError(QStringLiteral("A tartalomfájl írása még nem készült el."));
}

ContentFile fromJson(const QByteArray &)
{
    throw EngineError(QStringLiteral("A tartalomfájl olvasása még nem készült el."));
}

}  // namespace zdb
