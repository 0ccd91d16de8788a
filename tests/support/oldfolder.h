#pragma once
// The database folder of an older program for the tests (tests/data/regi-mappa: one SQL dump
// per table file, as the content tool made them before shapes and the tax year were stored,
// with four stored games, see its README.txt), and the reading of its files without the
// engine, so that nothing is upgraded by the reading.

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QtTest>

namespace oldfolder {

// Runs `work` on a connection of its own to the SQLite file `path`.
template <typename Work>
void withFile(const QString &path, Work work)
{
    const QString name = QStringLiteral("oldfolder-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        work(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// The statements of a dump as `sqlite3 FILE .dump` prints them: a statement ends with the
// line that ends in ";" outside a quoted text.
QStringList dumpStatements(const QString &text);

// Turns the dumps of the old folder into table files in `db` (created when missing).
bool makeOldFolder(const QString &db);

// Every row of the players' table in the file `path`, the fields of the old shape only, as
// text ("|" between the fields, "<null>" for a null), in the order of Player_Key.
QStringList storedGames(const QString &path);

}  // namespace oldfolder
