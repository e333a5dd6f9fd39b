#include "Platform.h"

#include <gtest/gtest.h>

#include <map>

namespace kestrova {
namespace {

TEST(ChoosePlatform, RunsThroughXWaylandInAWaylandSessionWhereItIsThere)
{
    struct Case {
        const char* name;
        std::map<std::string, std::string> env;
        std::string platform;
    };
    const std::vector<Case> cases{
        {"X11 session", {{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}, ""},
        {"Wayland with XWayland", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"}}, "xcb"},
        {"Wayland by session type", {{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":1"}}, "xcb"},
        {"Wayland without XWayland", {{"WAYLAND_DISPLAY", "wayland-0"}}, ""},
        {"Wayland, empty DISPLAY", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ""}}, ""},
        {"the user's own choice", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"},
                                   {"QT_QPA_PLATFORM", "wayland"}}, ""},
        {"an empty choice is none", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"},
                                     {"QT_QPA_PLATFORM", ""}}, "xcb"},
        {"no session at all", {}, ""},
    };
    for (const Case& c : cases) {
        const auto env = [&](const char* name) -> std::optional<std::string> {
            const auto it = c.env.find(name);
            if (it == c.env.end())
                return std::nullopt;
            return it->second;
        };
        EXPECT_EQ(ChoosePlatform(env), c.platform) << c.name;
    }
}

} // namespace
} // namespace kestrova
