#pragma once
// The one error type of the programs' own code: a message for the user, in Hungarian,
// which the slot boundary shows in the error box. what() holds the message in UTF-8, as
// the table engine's error does, so a handler reads either the same way.

#include <QString>

#include <stdexcept>

class UserError : public std::runtime_error {
public:
    explicit UserError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Stops the work in hand with a message for the user.
[[noreturn]] inline void fail(const QString &message) { throw UserError(message); }
