// Keeps our toolbar drawn while it sits in TeraPad's toolbar when we run under Wine. On Windows
// both calls do nothing.
#pragma once
#include <windows.h>

namespace WineDocking {
// Before `frame`, holding `toolbar`, becomes a child of `strip`, a window of another process.
void Dock(HWND frame, HWND toolbar, HWND strip);
// When the frame leaves the strip again (or the strip is gone).
void Undock();
}
