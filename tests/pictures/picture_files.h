#pragma once

#include <fstream>
#include <iterator>
#include <string>

// The committed bitmaps that the program carries (app/pictures/bitmaps).
namespace picture_files {

inline std::string Read(const std::string& name) {
  std::ifstream in(std::string(QUILLOMAR_PICTURE_BITMAPS) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace picture_files
