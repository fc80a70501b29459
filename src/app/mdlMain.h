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
BOOL CALLBACK EnumToolbarChildProc(HWND h, LPARAM lParam);
