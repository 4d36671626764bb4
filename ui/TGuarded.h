#pragma once
// Wraps a command handler for `connect` so that an error it raises ends at the standard
// error display right there: Qt's signal delivery is built without exceptions, and one
// unwinding through it skips Qt's own clean-up.

#include <concepts>
#include <functional>
#include <utility>

#include "TApplication.h"

template <typename F>
auto Guarded(F handler) {
    return [handler = std::move(handler)](auto&&... arguments) {
        try {
            // A handler may take the signal's arguments or none of them.
            if constexpr (std::invocable<F&, decltype(arguments)...>)
                std::invoke(handler, std::forward<decltype(arguments)>(arguments)...);
            else
                std::invoke(handler);
        } catch (...) {
            TApplication::ShowCurrentException();
        }
    };
}

template <typename O, typename T, typename R, typename... A>
requires std::derived_from<O, T>
auto Guarded(O* object, R (T::*member)(A...)) {
    return Guarded([object, member](A... arguments) { (object->*member)(arguments...); });
}
