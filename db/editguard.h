#pragma once

#include "db/table.h"

namespace zdb {

// The program's own multi-step writes (start an edit or a new row, set fields, post) run
// under a guard: unless commit() succeeded, the guard cancels the edit when it goes out
// of scope, so a refused post leaves the table as it was and free to move.
//
//     zdb::EditGuard guard(players, zdb::EditGuard::Append);
//     guard.set("Nev", name);
//     guard.commit();   // throws the engine's message when the row is refused
class EditGuard {
public:
    enum Mode { Edit, Append };
    explicit EditGuard(Table *table, Mode mode = Edit);
    ~EditGuard();
    EditGuard(const EditGuard &) = delete;
    EditGuard &operator=(const EditGuard &) = delete;

    Field field(const QString &name) { return m_table->fieldByName(name); }
    void set(const QString &field, const QVariant &value) { m_table->fieldByName(field).setValue(value); }
    void commit();
    bool committed() const { return m_committed; }

private:
    Table *m_table;
    bool m_committed = false;
};

}  // namespace zdb
