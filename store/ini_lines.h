#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The small pieces of INI text handling: splitting bytes into lines, telling
// what a line is, trimming and unquoting. Everything works on bytes and never
// looks past the view it is given, so hostile input (NUL bytes, huge lines,
// invalid UTF-8) is just more bytes.
namespace store::ini_lines {

// The characters that give a line its meaning.
inline constexpr char kCommentStart = ';';
inline constexpr char kSectionOpen = '[';
inline constexpr char kSectionClose = ']';
inline constexpr char kAssign = '=';
inline constexpr char kDoubleQuote = '"';
inline constexpr char kSingleQuote = '\'';
// The bytes that end a line when reading (CR, LF).
inline constexpr std::string_view kLineBreaks = "\r\n";

// What one line of an INI file is.
enum class LineKind {
  kBlank,    // empty, only blanks, or a comment (first non-blank is ';')
  kSection,  // "[name]": opens a section
  kEntry,    // "key=value"
  kBareKey,  // a line without "=": a key without a value
};

// A classified line; `name` and `value` view into the line, already trimmed.
struct LineParts {
  LineKind kind = LineKind::kBlank;
  std::string_view name;   // section name, or key name
  std::string_view value;  // the value of an entry, quotes still on
};

// True for the blanks that surround names and values: space, tab, vertical
// tab and form feed (CR and LF end lines and never reach here).
// (These three are inline: every line read runs them.)
inline bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// The view without leading and trailing blanks.
inline std::string_view Trim(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  std::size_t end = text.size();
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// The view without one pair of enclosing single or double quotes, when it
// has them (a lone quote is kept).
inline std::string_view Unquote(std::string_view text) {
  if (text.size() >= 2 && text.front() == text.back() &&
      (text.front() == kDoubleQuote || text.front() == kSingleQuote)) {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

// Tells what the line (without its line end) is and where its names are.
LineParts Classify(std::string_view line);

// Length of the UTF-8 byte-order mark at the start of `bytes` (3 or 0).
std::size_t ByteOrderMarkLength(std::string_view bytes);

// Calls on_line(std::string_view) for every line of `bytes`, without its
// line end. CR LF, LF and CR each end a line; a last line without an end
// counts, an empty text has no lines.
template <typename OnLine>
void ForEachLine(std::string_view bytes, OnLine&& on_line) {
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of(kLineBreaks, start);
    if (end == std::string_view::npos) {
      on_line(bytes.substr(start));
      return;
    }
    on_line(bytes.substr(start, end - start));
    // CR LF is one line end; a lone CR or LF is one too.
    start = end + ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);
  }
}

}  // namespace store::ini_lines
