#pragma once
// The one error type of the table engine: every failure is thrown as EngineError carrying
// a message meant for the user.

#include <QString>

#include <stdexcept>

namespace zdb {

class EngineError : public std::runtime_error {
public:
    explicit EngineError(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

}  // namespace zdb
