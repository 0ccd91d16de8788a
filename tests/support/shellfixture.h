#pragma once
// A game run over a small database of its own: a working folder with a "DB" folder holding
// every table of the schema (filled by the test), an engine configuration of the run's own,
// and a Game with scripted dialogs. The working folder is made current while the run lives.

#include "db/engine.h"
#include "game/game.h"
#include "db/schema.h"
#include "tests/support/scripteddialogs.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace shellfixture {

// A working folder; with `withDb` it holds "DB" with every table, empty.
class WorkFolder {
public:
    explicit WorkFolder(bool withDb = true)
    {
        if (withDb) {
            QDir().mkpath(db());
            for (const zdb::TableDef &def : zdb::schema())
                zdb::createTable(db(), def);
        }
    }
    QString path() const { return m_dir.path(); }
    QString db() const { return m_dir.filePath(QStringLiteral("DB")); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

    // Opens a table of DB for filling, through a session of its own.
    std::unique_ptr<zdb::Table> table(const QString &fileName)
    {
        if (!m_session) {
            m_session = std::make_unique<zdb::Session>(m_dir.filePath(QStringLiteral("filler.ini")));
            m_session->addStandardAlias(QStringLiteral("FILL"), db());
        }
        auto t = std::make_unique<zdb::Table>(m_session.get());
        t->setAliasName(QStringLiteral("FILL"));
        t->setTableName(fileName);
        t->open();
        return t;
    }

    void addCatalogueRow(const QString &fileName, const QString &category, double price)
    {
        auto t = table(fileName);
        t->append();
        t->fieldByName(QStringLiteral("Kategoria")).setValue(category);
        const bool house = fileName.startsWith(QStringLiteral("Hazak"), Qt::CaseInsensitive);
        if (house) {
            t->fieldByName(QStringLiteral("Terulet")).setValue(50.0);
            t->fieldByName(QStringLiteral("Rezsi")).setValue(price / 4);
            t->fieldByName(QStringLiteral("Torleszto_reszlet")).setValue(price);
        } else {
            t->fieldByName(QStringLiteral("Atlagos_Ar")).setValue(price);
        }
        t->post();
    }

    void addProfession(const QString &name, double min, double max, int children)
    {
        auto t = table(QStringLiteral("szakma4.DB"));
        t->append();
        t->fieldByName(QStringLiteral("Szakma_nev")).setValue(name);
        t->fieldByName(QStringLiteral("Brutto_min")).setValue(min);
        t->fieldByName(QStringLiteral("Brutto_max")).setValue(max);
        t->fieldByName(QStringLiteral("Gyerekszam")).setValue(children);
        t->post();
    }

    struct Player {
        QString name;
        int statusz = 0;
        int job = 1;
        int house = 1, food = 1, clothing = 1, travel = 1;
        int hobbyMask = 0, entertainmentMask = 0;
    };
    void addPlayer(const Player &p)
    {
        auto t = table(QStringLiteral("Jatekosok.DB"));
        t->append();
        t->fieldByName(QStringLiteral("Nev")).setValue(p.name);
        t->fieldByName(QStringLiteral("Statusz")).setValue(p.statusz);
        t->fieldByName(QStringLiteral("Job_Key")).setValue(p.job);
        t->fieldByName(QStringLiteral("House_Key")).setValue(p.house);
        t->fieldByName(QStringLiteral("Food_Key")).setValue(p.food);
        t->fieldByName(QStringLiteral("Clothing_Key")).setValue(p.clothing);
        t->fieldByName(QStringLiteral("Travel_Key")).setValue(p.travel);
        t->fieldByName(QStringLiteral("Hobby_Key")).setValue(p.hobbyMask);
        t->fieldByName(QStringLiteral("Entertainment_Key")).setValue(p.entertainmentMask);
        t->post();
    }

    // Names of the stored player rows, in name order.
    QStringList playerNames()
    {
        auto t = table(QStringLiteral("Jatekosok.DB"));
        t->setIndexName(QStringLiteral("Jatekosok_Nev_Szerint"));
        QStringList names;
        for (t->first(); !t->eof(); t->next())
            names << t->fieldByName(QStringLiteral("Nev")).asString();
        return names;
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<zdb::Session> m_session;
};

// The working folder made current for the lifetime of the object.
class CurrentFolder {
public:
    explicit CurrentFolder(const QString &path) : m_previous(QDir::currentPath()) { QDir::setCurrent(path); }
    ~CurrentFolder() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

// One run of the game: its own engine configuration file, scripted dialogs, the Game.
class Run {
public:
    explicit Run(const QString &configFile) : session(configFile), game(&session, &dialogs) {}
    zdb::Session session;
    ScriptedDialogs dialogs;
    Game game;
};

}  // namespace shellfixture
