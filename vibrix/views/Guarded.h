#pragma once
// How the window's parts run their handlers: through the window's guard, which shows an error
// in the error box and brings the window's state (caption, enabled actions) up to date.

#include <functional>

using THandlerRunner = std::function<void(const std::function<void()>&)>;
