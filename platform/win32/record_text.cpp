#include "platform/record_text.h"

#include <algorithm>

#include "platform/win32/wide_text.h"

namespace platform {

bool RecordTextIsProgramText() { return false; }

std::optional<std::string> ToRecordText(std::string_view text) { return win32::ToCodePage(text); }

std::string FromRecordText(std::string_view bytes) { return win32::FromCodePage(bytes); }

std::size_t RecordTextBytes(std::string_view bytes, std::size_t characters) {
  return std::min(bytes.size(), characters);
}

}  // namespace platform
