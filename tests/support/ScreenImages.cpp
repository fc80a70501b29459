#include "ScreenImages.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "res/resource.h"

namespace {

constexpr int kImageSize = 16;
constexpr uint32_t kMaskColour = 0xC0C0C0;   // the strip's transparent colour, as 0xRRGGBB
constexpr int kTolerance = 8;                // per channel: the screen may dither or round

// 32-bit top-down pixels, 0x00RRGGBB.
struct Pixels {
  int width = 0, height = 0;
  std::vector<uint32_t> px;
  uint32_t at(int x, int y) const { return px[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

// Copies width x height pixels at (x, y) of `source`, or of `bitmap` when one is given.
Pixels Read(HDC source, HBITMAP bitmap, int x, int y, int width, int height) {
  Pixels p{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC mem = CreateCompatibleDC(source);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  HDC from = source;
  HGDIOBJ oldFrom = nullptr;
  if (bitmap) {
    from = CreateCompatibleDC(source);
    oldFrom = SelectObject(from, bitmap);
  }
  BitBlt(mem, 0, 0, width, height, from, x, y, SRCCOPY);
  GdiFlush();
  if (bits) std::memcpy(p.px.data(), bits, p.px.size() * sizeof(uint32_t));
  if (bitmap) {
    SelectObject(from, oldFrom);
    DeleteDC(from);
  }
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  return p;
}

const Pixels& Images() {
  static const Pixels images = [] {
    HBITMAP strip = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_TOOLBAR),
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP bm{};
    GetObjectW(strip, sizeof(bm), &bm);
    HDC screen = GetDC(nullptr);
    Pixels p = Read(screen, strip, 0, 0, bm.bmWidth, bm.bmHeight);
    ReleaseDC(nullptr, screen);
    DeleteObject(strip);
    return p;
  }();
  return images;
}

bool Near(uint32_t a, uint32_t b) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > kTolerance)
      return false;
  return true;
}

}  // namespace

bool ScreenShowsToolbarImage(const RECT& screenRect, int image) {
  const Pixels& images = Images();
  if (image < 0 || (image + 1) * kImageSize > images.width) return false;
  HDC screen = GetDC(nullptr);
  const Pixels area = Read(screen, nullptr, screenRect.left, screenRect.top, screenRect.right - screenRect.left,
                           screenRect.bottom - screenRect.top);
  ReleaseDC(nullptr, screen);
  for (int oy = 0; oy + kImageSize <= area.height; ++oy)
    for (int ox = 0; ox + kImageSize <= area.width; ++ox) {
      int opaque = 0, matching = 0;
      for (int y = 0; y < kImageSize; ++y)
        for (int x = 0; x < kImageSize; ++x) {
          const uint32_t want = images.at(image * kImageSize + x, y);
          if (want == kMaskColour) continue;
          ++opaque;
          matching += Near(area.at(ox + x, oy + y), want);
        }
      if (opaque > 0 && matching * 100 >= opaque * 95) return true;
    }
  return false;
}
