#include "platform/record_text.h"

namespace platform {

bool RecordTextIsProgramText() { return true; }

std::optional<std::string> ToRecordText(std::string_view text) { return std::string(text); }

std::string FromRecordText(std::string_view bytes) { return std::string(bytes); }

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the UTF-8 sequence that its lead byte announces; 1 for a
// byte that leads none.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 1;
}

}  // namespace

std::size_t RecordTextBytes(std::string_view bytes, std::size_t characters) {
  // No character takes less than a byte.
  if (bytes.size() <= characters) return bytes.size();
  std::size_t at = 0;
  for (std::size_t counted = 0; counted < characters && at < bytes.size(); ++counted) {
    const std::size_t length = SequenceLength(static_cast<unsigned char>(bytes[at]));
    std::size_t next = at + 1;
    while (next < at + length && next < bytes.size() && IsContinuation(static_cast<unsigned char>(bytes[next]))) {
      ++next;
    }
    // A sequence cut short is no character: its lead counts on its own.
    at = next == at + length ? next : at + 1;
  }
  return at;
}

}  // namespace platform
