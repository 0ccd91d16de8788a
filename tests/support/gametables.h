#pragma once
// The tables the game's data module keeps open while a game runs: the players and the six
// catalogues (the professions' table is opened by the profession choice only).

#include "db/engine.h"
#include "game/adatinit.h"

#include <QList>

namespace shellfixture {

inline QList<zdb::Table *> gameTables(TDM *dm)
{
    return {dm->JatekosokDB, dm->ElelmiszerekDB, dm->HazakDB, dm->HobbiDB,
            dm->KozlekedesDB, dm->RuhazkodasDB, dm->SzorakozasDB};
}

}  // namespace shellfixture
