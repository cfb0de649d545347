#pragma once

#include <QString>

#include <functional>

namespace vendara {

// Asks the user a yes/no question (the GUI shows a message box, tests answer
// directly); true means Yes.
using AskQuestion = std::function<bool(const QString &question)>;

} // namespace vendara
