#include "db/storage.h"

#include "db/folderstorage.h"
#include "db/serverstorage.h"

#include <QUuid>

namespace zdb {

std::shared_ptr<Storage> Storage::folder(const QString &path) { return std::make_shared<FolderStorage>(path); }

std::shared_ptr<Storage> Storage::server(const ServerAddress &address)
{
    return std::make_shared<ServerStorage>(address);
}

Storage::~Storage() = default;

QString Storage::newConnectionName(const char *prefix)
{
    return QLatin1String(prefix) + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

}  // namespace zdb
