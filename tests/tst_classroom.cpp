// A whole class on one PostgreSQL server: thirty players, each its own program on its own
// connection, each storing fifty evaluations at once. Every row must be there afterwards
// with what its player posted, also when the server is killed halfway and comes back.

#include "tests/support/classroomgame.h"
#include "tests/support/classroomrun.h"
#include "db/engine.h"
#include "tests/support/pgserver.h"
#include "tests/support/testenv.h"

#include <QtTest>

namespace {

const int Players = 30;
const int Evaluations = 50;
const QString Database = QStringLiteral("osztaly");

using Row = QHash<QString, QVariant>;

bool sameValue(const QVariant &stored, const QVariant &expected)
{
    if (stored.isNull())
        return false;
    switch (expected.typeId()) {
    case QMetaType::Double:
        return qAbs(stored.toDouble() - expected.toDouble()) < 0.005;
    case QMetaType::QDate:
        return stored.toDate() == expected.toDate();
    case QMetaType::Bool:
        return stored.toBool() == expected.toBool();
    case QMetaType::Int:
        return stored.toLongLong() == expected.toLongLong();
    default:
        return stored.toString() == expected.toString();
    }
}

// Where a stored row differs from `expected`, one line per field.
QStringList differences(const QString &what, const Row &row, const classroom::Values &expected)
{
    QStringList lines;
    for (const auto &v : expected) {
        if (!sameValue(row.value(v.first), v.second))
            lines << QStringLiteral("%1: %2 is %3, posted %4")
                         .arg(what, v.first, row.value(v.first).toString(), v.second.toString());
    }
    return lines;
}

// The row as it stands after a post: the append's values, then those an edit changed.
classroom::Values afterPosts(const QString &prefix, int i, int posts)
{
    classroom::Values values = classroom::appendValues(prefix, i);
    if (posts < 2)
        return values;
    for (const auto &changed : classroom::editValues(i)) {
        values.erase(std::remove_if(values.begin(), values.end(),
                                    [&](const auto &v) { return v.first == changed.first; }),
                     values.end());
        values.append(changed);
    }
    return values;
}

QString firstLines(const QStringList &lines)
{
    return QStringLiteral("%1 problems:\n").arg(lines.size()) + lines.mid(0, 15).join('\n');
}

}  // namespace

class TestClassroom : public QObject {
    Q_OBJECT

    PgServer server;
    QTemporaryDir config;

    QString playerConnection() const
    {
        // Students' PCs connect with the students' role.
        return server.connectionString(Database, QStringLiteral("zomir_diak"));
    }

    // Every row of the players' table, by Player_Key, read through the engine.
    QHash<qint64, Row> storedPlayers()
    {
        zdb::Session session(config.filePath(QStringLiteral("check.ini")));
        session.setServerAlias(QStringLiteral("OSZTALY"),
                               zdb::ServerAddress::parse(server.connectionString(Database)));
        zdb::Table table(&session);
        table.setAliasName(QStringLiteral("OSZTALY"));
        table.setTableName(QStringLiteral("Jatekosok.DB"));
        table.open();
        QHash<qint64, Row> rows;
        for (int r = 0; r < table.recordCount(); ++r) {
            Row row;
            for (int f = 0; f < table.fieldCount(); ++f)
                row.insert(table.field(f).fieldName(), table.valueAt(r, f));
            rows.insert(row.value(QStringLiteral("Player_Key")).toLongLong(), row);
        }
        return rows;
    }

private Q_SLOTS:
    void initTestCase()
    {
#if !defined(ZOMIR_DATA_TOOL) || !defined(ZOMIR_CLASSROOM_PLAYER)
        QFAIL("built without the content tool zomir-data or the classroom_player program");
#else
        QString error;
        QVERIFY2(server.start(&error), qPrintable(error));
        QVERIFY2(prepareClassDatabase(server, QStringLiteral(ZOMIR_DATA_TOOL), Database, &error),
                 qPrintable(error));
#endif
    }

    void everyEvaluationOfAClassIsStored()
    {
        ClassroomRun run(QStringLiteral(ZOMIR_CLASSROOM_PLAYER), playerConnection());
        QVERIFY2(run.run(QStringLiteral("a"), Players, Evaluations, 900), qPrintable(run.problems()));
        QVERIFY2(run.problems().isEmpty(), qPrintable(run.problems()));
        qInfo("%d players x %d evaluations in %.1f s", Players, Evaluations, run.elapsedMs() / 1000.0);

        const QHash<qint64, Row> rows = storedPlayers();
        QHash<QString, QList<qint64>> keysByName;
        for (auto it = rows.begin(); it != rows.end(); ++it)
            keysByName[it->value(QStringLiteral("Nev")).toString()].append(it.key());

        QStringList problems;
        for (const ClassroomPlayer &player : run.players()) {
            if (player.posts.size() != 2 * Evaluations)
                problems << QStringLiteral("%1 reported %2 posts").arg(player.prefix).arg(player.posts.size());
            for (int i = 1; i <= Evaluations; ++i) {
                const QString name = classroom::playerName(player.prefix, i);
                const QList<qint64> keys = keysByName.value(name);
                if (keys.size() != 1) {
                    problems << QStringLiteral("%1 is stored %2 times").arg(name).arg(keys.size());
                    continue;
                }
                const Row &row = rows[keys.first()];
                problems << differences(name, row, afterPosts(player.prefix, i, 2));
                const int reported = 2 * (i - 1);
                if (reported < player.posts.size() && player.posts[reported].key != keys.first())
                    problems << QStringLiteral("%1 reported key %2, stored %3")
                                    .arg(name).arg(player.posts[reported].key).arg(keys.first());
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(firstLines(problems)));
    }

    void whatWasPostedSurvivesTheServersCrash()
    {
        ClassroomRun run(QStringLiteral(ZOMIR_CLASSROOM_PLAYER), playerConnection());
        bool killed = false;
        bool restarted = false;
        int postedAtKill = 0;
        run.setOnPosted([&](int posted) {
            if (killed || posted < Players * Evaluations)
                return;
            killed = true;
            postedAtKill = posted;
            server.kill();
            QTimer::singleShot(1000, [&] { restarted = server.restart(); });
        });
        // A short pause between a player's evaluations keeps the class at work for a few
        // seconds, so that the server goes down in the middle of it.
        QVERIFY2(run.run(QStringLiteral("b"), Players, Evaluations, 900, 40), qPrintable(run.problems()));
        QVERIFY(killed);
        QVERIFY2(restarted, qPrintable(server.errorString()));

        // Every player got through: the posts refused while the server was away went in
        // once it was back.
        QStringList errors;
        for (const ClassroomPlayer &player : run.players()) {
            QVERIFY2(player.exitCode == 0, qPrintable(run.problems()));
            errors << player.errors;
        }
        qInfo("killed after %d posts; %lld refused posts while the server was away, e.g. \"%s\"",
              postedAtKill, qlonglong(errors.size()), qPrintable(errors.value(0)));

        const QHash<qint64, Row> rows = storedPlayers();
        QStringList problems;
        int reportedRows = 0;
        for (const ClassroomPlayer &player : run.players()) {
            QHash<qint64, int> postsOfKey;
            for (const ClassroomPost &post : player.posts)
                ++postsOfKey[post.key];
            reportedRows += postsOfKey.size();
            for (const ClassroomPost &post : player.posts) {
                const auto row = rows.constFind(post.key);
                if (row == rows.constEnd()) {
                    problems << QStringLiteral("%1 (key %2) is gone").arg(post.name).arg(post.key);
                    continue;
                }
                const int i = post.name.section(QLatin1Char('-'), 1).section(QLatin1Char(' '), 0, 0).toInt();
                problems << differences(post.name, *row,
                                        afterPosts(player.prefix, i, postsOfKey.value(post.key)));
            }
        }
        // A post whose commit went through just as the server died is refused to its
        // player, who posts the row again: a second row, never reported.
        const auto classRows = std::count_if(rows.begin(), rows.end(), [](const Row &row) {
            return row.value(QStringLiteral("Nev")).toString().startsWith(QLatin1Char('b'));
        });
        qInfo("%d rows reported as posted, %lld stored", reportedRows, qlonglong(classRows));
        QVERIFY2(problems.isEmpty(), qPrintable(firstLines(problems)));
    }
};

ZOMIR_TEST_MAIN(TestClassroom)
#include "tst_classroom.moc"
