#pragma once
#include <cstdint>

namespace kestrova {

// Colours as 0x00BBGGRR values.
using Color = std::uint32_t;

inline constexpr Color clLime = 0x00FF00;
inline constexpr Color clYellow = 0x00FFFF;
inline constexpr Color clRed = 0x0000FF;
inline constexpr Color clBlack = 0x000000;
inline constexpr Color clWhite = 0xFFFFFF;
// The dark blue-grey of the panel: red 49, green 53, blue 85.
inline constexpr Color PanelColor = 0x00553531;

constexpr int redOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

} // namespace kestrova
