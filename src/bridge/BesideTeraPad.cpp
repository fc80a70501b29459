#include "bridge/BesideTeraPad.h"

namespace BesideTeraPad {
namespace {

// The joined windows carry this property; the system drops it with the window, so a destroyed
// window leaves by itself and a handle used again later is no member. An integer atom: no
// reference of a string atom is left behind by a window that did not remove it.
const wchar_t* Mark() {
  static const ATOM atom = GlobalAddAtomW(L"Tolvane.BesideTeraPad");
  return MAKEINTATOM(atom);
}

HWND g_main = nullptr;
int g_modal = 0;   // ModalScopes alive

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

// A TeraPad that is gone hides nothing: Timer1 ends the program at its next tick.
bool TeraPadShown() { return !IsWindow(g_main) || (IsWindowVisible(g_main) && !IsIconic(g_main)); }

BOOL CALLBACK ApplyToMember(HWND window, LPARAM) {
  if (GetPropW(window, Mark())) Apply(window, TeraPadShown(), g_modal == 0);
  return TRUE;
}

UINT_PTR g_pending = 0;   // the timer of an Update to come

void CALLBACK UpdateNow(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_pending = 0;
  Update();
}

// Out of context: the events come to this thread, and nothing of ours runs in TeraPad. They come
// whenever this thread waits, though, also in the middle of a SendMessage to TeraPad or of a
// DestroyWindow of ours (Wine calls the hook there; a window being destroyed, already hidden,
// would be shown again). So the event only asks for an Update, which a timer runs from the
// message loop (ours, a dialog's or a menu's), where nothing is half done; one for many events.
void CALLBACK OnTeraPadEvent(HWINEVENTHOOK, DWORD, HWND hwnd, LONG idObject, LONG idChild, DWORD, DWORD) {
  if (hwnd == g_main && idObject == OBJID_WINDOW && idChild == CHILDID_SELF && !g_pending)
    g_pending = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, UpdateNow);
}

}  // namespace

void Follow(HWND main) {
  g_main = main;
  DWORD process = 0;
  const DWORD thread = GetWindowThreadProcessId(main, &process);
  if (!thread) return;
  // Minimised and restored: a TeraPad whose main window is iconic. Shown and hidden: one whose
  // hidden application window is minimised instead. Moved: the end of a restore (the minimise
  // events are sent as it begins).
  constexpr DWORD kOutOfContext = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
  SetWinEventHook(EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND, nullptr, OnTeraPadEvent, process, thread,
                  kOutOfContext);
  SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_HIDE, nullptr, OnTeraPadEvent, process, thread, kOutOfContext);
  SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, nullptr, OnTeraPadEvent, process,
                  thread, kOutOfContext);
}

void Join(HWND window) {
  if (!window || !SetPropW(window, Mark(), reinterpret_cast<HANDLE>(1))) return;
  Apply(window, TeraPadShown(), g_modal == 0);
}

void Update() { EnumThreadWindows(GetCurrentThreadId(), ApplyToMember, 0); }

ModalScope::ModalScope() {
  ++g_modal;
  Update();
}

ModalScope::~ModalScope() {
  --g_modal;
  Update();
}

}  // namespace BesideTeraPad
