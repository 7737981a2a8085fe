#pragma once

#include <string>

#include "store/errors.h"

namespace engine {

// The hide counter's text is not a number.
// Text: "'" + the counter's text + "' is not a valid floating point value".
class ConversionError : public store::Error {
 public:
  explicit ConversionError(const std::string& text);
};

}  // namespace engine
