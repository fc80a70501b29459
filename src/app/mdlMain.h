// Start-up: the one bridge object and the docked toolbar's position.
#pragma once
#include <cstdint>
#include <memory>
#include <windows.h>
#include "bridge/clsKeshTeraPad.h"

extern std::unique_ptr<clsKeshTeraPad> gTeraPad;
extern int32_t gToolbarLeft;   // -1: not given, frmMain computes it
extern int32_t gToolbarTop;

// Runs first and alone; loads frmMain (hidden) or shows one of the two start-up messages.
void Main();

HWND FindTeraPadToolbar(HWND h);
bool IsWindowAlive(HWND h);
// What EnumToolbarChildProc gathers: the right edge of the rightmost window inside `bar`, in
// bar's client coordinates (so, its distance from the bar's left); 0 when none reaches past 0.
struct ToolbarMeasure {
  HWND bar;
  int32_t rightmost;
};
// lParam: a ToolbarMeasure.
BOOL CALLBACK EnumToolbarChildProc(HWND h, LPARAM lParam);
