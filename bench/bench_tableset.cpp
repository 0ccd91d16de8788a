// Every content table of a built working folder replaced at once (replaceTables), on the
// folder and on a PostgreSQL server of the benchmark's own, with the time to read them and
// to write and read the content file. Prints one "name: value" line per figure.

#include "db/contentjson.h"
#include "db/engine.h"
#include "db/tableset.h"
#include "tests/support/pgserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>

using namespace zdb;

namespace {

QTextStream out(stdout);

void print(const QString &name, double value) { out << name << ": " << QString::number(value, 'f', 3) << Qt::endl; }

// Median of `runs` timings of `work`, in milliseconds.
double timeMs(int runs, const std::function<void()> &work)
{
    QVector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QProcess tool;
    tool.start(QStringLiteral(ZOMIR_DATA_TOOL), {dir.filePath(QStringLiteral("folder"))});
    if (!tool.waitForFinished(120000) || tool.exitCode() != 0) {
        out << "the content tool failed" << Qt::endl;
        return 1;
    }
    constexpr int runs = 7;
    try {
        Session session(dir.filePath(QStringLiteral("config/engine.ini")));
        session.addStandardAlias(QStringLiteral("DB_ZOMIR"), dir.filePath(QStringLiteral("folder/DB")));
        const TableSet content = readTables(&session, QStringLiteral("DB_ZOMIR"), contentTables());
        int rows = 0;
        for (const TableRows &t : content)
            rows += t.rows.size();
        print(QStringLiteral("content_tables"), content.size());
        print(QStringLiteral("content_rows"), rows);
        print(QStringLiteral("folder_read_all_ms"),
              timeMs(runs, [&] { readTables(&session, QStringLiteral("DB_ZOMIR"), contentTables()); }));
        print(QStringLiteral("folder_replace_all_ms"),
              timeMs(runs, [&] { replaceTables(&session, QStringLiteral("DB_ZOMIR"), content); }));
        const ContentFile file{schemaVersion(), 2010, content};
        QByteArray json;
        print(QStringLiteral("content_file_write_ms"), timeMs(runs, [&] { json = toJson(file); }));
        print(QStringLiteral("content_file_bytes"), json.size());
        print(QStringLiteral("content_file_read_ms"), timeMs(runs, [&] { fromJson(json); }));

        PgServer server;
        QString error;
        if (!server.start(&error) || !server.createDatabase(QStringLiteral("tablecsere"))) {
            out << "the server does not start: " << error << Qt::endl;
            return 1;
        }
        session.setServerAlias(QStringLiteral("DB_ZOMIR"),
                               ServerAddress::parse(server.connectionString(QStringLiteral("tablecsere"))));
        for (const TableDef &def : schema())
            session.storage(QStringLiteral("DB_ZOMIR"))->createTable(def);
        replaceTables(&session, QStringLiteral("DB_ZOMIR"), content);
        print(QStringLiteral("server_read_all_ms"),
              timeMs(runs, [&] { readTables(&session, QStringLiteral("DB_ZOMIR"), contentTables()); }));
        print(QStringLiteral("server_replace_all_ms"),
              timeMs(runs, [&] { replaceTables(&session, QStringLiteral("DB_ZOMIR"), content); }));
    } catch (const EngineError &e) {
        out << "failed: " << e.message() << Qt::endl;
        return 1;
    }
    return 0;
}
