#pragma once
// DataModule2: the three tax tables, in stored order and closed until a reader opens
// them. Tbl1 = adokulcs.db (income tax bands), Tbl2 = jarulek.db (contribution rates and
// tax credit figures), Tbl3 = gyerek.db (child allowance figures), all through the game's
// alias (zdb::gameAlias()). The payroll rules (payroll.h) read them.

#include <QObject>

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

private:
    zdb::Session *m_session;
};
