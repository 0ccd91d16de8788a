#include "tests/support/oldfolder.h"

#include "tests/support/testenv.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

namespace oldfolder {

QStringList dumpStatements(const QString &text)
{
    QStringList statements;
    QString current;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        current += current.isEmpty() ? line : QLatin1Char('\n') + line;
        if (current.trimmed().endsWith(QLatin1Char(';')) && current.count(QLatin1Char('\'')) % 2 == 0) {
            statements.append(current);
            current.clear();
        }
    }
    return statements;
}

bool makeOldFolder(const QString &db)
{
    const QDir dumps(testenv::dataDir() + QStringLiteral("/regi-mappa"));
    const QStringList files = dumps.entryList({QStringLiteral("*.sql")}, QDir::Files);
    if (files.size() != 11 || !QDir().mkpath(db))
        return false;
    bool ok = true;
    for (const QString &file : files) {
        QFile in(dumps.filePath(file));
        if (!in.open(QIODevice::ReadOnly))
            return false;
        const QString text = QString::fromUtf8(in.readAll());
        withFile(QDir(db).filePath(file.chopped(4)), [&](QSqlDatabase &d) {
            QSqlQuery q(d);
            for (const QString &statement : dumpStatements(text))
                if (!q.exec(statement)) {
                    qWarning() << file << q.lastError().text();
                    ok = false;
                }
        });
    }
    return ok;
}

QStringList storedGames(const QString &path)
{
    QStringList rows;
    withFile(path, [&](QSqlDatabase &db) {
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("SELECT Player_Key, Nev, House_Key, Food_Key, Clothing_Key, Travel_Key, "
                                      "Hobby_Key, Entertainment_Key, Job_Key, hex(Kep), Statusz, Datum, Gyerekek, "
                                      "Hazastars, Hazastars_jovedelem, Netto_jov, Brutto_jov FROM Jatekosok "
                                      "ORDER BY Player_Key")));
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < 17; ++i)
                values.append(q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
            rows.append(values.join(QLatin1Char('|')));
        }
    });
    return rows;
}

}  // namespace oldfolder
