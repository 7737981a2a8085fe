#pragma once

#include <cstdint>

namespace app {

// Colours are kept as the platform's 24-bit values in blue-green-red order
// (0x00BBGGRR); each front end converts them at its edge.
using BgrColor = std::uint32_t;

inline constexpr BgrColor kLightGrey = 0xEAEAEA;
inline constexpr BgrColor kLavender = 0xC68C8C;
inline constexpr BgrColor kNavy = 0xA00000;
inline constexpr BgrColor kNearWhite = 0xF3F3F3;
inline constexpr BgrColor kCream = 0xDEEBEF;
inline constexpr BgrColor kHoverRed = 0x0000FF;
inline constexpr BgrColor kBlack = 0x000000;
inline constexpr BgrColor kWhite = 0xFFFFFF;
inline constexpr BgrColor kAzure = 0xFF8000;
inline constexpr BgrColor kPaleBlue = 0xFDE9DB;
inline constexpr BgrColor kPanelGrey = 0xE3E3E3;

constexpr int RedOf(BgrColor c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(BgrColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(BgrColor c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr BgrColor FromRgb(int red, int green, int blue) {
  return static_cast<BgrColor>(red & 0xFF) | (static_cast<BgrColor>(green & 0xFF) << 8) |
         (static_cast<BgrColor>(blue & 0xFF) << 16);
}

}  // namespace app
