#include "platform/record_text.h"

namespace platform {

bool RecordTextIsProgramText() { return true; }

std::optional<std::string> ToRecordText(std::string_view text) { return std::string(text); }

std::string FromRecordText(std::string_view bytes) { return std::string(bytes); }

}  // namespace platform
