#pragma once
// Rows the engine tests append to an open table of the schema.

#include "db/engine.h"

#include <QString>

namespace tablerows {

// A row of a catalogue other than the homes (Kategoria, Atlagos_Ar), posted.
inline void addCatalogueRow(zdb::Table &t, const QString &category, double price)
{
    t.append();
    t.fieldByName(QStringLiteral("Kategoria")).setValue(category);
    t.fieldByName(QStringLiteral("Atlagos_Ar")).setValue(price);
    t.post();
}

}  // namespace tablerows
