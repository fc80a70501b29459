// Under Wine, a window whose top-level window belongs to another process (here our toolbar, in
// its frame, in TeraPad's toolbar strip) draws nothing of its own:
//  1. Its device context has no X drawable. Wine looks for one on the window's ancestors below the
//     top-level and (in Debian's Wine 8) gives up there; the top-level's drawable, put on TeraPad's
//     toolbar strip as the window property Wine reads, gives it one.
//  2. TeraPad's own window surface is flushed over it at every repaint of TeraPad's toolbar. A
//     window with a pixel format is cut out of its parent's surface; the surface region is only
//     recomputed in TeraPad's thread, which a no-op SetWindowPos of the strip makes happen.
// Setting a pixel format starts GL (tens of ms), so it waits until the buttons have been painted
// once. Without GLX the pixel format fails and the property alone still shows the buttons.
#include "app/WineDocking.h"

#include <commctrl.h>

namespace WineDocking {
namespace {

constexpr wchar_t kDrawableProp[] = L"__wine_x11_whole_window";
constexpr UINT_PTR kSubclassId = 1;
constexpr UINT WM_SETPIXELFORMAT = WM_APP + 1;   // posted to the toolbar after its first paint

enum class PixelFormat { NotAsked, Asked, Set, Failed };

struct Docking {
  HWND strip = nullptr;
  HWND toolbar = nullptr;
  bool propertyIsOurs = false;   // a strip with an X window of its own carries the property already
  PixelFormat pixelFormat = PixelFormat::NotAsked;
};
Docking docking;

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

bool SetOpenGLPixelFormat(HWND toolbar) {
  HDC dc = GetDC(toolbar);
  if (!dc) return false;
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof(pfd);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 24;
  pfd.iLayerType = PFD_MAIN_PLANE;
  const int format = ChoosePixelFormat(dc, &pfd);
  const bool set = format && SetPixelFormat(dc, format, &pfd);
  ReleaseDC(toolbar, dc);
  return set;
}

bool Docked(HWND h) { return IsChild(docking.strip, h); }

// TeraPad's thread recomputes which part of its surface is ours, then we paint that part again.
void Nudge() {
  SetWindowPos(docking.strip, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  RedrawWindow(docking.toolbar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

// Subclasses the toolbar (its first paint sets the pixel format) and the frame (the toolbar
// moves, shows and hides with it).
LRESULT CALLBACK DockedToolbarProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (msg) {
    case WM_PAINT: {
      if (h != docking.toolbar) break;
      const LRESULT result = DefSubclassProc(h, msg, wParam, lParam);
      if (docking.pixelFormat == PixelFormat::NotAsked) {
        docking.pixelFormat = PixelFormat::Asked;
        PostMessageW(h, WM_SETPIXELFORMAT, 0, 0);
      }
      return result;
    }
    case WM_SETPIXELFORMAT:
      if (!Docked(h)) return 0;
      docking.pixelFormat = SetOpenGLPixelFormat(h) ? PixelFormat::Set : PixelFormat::Failed;
      if (docking.pixelFormat == PixelFormat::Set) Nudge();
      return 0;
    case WM_WINDOWPOSCHANGED: {
      const LRESULT result = DefSubclassProc(h, msg, wParam, lParam);
      const auto& pos = *reinterpret_cast<const WINDOWPOS*>(lParam);
      // Wine adds SWP_NOMOVE / SWP_NOSIZE when position or size stayed the same.
      const bool changed = (pos.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) ||
                           (pos.flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE);
      if (changed && docking.pixelFormat == PixelFormat::Set && Docked(h)) Nudge();
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(h, DockedToolbarProc, kSubclassId);
      break;
  }
  return DefSubclassProc(h, msg, wParam, lParam);
}

}  // namespace

void Dock(HWND frame, HWND toolbar, HWND strip) {
  if (!UnderWine() || !strip) return;
  docking.strip = strip;
  docking.toolbar = toolbar;
  if (!GetPropW(strip, kDrawableProp)) {
    const HANDLE drawable = GetPropW(GetAncestor(strip, GA_ROOT), kDrawableProp);
    docking.propertyIsOurs = drawable && SetPropW(strip, kDrawableProp, drawable);
  }
  SetWindowSubclass(toolbar, DockedToolbarProc, kSubclassId, 0);
  SetWindowSubclass(frame, DockedToolbarProc, kSubclassId, 0);
}

void Undock() {
  if (docking.propertyIsOurs && IsWindow(docking.strip)) RemovePropW(docking.strip, kDrawableProp);
  docking = {};
}

}  // namespace WineDocking
