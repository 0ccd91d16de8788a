#include "db/engineerror.h"

namespace zdb {

EngineError::EngineError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

}  // namespace zdb
