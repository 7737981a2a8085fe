#pragma once

#include <string>

namespace engine {

// How a name kept as bytes (an account name read from the settings file) is
// shown on screen, as UTF-8. A name that is valid UTF-8 is shown as it is;
// any other name was written in an 8-bit code page (a settings file from a
// Windows installation) and is read as Windows-1252, Western European, each
// byte one character (the five bytes that code page leaves undefined as the
// Latin-1 characters of the same number). The shown text is only ever shown:
// every operation goes on using the bytes themselves.
std::string ReadableName(const std::string& stored);

}  // namespace engine
