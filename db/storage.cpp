#include "db/storage.h"

#include "db/folderstorage.h"
#include "db/serverstorage.h"

#include <QUuid>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#endif

namespace zdb {

std::shared_ptr<Storage> Storage::folder(const QString &path) { return std::make_shared<FolderStorage>(path); }

std::shared_ptr<Storage> Storage::server(const ServerAddress &address)
{
    return std::make_shared<ServerStorage>(address);
}

Storage::~Storage() = default;

// A folder keeps no deleted rows: a single PC, whose backups hold them.
QString Storage::positionalOrder(const TableDef &, const QVector<int> &, bool) const { return QString(); }

Storage::BinAccess Storage::binAccess(const TableDef &) { return BinAccess::NoBin; }

QList<DeletedRow> Storage::deletedRows(const TableDef &, const QStringList &) { return {}; }

int Storage::restoreDeletedRows(const TableDef &, const QList<qint64> &) { return 0; }

void Storage::forgetDeletedRows(const TableDef &, const QList<qint64> &) {}

QString Storage::newConnectionName(const char *prefix)
{
    return QLatin1String(prefix) + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

void Storage::testStop(const QString &step)
{
    static const QString stopAt = qEnvironmentVariable("ZOMIR_TEST_STOP_AT");
    if (stopAt.isEmpty() || stopAt != step)
        return;
#ifdef Q_OS_WIN
    TerminateProcess(GetCurrentProcess(), 9);
#else
    std::raise(SIGKILL);
#endif
}

}  // namespace zdb
