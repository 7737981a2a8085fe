// What the built program carries for Windows' shell, read from the program
// file itself: its version resource with the copyright, and its icon with
// the 256-pixel image that Explorer's large views show.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr char kProgram[] = QUILLOMAR_PROGRAM_FILE;

// One text of the program's version resource (US English, Unicode), or ""
// when it has none.
std::string VersionText(const char* name) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(kProgram, &ignored);
  std::vector<char> data(size);
  if (size == 0 || !::GetFileVersionInfoA(kProgram, 0, size, data.data())) return {};
  const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
  char* value = nullptr;
  UINT length = 0;
  if (!::VerQueryValueA(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) return {};
  return std::string(value, strnlen(value, length));
}

TEST(ProgramResourcesTest, VersionResourceNamesTheVersionAndTheCopyright) {
  EXPECT_EQ(VersionText("ProductVersion"), QUILLOMAR_VERSION);
  EXPECT_EQ(VersionText("LegalCopyright"), "Copyright (C) 2026 Quillomar Developers");
}

TEST(ProgramResourcesTest, IconHoldsEverySizeAndLoadsAt256Pixels) {
  const HMODULE program = ::LoadLibraryExA(kProgram, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  // The icon group: a 6-byte header, then 14 bytes per image, its width
  // first (0 for 256).
  const HRSRC group = ::FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(group, nullptr);
  const auto* bytes = static_cast<const unsigned char*>(::LockResource(::LoadResource(program, group)));
  ASSERT_NE(bytes, nullptr);
  const int count = bytes[4] | (bytes[5] << 8);
  std::set<int> sides;
  for (int i = 0; i < count; ++i) sides.insert(bytes[6 + 14 * i] == 0 ? 256 : bytes[6 + 14 * i]);
  EXPECT_EQ(sides, (std::set<int>{16, 32, 48, 256}));

  const auto icon = static_cast<HICON>(::LoadImageA(program, MAKEINTRESOURCEA(1), IMAGE_ICON, 256, 256, 0));
  ASSERT_NE(icon, nullptr);
  ICONINFO parts{};
  ASSERT_TRUE(::GetIconInfo(icon, &parts));
  BITMAP colour{};
  ::GetObjectA(parts.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(colour.bmWidth, 256);
  ::DeleteObject(parts.hbmColor);
  ::DeleteObject(parts.hbmMask);
  ::DestroyIcon(icon);
  ::FreeLibrary(program);
}

}  // namespace
