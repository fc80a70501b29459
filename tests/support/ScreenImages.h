// Reads what reaches the screen: whether the toolbar's images (the IDB_TOOLBAR strip that the
// test program carries as tolvane.exe does) are shown at a place on the screen.
#pragma once
#include <windows.h>

// Whether image `image` (0-based in the strip) shows anywhere inside `screenRect`: all but a few
// of its opaque pixels, at one place. A button draws its image centred, or one pixel off while
// pressed; searching the whole rectangle covers both.
bool ScreenShowsToolbarImage(const RECT& screenRect, int image);
