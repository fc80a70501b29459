// The editor control: a window of class HOSTPAD_EDITORCLASS, registered and created with the
// A API so that Windows hands it ANSI (cp932) strings, answering the edit messages in bytes.
#pragma once
#include <windows.h>
#include <cstddef>
#include "EditBuffer.h"

struct HostEditorSettings {
  std::size_t cap = 0;   // bytes per transfer, 0 = no cap
  bool anchorFirst = false;   // EM_GETSEL answers (anchor, caret), not (start, end)
};

HWND CreateHostEditor(HWND parent, int id);
// The buffer and settings behind an editor window of this process (0 for any other window).
EditBuffer* HostEditorBuffer(HWND editor);
HostEditorSettings* HostEditorSettingsOf(HWND editor);
// Repaints and scrolls the caret into view after the buffer was changed directly.
void HostEditorRefresh(HWND editor);
