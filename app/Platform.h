#pragma once
#include <functional>
#include <optional>
#include <string>

namespace kestrova {

// Reads one variable of the session's environment.
using EnvironmentReader = std::function<std::optional<std::string>(const char* name)>;

// The Qt platform to ask for, or an empty string to leave Qt's own choice.
// A Wayland session lets no client keep itself on top, at a place of its
// own, or off the taskbar, so the program runs through XWayland wherever it
// is there. A platform the user names explicitly is left alone.
std::string ChoosePlatform(const EnvironmentReader& env);

// Applies ChoosePlatform to this process's environment; call before the
// application object exists.
void ApplyPlatformChoice();

} // namespace kestrova
