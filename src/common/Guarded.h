// The procedure of a dialog of ours, wrapped so that no exception crosses the system's dialog
// manager: the event is dropped and the window stays.
#pragma once
#include <windows.h>

template <INT_PTR (*Handle)(HWND, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK GuardedDialogProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  try {
    return Handle(h, msg, wParam, lParam);
  } catch (...) {
    return FALSE;
  }
}
