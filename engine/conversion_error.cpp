#include "engine/conversion_error.h"

namespace engine {

namespace {
constexpr char kQuote[] = "'";
constexpr char kConversionErrorTail[] = "' is not a valid floating point value";
}  // namespace

ConversionError::ConversionError(const std::string& text)
    : store::Error(kQuote + text + kConversionErrorTail) {}

}  // namespace engine
