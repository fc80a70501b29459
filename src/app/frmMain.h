// The hidden form whose toolbar docks into TeraPad's toolbar and follows it.
#pragma once
#include <windows.h>

namespace frmMain {
void Load();          // creates the hidden window, docks the toolbar, starts Timer1
bool IsLoaded();
void Unload();        // gives the toolbar back and ends the program at once (never returns)
HWND Window();        // the hidden window, owner of every tag dialog; 0 until loaded
HWND Toolbar();       // Toolbar1's window
}
