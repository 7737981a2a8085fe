#include "engine/readable_name.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace engine {

namespace {

// Windows-1252 where it differs from Latin-1: the characters of bytes
// 0x80..0x9F. The undefined bytes keep their Latin-1 number.
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};
constexpr unsigned char kFirstHigh = 0x80;
constexpr unsigned char kFirstLatin1 = 0xA0;

// The number of bytes of a UTF-8 sequence that starts with `lead`, and the
// bits of the character that the lead byte carries; 0 when `lead` starts none.
struct Lead {
  int length;
  char32_t bits;
  char32_t smallest;  // below this the sequence is overlong
};
Lead ReadLead(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return {2, lead & 0x1Fu, 0x80};
  if ((lead & 0xF0) == 0xE0) return {3, lead & 0x0Fu, 0x800};
  if ((lead & 0xF8) == 0xF0) return {4, lead & 0x07u, 0x10000};
  return {0, 0, 0};
}

// True when `text` is well-formed UTF-8: no stray or missing continuation
// bytes, no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < kFirstHigh) {
      ++at;
      continue;
    }
    const Lead form = ReadLead(lead);
    if (form.length == 0 || text.size() - at < static_cast<std::size_t>(form.length)) return false;
    char32_t character = form.bits;
    for (int i = 1; i < form.length; ++i) {
      const auto next = static_cast<unsigned char>(text[at + i]);
      if ((next & 0xC0) != 0x80) return false;
      character = (character << 6) | (next & 0x3Fu);
    }
    if (character < form.smallest || character > 0x10FFFF ||
        (character >= 0xD800 && character <= 0xDFFF)) {
      return false;
    }
    at += form.length;
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t character) {
  if (character < 0x80) {
    out += static_cast<char>(character);
  } else if (character < 0x800) {
    out += static_cast<char>(0xC0 | (character >> 6));
    out += static_cast<char>(0x80 | (character & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (character >> 12));
    out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (character & 0x3F));
  }
}

char32_t FromWindows1252(unsigned char byte) {
  if (byte >= kFirstHigh && byte < kFirstLatin1) return kWindows1252High[byte - kFirstHigh];
  return byte;
}

}  // namespace

std::string ReadableName(const std::string& stored) {
  if (IsUtf8(stored)) return stored;
  std::string shown;
  shown.reserve(stored.size() * 2);
  for (const char byte : stored) AppendUtf8(shown, FromWindows1252(static_cast<unsigned char>(byte)));
  return shown;
}

}  // namespace engine
