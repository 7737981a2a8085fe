// Draws the program's pictures into the folder that the program carries them
// from (scripts/draw_pictures.sh):
//
//   quillomar_draw_pictures <app/pictures/bitmaps>
//
// Writes every file that differs from its drawing, removes bitmaps that
// nothing draws any more, and names each file it changed.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "tools/pictures/picture_set.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return EXIT_FAILURE;
  }
  const fs::path folder = argv[1];
  std::error_code error;
  fs::create_directories(folder, error);
  std::set<std::string> drawn;
  for (const drawing::DrawnFile& file : drawing::DrawAllFiles()) {
    drawn.insert(file.name);
    const fs::path path = folder / file.name;
    if (ReadFile(path) == file.bytes) continue;
    if (!WriteFile(path, file.bytes)) {
      std::fprintf(stderr, "quillomar_draw_pictures: cannot write %s\n", path.string().c_str());
      return EXIT_FAILURE;
    }
    std::printf("drew %s\n", path.string().c_str());
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    const std::string extension = entry.path().extension().string();
    if ((extension == ".bmp" || extension == ".ico") && drawn.count(entry.path().filename().string()) == 0) {
      fs::remove(entry.path(), error);
      std::printf("removed %s\n", entry.path().string().c_str());
    }
  }
  return EXIT_SUCCESS;
}
