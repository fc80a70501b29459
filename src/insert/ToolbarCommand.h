// The toolbar command: a click on a docked button opens its tag dialog and inserts its tags.
#pragma once
#include <windows.h>
#include <string_view>

// key: the clicked button's key; owner: the hidden main window that owns every tag dialog.
// Keys are compared exactly; an unknown key (or "テンプレート") does nothing.
void Toolbar1_ButtonClick(std::wstring_view key, HWND owner);
