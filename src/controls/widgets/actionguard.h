#pragma once

#include <functional>
#include <type_traits>
#include <utility>

namespace vendara {

class Questions;

// Every operation the user starts (a menu action, a tool or dialog button, a
// timer) runs through this guard: whatever it raises is shown in an error box
// and the operation stops there. Nothing reaches the event loop, so an error
// never ends the program with unsaved work. False when the operation failed.
bool runGuarded(Questions &questions, const std::function<void()> &operation) noexcept;

// A slot for connect() that runs `operation` through the guard. The slot
// passes the signal's arguments on where `operation` takes them.
template <typename Operation>
auto guarded(Questions &questions, Operation operation)
{
    return [&questions, operation = std::move(operation)](auto &&...args) {
        runGuarded(questions, [&] {
            if constexpr (std::is_invocable_v<Operation &, decltype(args)...>)
                std::invoke(operation, std::forward<decltype(args)>(args)...);
            else
                std::invoke(operation);
        });
    };
}

} // namespace vendara
