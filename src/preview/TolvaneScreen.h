// The preview's screen control (window class "TolvaneScreen"): a phone's display drawn from a
// laid-out card, and WM_GETTEXT answering with what it shows (rows joined by CR LF, the soft-key
// row last), for screen readers and tests. Arrow keys, Enter, Backspace and typed characters
// go to the window that owns the View.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "preview/logic/PreviewLayout.h"

namespace TolvaneScreen {

inline constexpr wchar_t kClassName[] = L"TolvaneScreen";

struct Picture {
  HBITMAP bitmap = nullptr;   // owned by the caller
  SIZE size{};                // its pixels
};

// What the control shows; owned by its parent window, read at every paint and WM_GETTEXT.
struct View {
  Preview::Screen screen;
  Preview::ScreenSize size;
  int top = 0;                          // the first row shown
  std::vector<Picture> pictures;        // by Screen::images index; a null bitmap draws the box
  // A key pressed in the control: a virtual key (VK_UP, VK_DOWN, VK_RETURN, VK_BACK) or, with
  // `character` true, a typed character.
  std::function<void(WPARAM key, bool character)> key;
};

// Registers the class once; true when it is there.
bool Register();
// The control shows `view` (nullptr: nothing) and is drawn again.
void SetView(HWND control, const View* view);
// One half-width character cell of the control's font, in pixels.
SIZE Cell(HWND control);
// The control's outer size for a screen of `size` (the text rows, the rule, the soft-key row).
SIZE PixelSize(HWND control, Preview::ScreenSize size);

}  // namespace TolvaneScreen
