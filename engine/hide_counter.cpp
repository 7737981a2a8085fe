#include "engine/hide_counter.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <system_error>

#include "engine/conversion_error.h"

namespace engine {

namespace {

// General format: plain decimal below 10^15 and down to 10^-5, otherwise
// mantissa and exponent ("1E15", "1.5E-7").
constexpr int kSignificantDigits = 15;
constexpr int kLowestPlainExponent = -5;
constexpr char kExponentMark = 'E';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips a run of digits; returns how many there were.
std::size_t SkipDigits(std::string_view text, std::size_t& pos) {
  std::size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos - start;
}

// True when the whole text is [+-]digits[.digits][(e|E)[+-]digits] with at
// least one digit before the exponent.
bool IsStrictDecimal(std::string_view text) {
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  std::size_t mantissa_digits = SkipDigits(text, pos);
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    mantissa_digits += SkipDigits(text, pos);
  }
  if (mantissa_digits == 0) return false;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    if (SkipDigits(text, pos) == 0) return false;
  }
  return pos == text.size();
}

// The number, or nullopt when the text is not a strict decimal or does not fit
// a double.
std::optional<double> ParseStrictDecimal(std::string_view text) {
  if (!IsStrictDecimal(text)) return std::nullopt;
  // from_chars takes no leading plus sign and never looks at the locale.
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The number in general format with at most 15 significant digits.
std::string FormatGeneral(double value) {
  if (value == 0) return "0";
  // d.dddddddddddddde±x: the value rounded to 15 significant digits.
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, kSignificantDigits - 1);
  (void)error;  // 64 bytes always hold a double in this form
  std::string_view rounded(buffer, static_cast<std::size_t>(end - buffer));
  std::size_t mark = rounded.find('e');
  int exponent = 0;
  std::string_view exponent_text = rounded.substr(mark + 1);
  if (exponent_text.front() == '+') exponent_text.remove_prefix(1);
  std::from_chars(exponent_text.data(), exponent_text.data() + exponent_text.size(), exponent);

  std::string digits;
  for (char c : rounded.substr(0, mark)) {
    if (c != '.') digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = value < 0 ? "-" : "";
  if (exponent >= kSignificantDigits || exponent < kLowestPlainExponent) {
    out += digits.front();
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += kExponentMark;
    out += std::to_string(exponent);
  } else if (exponent < 0) {
    out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else {
    std::size_t whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      out += digits + std::string(whole - digits.size(), '0');
    } else {
      out += digits.substr(0, whole) + "." + digits.substr(whole);
    }
  }
  return out;
}

}  // namespace

std::string NextCounterText(const std::string& text) {
  std::optional<double> value = ParseStrictDecimal(text);
  if (!value) throw ConversionError(text);
  return FormatGeneral(*value + 1);
}

}  // namespace engine
