#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/file_system.h"

namespace bench_support {

// A drive prefix of its own under /tmp, removed again at the end; never the
// user's home or desktop.
class BenchPrefix {
 public:
  BenchPrefix() {
    std::string pattern = "/tmp/quillomar-bench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    std::filesystem::create_directories(root_ + "/Desktop");
    fs_ = platform::MakeFileSystemAt(root_ + "/prefix", root_ + "/Desktop");
  }
  ~BenchPrefix() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  BenchPrefix(const BenchPrefix&) = delete;
  BenchPrefix& operator=(const BenchPrefix&) = delete;

  platform::FileSystem& fs() { return *fs_; }
  // The real folders of the drive prefix and of the desktop.
  std::string prefix_folder() const { return root_ + "/prefix"; }
  std::string desktop_folder() const { return root_ + "/Desktop"; }

  // Creates the folder (every level) and a small file named `name` in it,
  // without the record files' durable write; returns the file's Windows path.
  std::string MakeFile(const std::string& folder, const std::string& name) {
    fs_->CreateFolder(folder);
    std::ofstream(fs_->NativePath(folder) + "/" + name) << "x";
    return folder + "\\" + name;
  }

 private:
  std::string root_;
  std::unique_ptr<platform::FileSystem> fs_;
};

}  // namespace bench_support
