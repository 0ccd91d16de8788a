#pragma once
// DataModule2: the three tax tables, in stored order and closed until a reader opens
// them. Tbl1 = adokulcs.db (income tax bands), Tbl2 = jarulek.db (contribution rates and
// tax credit figures), Tbl3 = gyerek.db (child allowance figures), Tbl4 = Adoev.DB (the
// folder's tax year and the monthly cost of a child), all through the game's alias
// (zdb::gameAlias()). The payroll rules (payroll.h) read them through payrolltables.h.

#include "controls/payrolltables.h"

#include <QObject>

#include <optional>

namespace zdb {
class Session;
class Table;
}  // namespace zdb

class TDataModule2 : public QObject {
    Q_OBJECT
public:
    explicit TDataModule2(zdb::Session *session, QObject *parent = nullptr);
    ~TDataModule2() override;

    zdb::Session *session() const { return m_session; }

    zdb::Table *Tbl1 = nullptr;  // adokulcs.db
    zdb::Table *Tbl2 = nullptr;  // jarulek.db
    zdb::Table *Tbl3 = nullptr;  // gyerek.db
    zdb::Table *Tbl4 = nullptr;  // Adoev.DB

    // The folder's year, read from Adoev.DB the first time it is asked for and kept for the
    // run (a folder's year does not change while the game plays on it). A year no rule set
    // knows is thrown at each asking.
    const payroll::FolderYear &folderYear();
    // The three tax tables, for payrolltables.h.
    payroll::TaxTableSet taxTables() const { return {Tbl1, Tbl2, Tbl3}; }

private:
    zdb::Session *m_session;
    std::optional<payroll::FolderYear> m_year;
};
