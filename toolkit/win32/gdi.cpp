#include "toolkit/win32/gdi.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <tuple>

namespace app::win32 {

namespace {

constexpr int kOpaque = 255;
constexpr std::uint32_t kAlphaShift = 24;
constexpr std::uint32_t kBlackPixel = 0x00000000;
constexpr std::uint32_t kWhitePixel = 0x00FFFFFF;

int Channel(std::uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

}  // namespace

namespace {

BITMAPINFO TopDownInfo(Size size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size.width;
  info.bmiHeader.biHeight = -size.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

void Premultiply(const Image& image, std::uint32_t* out, std::size_t capacity) {
  const std::vector<std::uint32_t>& in = image.Pixels();
  const std::size_t count = std::min(in.size(), capacity);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t p = in[i];
    const int a = Channel(p, kAlphaShift);
    const auto scale = [a](int c) { return static_cast<std::uint32_t>((c * a + kOpaque / 2) / kOpaque); };
    out[i] = (static_cast<std::uint32_t>(a) << kAlphaShift) | (scale(Channel(p, 16)) << 16) |
             (scale(Channel(p, 8)) << 8) | scale(Channel(p, 0));
  }
}

}  // namespace

namespace {

// A line with the letters of the windows' captions in about their usual
// proportions, by whose width the scaled face is fitted.
constexpr wchar_t kFittingText[] = L"Present user name: Local Disk, Options, Find, Hide; YES No Cancel OK 0123456789";

HFONT MakeFont(int char_height, bool bold, const wchar_t* face) {
  return ::CreateFontW(-char_height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

int FittingWidth(HDC dc, HFONT font) {
  const HGDIOBJ old = ::SelectObject(dc, font);
  SIZE size{};
  ::GetTextExtentPoint32W(dc, kFittingText, static_cast<int>(std::size(kFittingText) - 1), &size);
  ::SelectObject(dc, old);
  return size.cx;
}

// The outline face at the largest height up to the scaled one whose line is
// no wider than `designed`'s scaled.
HFONT ScaledFont(const Font& font, Scale scale, HFONT designed) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  const int room = scale.ToScreen(FittingWidth(dc, designed));
  HFONT chosen = nullptr;
  for (int height = scale.ToScreen(PixelsOf(font.points)); height > 0 && chosen == nullptr; --height) {
    HFONT candidate = MakeFont(height, font.bold, kScaledFaceName);
    if (candidate == nullptr) break;
    if (FittingWidth(dc, candidate) <= room || height == 1) {
      chosen = candidate;
    } else {
      ::DeleteObject(candidate);
    }
  }
  ::DeleteDC(dc);
  return chosen;
}

}  // namespace

HFONT FontHandle(const Font& font, Scale scale) {
  // Keyed by size, weight and dpi; the handles live as long as the program.
  static std::map<std::tuple<int, bool, int>, HFONT> fonts;
  const auto key = std::make_tuple(font.points, font.bold, scale.Dpi());
  auto found = fonts.find(key);
  if (found != fonts.end()) return found->second;
  HFONT handle = nullptr;
  if (scale.IsOne()) {
    handle = MakeFont(PixelsOf(font.points), font.bold, kFaceName);
    if (handle == nullptr) handle = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  } else {
    handle = ScaledFont(font, scale, FontHandle(font));
    if (handle == nullptr) handle = FontHandle(font);
  }
  fonts.emplace(key, handle);
  return handle;
}

DibSurface::DibSurface(Size size) : size_(size) {
  if (size.width <= 0 || size.height <= 0) return;
  const BITMAPINFO info = TopDownInfo(size);
  void* bits = nullptr;
  dc_ = ::CreateCompatibleDC(nullptr);
  bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dc_ == nullptr || bitmap_ == nullptr) return;
  old_bitmap_ = ::SelectObject(dc_, bitmap_);
  bits_ = static_cast<std::uint32_t*>(bits);
}

DibSurface::~DibSurface() {
  if (old_bitmap_ != nullptr) ::SelectObject(dc_, old_bitmap_);
  if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
  if (dc_ != nullptr) ::DeleteDC(dc_);
}

Image DibSurface::ToImage(bool opaque) const {
  Image image(size_.width, size_.height);
  if (!Ok()) return image;
  ::GdiFlush();
  const std::size_t count = static_cast<std::size_t>(size_.width) * static_cast<std::size_t>(size_.height);
  std::uint32_t* out = image.Pixels().data();
  for (std::size_t i = 0; i < count; ++i) out[i] = opaque ? (bits_[i] | 0xFF000000u) : bits_[i];
  return image;
}

void CopyPremultiplied(const Image& image, DibSurface& surface) {
  if (!surface.Ok()) return;
  ::GdiFlush();
  Premultiply(image, surface.Bits(),
              static_cast<std::size_t>(surface.GetSize().width) * static_cast<std::size_t>(surface.GetSize().height));
}

HBITMAP MakeBitmap(const Image& image) {
  if (image.IsNull()) return nullptr;
  const BITMAPINFO info = TopDownInfo(image.GetSize());
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) return nullptr;
  Premultiply(image, static_cast<std::uint32_t*>(bits), image.Pixels().size());
  return bitmap;
}

Image IconToImage(HICON icon, Size size) {
  DibSurface on_black(size);
  DibSurface on_white(size);
  if (!on_black.Ok() || !on_white.Ok() || icon == nullptr) return Image(size.width, size.height);
  const std::size_t count = static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height);
  std::fill(on_black.Bits(), on_black.Bits() + count, kBlackPixel);
  std::fill(on_white.Bits(), on_white.Bits() + count, kWhitePixel);
  ::DrawIconEx(on_black.Dc(), 0, 0, icon, size.width, size.height, 0, nullptr, DI_NORMAL);
  ::DrawIconEx(on_white.Dc(), 0, 0, icon, size.width, size.height, 0, nullptr, DI_NORMAL);
  ::GdiFlush();
  Image image(size.width, size.height);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t b = on_black.Bits()[i];
    const std::uint32_t w = on_white.Bits()[i];
    // Over black a pixel shows colour * alpha; over white it shows that plus
    // (1 - alpha) * 255; the difference gives the alpha back.
    const int spread = ((Channel(w, 16) - Channel(b, 16)) + (Channel(w, 8) - Channel(b, 8)) +
                        (Channel(w, 0) - Channel(b, 0))) / 3;
    const int alpha = std::clamp(kOpaque - spread, 0, kOpaque);
    if (alpha == 0) continue;
    const auto straight = [alpha](int c) { return std::clamp((c * kOpaque + alpha / 2) / alpha, 0, kOpaque); };
    image.Pixels()[i] = (static_cast<std::uint32_t>(alpha) << kAlphaShift) |
                        (static_cast<std::uint32_t>(straight(Channel(b, 16))) << 16) |
                        (static_cast<std::uint32_t>(straight(Channel(b, 8))) << 8) |
                        static_cast<std::uint32_t>(straight(Channel(b, 0)));
  }
  return image;
}

}  // namespace app::win32
