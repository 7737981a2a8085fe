#pragma once

#include <QColor>
#include <cstdint>

namespace app {

// Colours are kept as the platform's 24-bit values in blue-green-red order
// (0x00BBGGRR) and converted here, in one place.
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

// The QColor of a 0x00BBGGRR value.
inline QColor ToQColor(BgrColor bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

// The 0x00BBGGRR value of a QColor.
inline BgrColor ToBgr(const QColor& color) {
  return static_cast<BgrColor>(color.red()) | (static_cast<BgrColor>(color.green()) << 8) |
         (static_cast<BgrColor>(color.blue()) << 16);
}

}  // namespace app
