#pragma once
// One simulated student's games in the classroom load test: the values a player program
// stores at each evaluation, and the form of the lines it prints. Shared by the player
// program and the programs that check what it stored.

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

namespace classroom {

using Values = QList<QPair<QString, QVariant>>;

// "<prefix>-<i> Őrs": unique in the class when every player has its own prefix.
inline QString playerName(const QString &prefix, int evaluation)
{
    return QStringLiteral("%1-%2 Őrs").arg(prefix).arg(evaluation);
}

// What the game stores when a student starts: the name, the choices, the date, status 0.
inline Values appendValues(const QString &prefix, int i)
{
    return {{QStringLiteral("Nev"), playerName(prefix, i)},
            {QStringLiteral("House_Key"), 1 + i % 3},
            {QStringLiteral("Food_Key"), 1 + i % 4},
            {QStringLiteral("Clothing_Key"), 1 + i % 2},
            {QStringLiteral("Travel_Key"), 1 + i % 3},
            {QStringLiteral("Hobby_Key"), 1 + i % 5},
            {QStringLiteral("Entertainment_Key"), 1 + i % 4},
            {QStringLiteral("Job_Key"), 1 + i % 10},
            {QStringLiteral("Gyerekek"), i % 3},
            {QStringLiteral("Hazastars"), i % 2 == 0},
            {QStringLiteral("Hazastars_jovedelem"), i % 2 == 0 ? 95000.0 + 100 * i : 0.0},
            {QStringLiteral("Datum"), QDate(2026, 9, 1).addDays(i)},
            {QStringLiteral("Statusz"), 0}};
}

// What the evaluation writes into the same row: the incomes and status 1.
inline Values editValues(int i)
{
    return {{QStringLiteral("Netto_jov"), 120000.0 + 731 * i},
            {QStringLiteral("Brutto_jov"), 180000.5 + 1000 * i},
            {QStringLiteral("Statusz"), 1}};
}

// The line a player prints for each post that succeeded, and for each refused attempt.
inline QString postedLine(qint64 key, const QString &name, qint64 ns)
{
    return QStringLiteral("posted %1 %2 %3").arg(key).arg(name).arg(ns);
}

inline QString errorLine(const QString &message)
{
    return QStringLiteral("error ") + QString(message).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

}  // namespace classroom
