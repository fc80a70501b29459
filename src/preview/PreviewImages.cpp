#include "preview/PreviewImages.h"

#include <algorithm>

#include "common/Ansi.h"

namespace {

// A picture for a phone is a few kilobytes and under a hundred dots square; a larger file is not
// read at all, nor a picture whose pixels would take more memory than a screen's worth (a small
// compressed file can claim a huge picture).
constexpr ULONGLONG kLargestFile = 4u << 20;
constexpr LONG kLargestSide = 4096;
bool Plausible(LONG w, LONG h) { return w > 0 && h > 0 && w <= kLargestSide && h <= kLargestSide; }
// The LCD face (TolvaneScreen) shows through a transparent PNG or GIF.
constexpr DWORD kFaceArgb = 0xFFB4C89A;

// The few entry points of GDI+'s flat interface that decoding needs.
class GdiPlus {
public:
  static GdiPlus& Get() {
    static GdiPlus instance;
    return instance;
  }
  // A bitmap of the file's picture (its pixels in `size`); nullptr when GDI+ cannot read it.
  HBITMAP Load(const std::wstring& path, SIZE& size) {
    if (!m_ready) return nullptr;
    void* image = nullptr;
    if (m_fromFile(path.c_str(), &image) != 0 || !image) return nullptr;
    HBITMAP bitmap = nullptr;
    UINT w = 0, h = 0;
    if (m_width(image, &w) != 0 || m_height(image, &h) != 0 || !Plausible(static_cast<LONG>(w), static_cast<LONG>(h)) ||
        m_toHbitmap(image, &bitmap, kFaceArgb) != 0)
      bitmap = nullptr;
    m_dispose(image);
    size = {static_cast<LONG>(w), static_cast<LONG>(h)};
    return bitmap;
  }

private:
  struct StartupInput {
    UINT32 version = 1;
    void* debugEventCallback = nullptr;
    BOOL suppressBackgroundThread = FALSE;
    BOOL suppressExternalCodecs = FALSE;
  };
  using Startup = int(WINAPI*)(ULONG_PTR*, const StartupInput*, void*);
  using FromFile = int(WINAPI*)(const wchar_t*, void**);
  using ToHbitmap = int(WINAPI*)(void*, HBITMAP*, DWORD);
  using Dimension = int(WINAPI*)(void*, UINT*);
  using Dispose = int(WINAPI*)(void*);

  template <class F> bool Find(F& f, const char* name) {
    f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m_module, name)));
    return f != nullptr;
  }

  GdiPlus() {
    m_module = LoadLibraryW(L"gdiplus.dll");
    Startup startup = nullptr;
    if (!m_module || !Find(startup, "GdiplusStartup") || !Find(m_fromFile, "GdipCreateBitmapFromFile") ||
        !Find(m_toHbitmap, "GdipCreateHBITMAPFromBitmap") || !Find(m_width, "GdipGetImageWidth") ||
        !Find(m_height, "GdipGetImageHeight") || !Find(m_dispose, "GdipDisposeImage"))
      return;
    // Started once and left running: the process ends with it.
    ULONG_PTR token = 0;
    StartupInput input;
    m_ready = startup(&token, &input, nullptr) == 0;
  }

  HMODULE m_module = nullptr;
  FromFile m_fromFile = nullptr;
  ToHbitmap m_toHbitmap = nullptr;
  Dimension m_width = nullptr, m_height = nullptr;
  Dispose m_dispose = nullptr;
  bool m_ready = false;
};

// The picture's size as a BMP file's header gives it, read before the system decodes the file.
bool PlausibleBmp(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  unsigned char h[26] = {};
  DWORD got = 0;
  const bool read = ReadFile(f, h, sizeof(h), &got, nullptr) && got == sizeof(h);
  CloseHandle(f);
  if (!read || h[0] != 'B' || h[1] != 'M') return false;
  const auto u16 = [&](int at) { return static_cast<LONG>(h[at] | h[at + 1] << 8); };
  const auto i32 = [&](int at) {
    return static_cast<LONG>(static_cast<int32_t>(h[at] | h[at + 1] << 8 | h[at + 2] << 16 | static_cast<uint32_t>(h[at + 3]) << 24));
  };
  // A core header (12 bytes) has 16-bit sides; the others 32-bit ones, a height below 0 top-down.
  if (u16(14) == 12) return Plausible(u16(18), u16(20));
  const LONG height = i32(22);
  return Plausible(i32(18), height < 0 ? -height : height);
}

}  // namespace

const PreviewImages::Picture* PreviewImages::Get(const std::wstring& folder, std::string_view src) {
  if (folder.empty()) return nullptr;
  // Always below the deck's folder: a SRC that names a drive, a server or a URL makes no file
  // there. A query string is cut off.
  if (src.empty()) return nullptr;
  const std::wstring path = folder + FromAnsi(src.substr(0, src.find('?')));
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
      ((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow) > kLargestFile) {
    m_pictures.erase(path);
    return nullptr;
  }
  if (auto it = m_pictures.find(path); it != m_pictures.end() && CompareFileTime(&it->second.written, &data.ftLastWriteTime) == 0)
    return it->second.bitmap ? &it->second : nullptr;
  Picture p;
  p.written = data.ftLastWriteTime;
  const std::wstring_view ext = std::wstring_view(path).substr(std::min(path.size(), path.find_last_of(L'.')));
  if (lstrcmpiW(std::wstring(ext).c_str(), L".bmp") == 0) {
    if (PlausibleBmp(path))
      p.bitmap = Bitmap(static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (p.bitmap && GetObjectW(p.bitmap.get(), sizeof(info), &info)) p.size = {info.bmWidth, std::abs(info.bmHeight)};
  } else {
    p.bitmap = Bitmap(GdiPlus::Get().Load(path, p.size));
  }
  if (p.size.cx <= 0 || p.size.cy <= 0) p.bitmap = Bitmap();
  Picture& kept = m_pictures[path] = std::move(p);
  return kept.bitmap ? &kept : nullptr;
}
