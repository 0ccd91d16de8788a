// The tests' own PostgreSQL server: it starts from nothing, keeps Hungarian text intact,
// reports a failing statement with the server's message, and comes back on the same port
// with its data after being killed.

#include "tests/support/pgserver.h"
#include "tests/support/testenv.h"

#include <QtTest>

class TestPgServer : public QObject {
    Q_OBJECT

    PgServer server;

private Q_SLOTS:
    void initTestCase()
    {
        QString error;
        QVERIFY2(server.start(&error), qPrintable(error));
        QVERIFY(server.createDatabase(QStringLiteral("proba")));
        QString out;
        QVERIFY2(server.psql(QStringLiteral(
                                 "CREATE TABLE nevek (id serial PRIMARY KEY, nev text NOT NULL);"),
                             QStringLiteral("zomir_admin"), QStringLiteral("proba"), &out),
                 qPrintable(out));
    }

    void hungarianTextRoundTrip()
    {
        const QString name = QStringLiteral("Őrs Ödön – Árvíztűrő tükörfúrógép");
        QString out;
        QVERIFY2(server.psql(QStringLiteral("INSERT INTO nevek (nev) VALUES ('%1');"
                                            "SELECT nev, length(nev), upper(nev) FROM nevek "
                                            "WHERE nev = '%1';")
                                 .arg(name),
                             QStringLiteral("zomir_admin"), QStringLiteral("proba"), &out),
                 qPrintable(out));
        QCOMPARE(out, QStringLiteral("%1|%2|%3").arg(name).arg(name.size()).arg(name.toUpper()));
    }

    void failuresCarryTheServersMessage_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("db");
        QTest::addColumn<QString>("message");
        QTest::addRow("bad statement") << "SELEC 1;" << "zomir_admin" << "postgres" << "syntax error";
        QTest::addRow("stops at the first error")
            << "INSERT INTO nevek (nev) VALUES (NULL); INSERT INTO nevek (nev) VALUES ('x');"
            << "zomir_admin" << "proba" << "null value";
        QTest::addRow("unknown role") << "SELECT 1;" << "senki" << "postgres" << "senki";
        QTest::addRow("unknown database") << "SELECT 1;" << "zomir_admin" << "nincs" << "nincs";
    }

    void failuresCarryTheServersMessage()
    {
        QFETCH(QString, sql);
        QFETCH(QString, user);
        QFETCH(QString, db);
        QFETCH(QString, message);
        QString out;
        QVERIFY(!server.psql(sql, user, db, &out));
        QVERIFY2(out.contains(message), qPrintable(out));
        QString count;
        QVERIFY(server.psql(QStringLiteral("SELECT count(*) FROM nevek WHERE nev = 'x';"),
                            QStringLiteral("zomir_admin"), QStringLiteral("proba"), &count));
        QCOMPARE(count, QStringLiteral("0"));
    }

    void killedServerRestartsOnTheSamePortWithItsData()
    {
        QString out;
        QVERIFY(server.psql(QStringLiteral("INSERT INTO nevek (nev) VALUES ('elotte');"),
                            QStringLiteral("zomir_admin"), QStringLiteral("proba")));
        const int port = server.port();
        server.kill();
        QVERIFY(!server.isRunning());
        QVERIFY(!server.psql(QStringLiteral("SELECT 1;"), QStringLiteral("zomir_admin"),
                             QStringLiteral("proba"), &out));
        QVERIFY2(out.contains(QStringLiteral("connection")), qPrintable(out));

        QVERIFY2(server.restart(), qPrintable(server.errorString()));
        QCOMPARE(server.port(), port);
        QVERIFY2(server.psql(QStringLiteral("SELECT count(*) FROM nevek WHERE nev = 'elotte';"),
                             QStringLiteral("zomir_admin"), QStringLiteral("proba"), &out),
                 qPrintable(out));
        QCOMPARE(out, QStringLiteral("1"));
        QCOMPARE(server.connectionString(QStringLiteral("proba"), QStringLiteral("zomir_diak")),
                 QStringLiteral("host=127.0.0.1 port=%1 dbname=proba user=zomir_diak").arg(port));
    }
};

ZOMIR_TEST_MAIN(TestPgServer)
#include "tst_pgserver.moc"
