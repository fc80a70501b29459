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

// Once, at start-up, when Tolvane is bound to TeraPad's main window `main`.
void Follow(HWND main);

// A window of ours (a top-level window of this thread, owned by TeraPad's main window) joins
// with this one call, once it is shown: from then until it is destroyed it is shown exactly while
// TeraPad's main window is shown and not minimised, and enabled exactly while no ModalScope
// lives. TeraPad's window is looked at five times a second while any window has joined, so a
// minimise or a restore is followed within a fifth of a second.
void Join(HWND window);

// Puts every joined window in the state that TeraPad's window and the ModalScopes call for now.
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
