// BesideTeraPad: the windows of ours that stay open beside TeraPad (HDML チェック, the preview)
// follow TeraPad's main window. Owned by it, they keep in front of it, but Windows hides owned
// windows only when their owner itself is minimised; a TeraPad built as older Delphi programs
// are has a hidden application window that owns its main window, and minimising TeraPad
// minimises that window and only hides the main one. So this does it for every such window:
//   - while TeraPad's main window is hidden or minimised, it is hidden; when TeraPad comes back it
//     is shown again without taking the activation (TeraPad is in front and keeps the keyboard);
//   - while a tag dialog of ours is open (a ModalScope lives), it is disabled, so that no click
//     or key there acts behind the dialog's back.
#pragma once
#include <windows.h>

namespace BesideTeraPad {

// Once, at start-up, when Tolvane is bound to TeraPad's main window `main`: from now on a change
// of that window (shown, hidden, minimised, restored) is noticed as it happens.
void Follow(HWND main);

// A window of ours (a top-level window of this thread, owned by TeraPad's main window) joins
// with this one call, right after it is made: from then until it is destroyed it is shown exactly
// while TeraPad's main window is shown and not minimised, and enabled exactly while no ModalScope
// lives. A window that joins while TeraPad is shown is shown at once, without the activation.
void Join(HWND window);

// Puts every joined window in the state that TeraPad's window calls for now. Follow's notice
// calls it; Timer1 calls it each second as well, so that nothing stays wrong for longer than a
// tick where that notice is not delivered.
void Update();

// While one lives (around a modal tag dialog of ours), every joined window is disabled.
class ModalScope {
public:
  ModalScope();
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;
};

}  // namespace BesideTeraPad
