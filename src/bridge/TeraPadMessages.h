// TeraPad's own message numbers, answered by its main window.
#pragma once
#include <windows.h>

namespace TeraPad {
constexpr UINT WM_SAVEFILE = 0x8190;    // saves the open file
constexpr UINT WM_GETEDITOR = 0x8192;   // answers the editor control's handle
constexpr UINT WM_EDITMODE = 0x8194;    // answers the edit mode number
constexpr UINT WM_RELOADINI = 0x465;    // re-reads the settings file
}  // namespace TeraPad
