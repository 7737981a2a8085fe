#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::posix {

// Owns one open file descriptor and closes it at the end of its life.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd();

  // The descriptor, or -1 when none is held.
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Gives up ownership and returns the descriptor.
  int Release();
  // Closes the descriptor now; false when close() reported an error (a
  // delayed write error on some file systems).
  bool Close();

 private:
  int fd_ = -1;
};

// Writes every byte, retrying short writes and interruptions.
// False on the first error.
bool WriteFully(int fd, std::string_view bytes);

// Reads from the descriptor until end of file. nullopt on a read error.
std::optional<std::string> ReadToEnd(int fd);

}  // namespace platform::posix
