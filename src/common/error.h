#pragma once

#include <QString>

#include <stdexcept>

namespace vendara {

// The one error type operations raise. The message is the user-facing text,
// shown as is by the GUI's message box and printed by the CLI.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}

    const QString &message() const noexcept { return m_message; }

private:
    QString m_message;
};

} // namespace vendara
