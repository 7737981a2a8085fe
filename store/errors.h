#pragma once

#include <stdexcept>
#include <string>

namespace store {

// Base of the program's two errors. A command handler catches it at its top
// and shows what() in the error box; nothing below a handler catches it.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A record file could not be written (a write string or an erase section
// failed). Text: "Unable to write to " + the file's Windows path.
class WriteError : public Error {
 public:
  explicit WriteError(const std::string& windows_path);
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace store
