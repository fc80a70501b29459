#include "bridge/ReturnToTeraPad.h"

// Ending a modal dialog activates its owner (Windows' EndDialog makes the owner the foreground
// window), and the popup menu's owner is made the foreground window before the menu opens: after
// either, the hidden window has the activation and the keyboard, where no key of the author's
// means anything. TeraPad's window goes back in front and its editor gets the keyboard; what
// TeraPad itself does when activated is not counted on.
void ReturnToTeraPad(const clsKeshTeraPad& teraPad) {
  const HWND editor = teraPad.ValidEditor();
  if (!editor) return;
  SetForegroundWindow(teraPad.hwnd());
  // The focus can be given only to a window that shares this thread's input. A cross-process
  // SetParent joins the input of the child's and the new parent's threads (Windows does; so does
  // Wine 8: once docked, this thread sees TeraPad's active and focused windows as its own), so
  // TeraPad's editor can be focused from here; its activation, sent on the way, runs first.
  SetFocus(editor);
}
