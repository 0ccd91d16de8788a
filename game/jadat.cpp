#include "game/jadat.h"

#include "db/engine.h"

namespace {

zdb::Table *makeTable(zdb::Session *session, QObject *parent, const QString &fileName,
                      const QString &objectName)
{
    auto *table = new zdb::Table(session, parent);
    table->setObjectName(objectName);
    table->setAliasName(zdb::gameAlias());
    table->setTableName(fileName);
    return table;
}

}  // namespace

TDataModule2::TDataModule2(zdb::Session *session, QObject *parent)
    : QObject(parent), m_session(session)
{
    setObjectName(QStringLiteral("DataModule2"));
    Tbl1 = makeTable(session, this, QStringLiteral("adokulcs.db"), QStringLiteral("Tbl1"));
    Tbl2 = makeTable(session, this, QStringLiteral("jarulek.db"), QStringLiteral("Tbl2"));
    Tbl3 = makeTable(session, this, QStringLiteral("gyerek.db"), QStringLiteral("Tbl3"));
    Tbl4 = makeTable(session, this, QStringLiteral("Adoev.DB"), QStringLiteral("Tbl4"));
}

const payroll::FolderYear &TDataModule2::folderYear()
{
    if (!m_year)
        m_year = payroll::ReadFolderYear(Tbl4);
    return *m_year;
}

TDataModule2::~TDataModule2() = default;

// Compiled here rather than with the other generated code of the library, so that
// linking DataModule2 does not pull in every screen of the library.
#include "moc_jadat.cpp"
