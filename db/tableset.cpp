#include "db/tableset.h"

namespace zdb {

TableSet readTables(Session *, const QString &, const QStringList &)
{
    throw EngineError(QStringLiteral("A táblák olvasása még nem készült el."));
}

void replaceTables(Session *, const QString &, const TableSet &)
{
    throw EngineError(QStringLiteral("A táblák cseréje még nem készült el."));
}

}  // namespace zdb
