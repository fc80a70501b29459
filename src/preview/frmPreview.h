// frmPreview: the "プレビュー" window. Not modal, owned by TeraPad's main window like the check
// window, beside TeraPad's right edge: the card that holds the editor's caret as the phone shows
// it, following the caret and the text while the author types. It never takes the keyboard by
// itself; after a click into its screen, the arrows, Enter and Backspace work the phone's keys.
#pragma once
#include <windows.h>

#define IDC_PREVIEW_SCREEN 1901
#define IDC_PREVIEW_LBLSIZE 1902
#define IDC_PREVIEW_CBOSIZE 1903
#define IDC_PREVIEW_LBLSTATUS 1904

#ifndef RC_INVOKED
namespace frmPreview {
// Opens the window beside TeraPad (or shows the caret's card again when it is open); TeraPad's
// editor keeps the keyboard.
void Show();
// For the message loop: the window's keyboard interface (Tab, access keys, Esc).
bool PreTranslate(MSG& msg);
}  // namespace frmPreview
#endif
