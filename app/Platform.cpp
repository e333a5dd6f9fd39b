#include "Platform.h"

#include <cstdlib>

namespace kestrova {

namespace {
bool set(const EnvironmentReader& env, const char* name)
{
    const auto value = env(name);
    return value && !value->empty();
}
} // namespace

std::string ChoosePlatform(const EnvironmentReader& env)
{
    if (set(env, "QT_QPA_PLATFORM"))
        return {};
    const bool wayland = set(env, "WAYLAND_DISPLAY") || env("XDG_SESSION_TYPE") == "wayland";
    const bool xwayland = set(env, "DISPLAY");
    if (wayland && xwayland)
        return "xcb";
    // No XWayland: Qt's own choice, without a word.
    return {};
}

void ApplyPlatformChoice()
{
    const std::string platform = ChoosePlatform([](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (!value)
            return std::nullopt;
        return std::string(value);
    });
    if (!platform.empty())
        ::setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
}

} // namespace kestrova
