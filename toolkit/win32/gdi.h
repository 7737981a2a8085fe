#pragma once

#include "toolkit/win32/windows_api.h"

#include "toolkit/font.h"
#include "toolkit/geometry.h"
#include "toolkit/image.h"
#include "toolkit/win32/scale.h"

// Small pieces of GDI shared by the Win32 peers, the canvas and the test
// driver.
namespace app::win32 {

// The face every font of the windows uses at 1x; Wine ships it, Windows has
// it. It is a bitmap face: its strikes are drawn for 96 dpi only.
inline constexpr wchar_t kFaceName[] = L"MS Sans Serif";
// The outline face that takes its place above 1x; Wine ships it too.
inline constexpr wchar_t kScaledFaceName[] = L"Tahoma";

// The GDI font of an app::Font at a scale. At 1x: MS Sans Serif with a
// character height of PixelsOf(points) pixels (the 13-pixel cell of 8
// points). Above: Tahoma at that height scaled, made smaller where needed
// until a line of text is no wider than in MS Sans Serif at 1x scaled, so
// that every caption fits its box as at 1x. Made once per font and scale
// and kept until the program ends.
HFONT FontHandle(const Font& font, Scale scale = Scale());

constexpr RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.Right(), r.Bottom()}; }
constexpr Rect FromRect(const RECT& r) { return Rect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

// A 32-bit top-down DIB section of a size, selected into its own memory DC,
// whose pixels are reachable as 0xAARRGGBB (alpha as GDI leaves it).
class DibSurface {
 public:
  explicit DibSurface(Size size);
  ~DibSurface();
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  bool Ok() const { return bits_ != nullptr; }
  HDC Dc() const { return dc_; }
  Size GetSize() const { return size_; }
  std::uint32_t* Bits() const { return bits_; }
  // The pixels as an image; `opaque` sets every alpha to 255.
  Image ToImage(bool opaque) const;

 private:
  Size size_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// A 32-bit DIB section holding the image with premultiplied alpha, selected
// into no DC (as image lists take them); the caller deletes it.
HBITMAP MakeBitmap(const Image& image);

// The image in a DIB surface with premultiplied alpha, ready for AlphaBlend.
void CopyPremultiplied(const Image& image, DibSurface& surface);

// The icon as a 16 x 16 (or `size`) image with alpha, whatever kind of icon
// it is (masked or with alpha): it is drawn over black and over white and
// the two are compared.
Image IconToImage(HICON icon, Size size);

}  // namespace app::win32
