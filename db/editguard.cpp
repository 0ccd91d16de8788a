#include "db/editguard.h"

namespace zdb {

EditGuard::EditGuard(Table *table, Mode mode) : m_table(table)
{
    if (mode == Append)
        table->append();
    else
        table->edit();
}

EditGuard::~EditGuard()
{
    if (m_committed)
        return;
    try {
        if (m_table->active())
            m_table->cancel();
    } catch (...) {
        // Cancelling only drops the edit buffer; nothing here may escape a destructor.
    }
}

void EditGuard::commit()
{
    m_table->post();
    m_committed = true;
}

}  // namespace zdb
