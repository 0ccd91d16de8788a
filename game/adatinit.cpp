#include "game/adatinit.h"

#include "controls/datasource.h"
#include "controls/dialogs.h"
#include "controls/errorbox.h"
#include "db/engine.h"
#include "game/game.h"

#include <QDir>
#include <QFileInfo>

namespace {

zdb::Table *makeTable(zdb::Session *session, QObject *owner, const QString &alias,
                      const QString &fileName, const QString &order)
{
    auto *table = new zdb::Table(session, owner);
    table->setObjectName(fileName);
    table->setAliasName(alias);
    table->setTableName(fileName);
    if (!order.isEmpty())
        table->setIndexFieldNames(order);
    return table;
}

}  // namespace

TDM::TDM(Game *game, QObject *parent) : QObject(parent), m_game(game)
{
    setObjectName(QStringLiteral("DM"));
    zdb::Session *session = game->session();
    const QString alias = aliasName();
    ElelmiszerekDB = makeTable(session, this, alias, QStringLiteral("Elelmiszerek.DB"),
                               QStringLiteral("Food_Key"));
    HazakDB = makeTable(session, this, alias, QStringLiteral("Hazak.DB"), QStringLiteral("House_Key"));
    HobbiDB = makeTable(session, this, alias, QStringLiteral("Hobbi.db"), QString());
    JatekosokDB = makeTable(session, this, alias, QStringLiteral("Jatekosok.DB"), QString());
    KozlekedesDB = makeTable(session, this, alias, QStringLiteral("Kozlekedes.db"),
                             QStringLiteral("Travel_Key"));
    SzorakozasDB = makeTable(session, this, alias, QStringLiteral("Szorakozas.db"), QString());
    RuhazkodasDB = makeTable(session, this, alias, QStringLiteral("Ruhazkodas.db"),
                             QStringLiteral("Clothing_Key"));
    SzakmaDB = makeTable(session, this, alias, QStringLiteral("szakma4.DB"), QString());
    StatuszMod = new zdb::Statement(session);
    StatuszMod->setAliasName(alias);

    // The player table's computed fields read the six catalogues.
    const QList<QPair<QString, zdb::Table *>> sources = {
        {HazakDB->tableName(), HazakDB},           {ElelmiszerekDB->tableName(), ElelmiszerekDB},
        {RuhazkodasDB->tableName(), RuhazkodasDB}, {KozlekedesDB->tableName(), KozlekedesDB},
        {HobbiDB->tableName(), HobbiDB},           {SzorakozasDB->tableName(), SzorakozasDB},
    };
    for (const zdb::LookupDef &lookup : zdb::playerLookups()) {
        zdb::Table *source = nullptr;
        for (const auto &candidate : sources)
            if (candidate.first.compare(lookup.sourceFile, Qt::CaseInsensitive) == 0)
                source = candidate.second;
        if (!source)
            continue;
        JatekosokDB->addLookupField(lookup.name, lookup.type, lookup.size, lookup.keyField, source,
                                    lookup.sourceKeyField, lookup.resultField);
    }

    const auto source = [this](zdb::Table *table, const char *name) {
        auto *s = new TDataSource(table, this);
        s->setObjectName(QLatin1String(name));
        return s;
    };
    HazakSource = source(HazakDB, "HazakSource");
    ElelmiszerekSource = source(ElelmiszerekDB, "ElelmiszerekSource");
    RuhazkodasSource = source(RuhazkodasDB, "RuhazkodasSource");
    KozlekedesSource = source(KozlekedesDB, "KozlekedesSource");
    HobbiSource = source(HobbiDB, "HobbiSource");
    SzorakozasSource = source(SzorakozasDB, "SzorakozasSource");
}

TDM::~TDM()
{
    delete StatuszMod;
}

bool TDM::DataModuleCreate()
{
    zdb::Session *session = m_game->session();
    Dialogs *dialogs = m_game->dialogs();

    if (!session->aliasExists(aliasName())) {
        const QString workFolder = QDir::currentPath();
        QString path;
        const QFileInfo dbFolder(QDir(workFolder).filePath(QStringLiteral("DB")));
        if (dbFolder.isDir()) {
            path = dbFolder.absoluteFilePath();
        } else {
            dialogs->message(QStringLiteral("Nincs meg az adatbázis"));
            const QString chosen = dialogs->openFileName(nullptr, QString(), workFolder, QString());
            if (chosen.isEmpty())
                return false;
            path = QFileInfo(chosen).absolutePath();
        }

        // The success message is shown only when the alias was really stored; otherwise the
        // engine's own error is shown and the tables stay closed.
        bool stored = true;
        try {
            session->addStandardAlias(aliasName(), path);
            session->saveConfig();
        } catch (const zdb::EngineError &e) {
            stored = false;
            QDir::setCurrent(workFolder);
            showErrorMessage(e.message(), nullptr, dialogs->errorBox());
        }
        if (!stored)
            return true;
        dialogs->message(QStringLiteral("Az adatbázis inicializálása kész!"));
        QDir::setCurrent(workFolder);
    }

    // A table that cannot be opened stops the opening; the ones after it stay closed.
    try {
        OpenClosedTables();
    } catch (const zdb::EngineError &e) {
        showErrorMessage(e.message(), nullptr, dialogs->errorBox());
    }
    return true;
}

void TDM::OpenClosedTables()
{
    for (zdb::Table *table : {ElelmiszerekDB, HazakDB, HobbiDB, JatekosokDB, KozlekedesDB, RuhazkodasDB,
                              SzorakozasDB}) {
        if (table->active())
            continue;
        table->open();
        if (table == JatekosokDB)
            JatekosokDB->setIndexName(QStringLiteral("Jatekosok_Nev_Szerint"));
    }
}

void TDM::CloseTables()
{
    for (zdb::Table *table : {JatekosokDB, ElelmiszerekDB, HazakDB, HobbiDB, KozlekedesDB,
                              RuhazkodasDB, SzorakozasDB})
        table->close();
}
