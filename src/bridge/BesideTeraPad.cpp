#include "bridge/BesideTeraPad.h"

#include <utility>

namespace BesideTeraPad {
namespace {

// How often TeraPad's main window is looked at while a window of ours is open beside it: the
// window follows a minimise or a restore within this. On Windows an out-of-context WinEvent hook
// on TeraPad's process would say so at once, but Wine 8 delivers none of another process's
// events to it (and refuses the hook outright when it names TeraPad's thread), and the tests
// meet TeraPad under Wine; a look costs two questions per joined window.
constexpr UINT kLookInterval = 200;

// The joined windows carry this property; the system drops it with the window, so a destroyed
// window leaves by itself and a handle used again later is no member. An integer atom: no
// reference of a string atom is left behind by a window that did not remove it.
const wchar_t* Mark() {
  static const ATOM atom = GlobalAddAtomW(L"Tolvane.BesideTeraPad");
  return MAKEINTATOM(atom);
}

HWND g_main = nullptr;
int g_modal = 0;          // ModalScopes alive
UINT_PTR g_looking = 0;   // the timer of the looks, while there are members
int g_members = 0;        // counted by the last Update

// A TeraPad that is gone hides nothing: Timer1 ends the program at its next tick.
bool TeraPadShown() { return !IsWindow(g_main) || (IsWindowVisible(g_main) && !IsIconic(g_main)); }

void Apply(HWND window, bool shown, bool enabled) {
  if (!IsWindowVisible(window) != !shown) {
    // A window that is hidden while it has the activation should hand it to its owner, as
    // Windows does; Wine at times leaves it there when the owner is minimised, and then gives
    // the window the keyboard as soon as it is shown again, taking it from a restored TeraPad.
    if (!shown && (GetForegroundWindow() == window || GetActiveWindow() == window)) SetForegroundWindow(g_main);
    ShowWindow(window, shown ? SW_SHOWNA : SW_HIDE);
  }
  if (!IsWindowEnabled(window) != !enabled) EnableWindow(window, enabled);
}

BOOL CALLBACK ApplyToMember(HWND window, LPARAM) {
  if (!GetPropW(window, Mark())) return TRUE;
  ++g_members;
  Apply(window, TeraPadShown(), g_modal == 0);
  return TRUE;
}

// Run from a message loop (ours, a dialog's or a menu's), where nothing of ours is half done.
void CALLBACK Look(HWND, UINT, UINT_PTR, DWORD) {
  Update();
  if (g_members == 0 && g_looking) KillTimer(nullptr, std::exchange(g_looking, 0));
}

}  // namespace

void Follow(HWND main) { g_main = main; }

void Join(HWND window) {
  if (!window || !SetPropW(window, Mark(), reinterpret_cast<HANDLE>(1))) return;
  Apply(window, TeraPadShown(), g_modal == 0);
  if (!g_looking) g_looking = SetTimer(nullptr, 0, kLookInterval, Look);
}

void Update() {
  g_members = 0;
  EnumThreadWindows(GetCurrentThreadId(), ApplyToMember, 0);
}

ModalScope::ModalScope() {
  ++g_modal;
  Update();
}

ModalScope::~ModalScope() {
  --g_modal;
  Update();
}

}  // namespace BesideTeraPad
