// The keyboard handed back to TeraPad after any way out of a window of ours.
#pragma once
#include "bridge/clsKeshTeraPad.h"

// TeraPad's main window in front again and its editor with the keyboard focus, the caret where
// it was. Nothing while the bridge holds no TeraPad.
void ReturnToTeraPad(const clsKeshTeraPad& teraPad);
