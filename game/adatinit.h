#pragma once
// The data module DM: the catalogue, player and profession tables of the game, the
// statement that removes a player's stored games, and the database alias set-up that runs
// when the module is created.

#include <QObject>
#include <QString>

#include "db/engine.h"

class Game;
class TDataSource;
namespace zdb {
class Table;
class Statement;
}

class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(Game *game, QObject *parent = nullptr);
    ~TDM() override;

    // The alias every game table is opened through.
    static QString aliasName() { return zdb::gameAlias(); }

    // Makes sure the alias exists (creating it on the first start) and opens the seven
    // game tables. Returns false only when the player cancelled the database location
    // dialog: the program must then stop at once. Engine errors are shown here and leave
    // the tables concerned closed.
    bool DataModuleCreate();

    // Opens those of the seven game tables that are closed, in the order of the start:
    // a table that could not be opened then (a classroom server not yet reachable) is
    // tried again when the player page needs it. Throws the engine's error.
    void OpenClosedTables();

    // Closes the seven game tables (the opening screen's CloseTables order).
    void CloseTables();

    zdb::Table *ElelmiszerekDB = nullptr;
    zdb::Table *HazakDB = nullptr;
    zdb::Table *HobbiDB = nullptr;
    zdb::Table *JatekosokDB = nullptr;
    zdb::Table *KozlekedesDB = nullptr;
    zdb::Table *SzorakozasDB = nullptr;
    zdb::Table *RuhazkodasDB = nullptr;
    zdb::Table *SzakmaDB = nullptr;
    zdb::Statement *StatuszMod = nullptr;

    // Data sources of the six catalogues, which the household pages' bound controls bind to.
    TDataSource *HazakSource = nullptr;
    TDataSource *ElelmiszerekSource = nullptr;
    TDataSource *RuhazkodasSource = nullptr;
    TDataSource *KozlekedesSource = nullptr;
    TDataSource *HobbiSource = nullptr;
    TDataSource *SzorakozasSource = nullptr;

private:
    Game *m_game;
};
