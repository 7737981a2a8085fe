#pragma once

#include <string>

// The hide counter's text form: a decimal number read strictly and written
// back in general number format.
namespace engine {

// The counter's next value as it is written back: `text` read as a decimal
// floating-point number (optional sign, digits, optional fraction, optional
// exponent; nothing else, not even blanks), plus one, in general format with
// at most 15 significant digits ("0" -> "1", "9" -> "10", "2.5" -> "3.5",
// "999999999999999" -> "1E15").
// Throws ConversionError with `text` when it is not such a number or lies
// outside the range of a double.
std::string NextCounterText(const std::string& text);

}  // namespace engine
