// Windows itself loads the program's icon file at each of its sizes (the
// 256-pixel image a PNG) and draws it with its alpha: the folder where it is, the ground through it
// elsewhere.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

constexpr COLORREF kGround = RGB(255, 255, 255);

// Draws `icon` at its size on a white 32-bit surface and gives the pixel at
// (x, y) as 0x00RRGGBB.
std::uint32_t DrawnPixel(HICON icon, int side, int x, int y) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = side;
  info.bmiHeader.biHeight = -side;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HDC dc = ::CreateCompatibleDC(nullptr);
  const HBITMAP surface = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = ::SelectObject(dc, surface);
  const RECT all{0, 0, side, side};
  const HBRUSH ground = ::CreateSolidBrush(kGround);
  ::FillRect(dc, &all, ground);
  ::DeleteObject(ground);
  ::DrawIconEx(dc, 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
  ::GdiFlush();
  const std::uint32_t pixel = static_cast<const std::uint32_t*>(bits)[y * side + x] & 0xFFFFFF;
  ::SelectObject(dc, old);
  ::DeleteObject(surface);
  ::DeleteDC(dc);
  return pixel;
}

TEST(WindowsIconTest, EverySizeLoadsAndDrawsWithItsTransparency) {
  const std::string file = std::string(QUILLOMAR_PICTURE_BITMAPS) + "/quillomar.ico";
  for (int side : {16, 32, 48, 256}) {
    SCOPED_TRACE(side);
    const auto icon = static_cast<HICON>(::LoadImageA(nullptr, file.c_str(), IMAGE_ICON, side, side, LR_LOADFROMFILE));
    ASSERT_NE(icon, nullptr);
    ICONINFO parts{};
    ASSERT_TRUE(::GetIconInfo(icon, &parts));
    BITMAP colour{};
    ASSERT_NE(parts.hbmColor, nullptr);
    ::GetObjectA(parts.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, side);
    EXPECT_EQ(colour.bmHeight, side);
    ::DeleteObject(parts.hbmColor);
    ::DeleteObject(parts.hbmMask);

    // The top-right corner is ground; the middle of the folder's front is
    // its yellow; the eye's pupil, a third of the way up from the bottom,
    // is nearly black.
    EXPECT_EQ(DrawnPixel(icon, side, side - 1, 0), 0xFFFFFFu);
    const std::uint32_t front = DrawnPixel(icon, side, side / 8, side * 3 / 4);
    EXPECT_GT(static_cast<int>(front >> 16), 200) << std::hex << front;
    EXPECT_LT(static_cast<int>(front & 0xFF), 140) << std::hex << front;
    const std::uint32_t pupil = DrawnPixel(icon, side, side / 2, side * 29 / 48);
    EXPECT_LT(static_cast<int>(pupil >> 16) + static_cast<int>((pupil >> 8) & 0xFF), 200) << std::hex << pupil;
    ::DestroyIcon(icon);
  }
}

}  // namespace
