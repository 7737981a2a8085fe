#include "store/ini_lines.h"

namespace store::ini_lines {

namespace {
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
}  // namespace

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  std::size_t end = text.size();
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string_view Unquote(std::string_view text) {
  if (text.size() >= 2 && text.front() == text.back() &&
      (text.front() == kDoubleQuote || text.front() == kSingleQuote)) {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

LineParts Classify(std::string_view line) {
  const std::string_view text = Trim(line);

  // Blank line or comment: kept, never an entry.
  if (text.empty() || text.front() == kCommentStart) return {LineKind::kBlank, {}, {}};

  // "[name]": the name runs to the first "]"; what follows it is ignored.
  // A "[" without a closing "]" is no header and is read as a key below.
  if (text.front() == kSectionOpen) {
    const std::size_t close = text.find(kSectionClose);
    if (close != std::string_view::npos) {
      return {LineKind::kSection, Trim(text.substr(1, close - 1)), {}};
    }
  }

  // "key=value": split at the first "=".
  const std::size_t assign = text.find(kAssign);
  if (assign != std::string_view::npos) {
    return {LineKind::kEntry, Trim(text.substr(0, assign)), Trim(text.substr(assign + 1))};
  }

  // Anything else is a key without a value: it reads as absent and is not listed.
  return {LineKind::kBareKey, text, {}};
}

std::size_t ByteOrderMarkLength(std::string_view bytes) {
  return bytes.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
}

}  // namespace store::ini_lines
