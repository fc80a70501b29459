// The look-ups of mdlMain that frmMain uses to find and measure TeraPad's toolbar.
#include "app/mdlMain.h"

HWND FindTeraPadToolbar(HWND h) {
  // FindWindowExA(h, 0, ...) with h = 0 would search the top-level windows: no host, no toolbar.
  if (!h) return nullptr;
  return FindWindowExA(h, nullptr, "TToolbar", nullptr);
}

bool IsWindowAlive(HWND h) { return h && IsWindow(h); }

// Right edges are taken in the bar's client coordinates, so a TeraPad on a monitor left of the
// primary one (negative screen x) is measured as well as any other.
BOOL CALLBACK EnumToolbarChildProc(HWND h, LPARAM lParam) {
  auto& measure = *reinterpret_cast<ToolbarMeasure*>(lParam);
  RECT rc{};
  GetWindowRect(h, &rc);
  MapWindowPoints(nullptr, measure.bar, reinterpret_cast<POINT*>(&rc), 2);
  if (rc.right > measure.rightmost) measure.rightmost = rc.right;
  return TRUE;
}
