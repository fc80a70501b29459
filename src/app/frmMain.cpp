// frmMain: the hidden form. Its toolbar `Toolbar1`, in a frame of ours, is moved into TeraPad's
// toolbar; `Timer1` watches TeraPad once a second and ends the program when TeraPad's window or
// toolbar is gone.
#include "app/frmMain.h"

#include <commctrl.h>

#include <iterator>
#include <string_view>
#include <utility>
#include <vector>

#include "app/WineDocking.h"
#include "app/mdlMain.h"
#include "bridge/BesideTeraPad.h"
#include "check/frmCheck.h"
#include "common/ScopedHandles.h"
#include "common/logic/Numeric.h"
#include "insert/ToolbarCommand.h"
#include "preview/frmPreview.h"
#include "res/resource.h"
#include "settings/INIAccess.h"

namespace frmMain {
namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Interval = 1000;
constexpr int kFirstButtonId = 200;   // command id of button position 1; position n is 199 + n
constexpr int kButtonWidth = 23, kButtonHeight = 22, kImageSize = 16;
constexpr COLORREF kMaskColour = RGB(192, 192, 192);
// Left positions used when neither the command line nor the measurement gives one: TeraPad's
// own buttons end there, further right when its browser menu or edit mode 1 adds buttons.
constexpr int kFixedLeft = 314, kFixedLeftWide = 369;
// Toolbar1_MouseUp numbers the mouse buttons 1 left, 2 right, 4 middle.
constexpr int kRightButton = 2;

// `imlToolbarIcons`, in the order of the bitmap strip; "Delete" is used by no button.
constexpr std::wstring_view kImageKeys[] = {L"Delete", L"Deck",       L"Card", L"Center",  L"NaviA",
                                            L"NaviAction", L"CE", L"img", L"templete"};

int ImageIndex(std::wstring_view key) {
  for (int i = 0; i < static_cast<int>(std::size(kImageKeys)); ++i)
    if (kImageKeys[i] == key) return i;
  return I_IMAGENONE;
}

const ToolbarButton* ButtonByCommand(int id) {
  const auto buttons = ToolbarButtons();
  const int index = id - kFirstButtonId;
  if (index < 0 || index >= static_cast<int>(buttons.size())) return nullptr;
  return &buttons[index];
}

struct Form {
  HWND hwnd = nullptr;
  // The frame is what goes into TeraPad's toolbar, with Toolbar1 inside: whatever a toolbar asks
  // of its parent (its background behind transparent parts, with our device context; its
  // notifications) is asked of a window of ours, never of TeraPad's.
  HWND picToolbar = nullptr;
  HWND Toolbar1 = nullptr;
  ImageList imlToolbarIcons;
  bool m_bFlatToolbar = true;
  bool m_bBrowserMenu = false;
};

// The one instance of the form, as the program has one hidden main window.
Form form;

[[noreturn]] void Form_Unload();

constexpr wchar_t kFrameClass[] = L"TolvaneToolbarFrame";

// Button face behind the toolbar, also when the toolbar asks for it with WM_PRINTCLIENT.
LRESULT CALLBACK FrameProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT: {
      RECT rc;
      GetClientRect(h, &rc);
      FillRect(reinterpret_cast<HDC>(wParam), &rc, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
      return SendMessageW(form.hwnd, msg, wParam, lParam);
  }
  return DefWindowProcW(h, msg, wParam, lParam);
}

void ApplyToolbarStyle() {
  {
    INIAccess ini;
    ini.FileName = gTeraPad->INIPath();
    form.m_bFlatToolbar = ini.GetINIData(L"FlatToolBar", L"Option") == L"1";
    if (ini.GetINIData(L"FlatToolBar", L"Option").empty()) form.m_bFlatToolbar = true;
    form.m_bBrowserMenu = false;
    if (auto menu = Numeric::ReadWhole(ini.GetINIData(L"Menu", L"Browser"), INT16_MIN, INT16_MAX))
      form.m_bBrowserMenu = *menu != 0;
  }
  // The window style itself: comctl32 follows WM_STYLECHANGED, and anyone looking at the
  // window (TeraPad, a test) sees the style that is drawn.
  const LONG_PTR style = GetWindowLongPtrW(form.Toolbar1, GWL_STYLE);
  SetWindowLongPtrW(form.Toolbar1, GWL_STYLE, form.m_bFlatToolbar ? (style | TBSTYLE_FLAT) : (style & ~TBSTYLE_FLAT));
  InvalidateRect(form.Toolbar1, nullptr, TRUE);
}

// The distance from the left of TeraPad's toolbar to the right end of its rightmost inner
// window; 0 when there is none.
int32_t MeasureTeraPadToolbar(HWND bar) {
  ToolbarMeasure measure{bar, 0};
  EnumChildWindows(bar, EnumToolbarChildProc, reinterpret_cast<LPARAM>(&measure));
  return measure.rightmost;
}

int ToolbarLeft() {
  if (gToolbarLeft > 0) return gToolbarLeft;
  return form.m_bBrowserMenu || gTeraPad->EditMode() == 1 ? kFixedLeftWide : kFixedLeft;
}

void PlaceToolbar() {
  const int left = ToolbarLeft();
  // Re-applied every second: skip the move (and its repaint) when nothing changed.
  RECT rc{};
  GetWindowRect(form.picToolbar, &rc);
  MapWindowPoints(nullptr, GetParent(form.picToolbar), reinterpret_cast<POINT*>(&rc), 2);
  if (rc.left != left || rc.top != gToolbarTop)
    SetWindowPos(form.picToolbar, nullptr, left, gToolbarTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Timer1_Timer() {
  const HWND main = gTeraPad->hwnd();
  const HWND bar = FindTeraPadToolbar(main);
  const bool hostBarVisible = IsWindowVisible(FindTeraPadToolbar(main));
  const bool ownVisible = IsWindowVisible(form.picToolbar);
  if (!IsWindowAlive(bar) || !IsWindowAlive(main) || (hostBarVisible && !ownVisible)) {
    Form_Unload();
    return;
  }
  PlaceToolbar();
}

void Form_Unload() {
  WineDocking::Undock();
  if (IsWindowAlive(form.picToolbar)) SetParent(form.picToolbar, form.hwnd);
  // "At once": no further event runs, not even the rest of an open dialog's modal loop, so
  // nothing is inserted afterwards.
  ExitProcess(0);
}

void mnuExit_Click() { Form_Unload(); }

void mnuCheck_Click() { frmCheck::Show(); }

// The preview opens beside TeraPad and hands the keyboard back itself.
void mnuPreview_Click() { frmPreview::Show(); }

void Toolbar1_MouseUp(int Button, POINT screen) {
  if (Button != kRightButton) return;
  HMENU bar = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_POPUP));
  if (!bar) return;
  HMENU mnuPop = GetSubMenu(bar, 0);
  // A popup menu closes on a click elsewhere only when its owner is the foreground window.
  SetForegroundWindow(form.hwnd);
  const UINT chosen = TrackPopupMenu(mnuPop, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x,
                                     screen.y, 0, form.hwnd, nullptr);
  PostMessageW(form.hwnd, WM_NULL, 0, 0);
  DestroyMenu(bar);
  // The check window takes the activation itself; every other way out gives it back to TeraPad,
  // unless the author closed the menu with a click into another program, which is in front now
  // and keeps the keyboard.
  if (chosen == IDM_CHECK) return mnuCheck_Click();
  if (GetForegroundWindow() == form.hwnd) ReturnToTeraPad();
  if (chosen == IDM_PREVIEW) mnuPreview_Click();
  if (chosen == IDM_EXIT) mnuExit_Click();
}

// The toolbar's tool tip is owned by the hidden window too: only a dialog counts.
BOOL CALLBACK FindOwnedDialog(HWND h, LPARAM lParam) {
  wchar_t cls[16] = {};
  GetClassNameW(h, cls, 16);
  if (GetWindow(h, GW_OWNER) != form.hwnd || !IsWindowVisible(h) || lstrcmpW(cls, L"#32770") != 0) return TRUE;
  *reinterpret_cast<HWND*>(lParam) = h;
  return FALSE;
}

// The tag dialog of this program that is open now, if any: modal, owned by the hidden window.
HWND OpenDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

void OnButtonCommand(int id) {
  const ToolbarButton* button = ButtonByCommand(id);
  if (!button || !button->key) return;
  // The docked toolbar lives in TeraPad's window, which a modal dialog of ours does not
  // disable: a second click brings the open dialog back instead of opening another.
  if (HWND open = OpenDialog()) {
    SetForegroundWindow(open);
    return;
  }
  {
    const BesideTeraPad::ModalScope modal;
    Toolbar1_ButtonClick(button->key, form.hwnd);
  }
  ReturnToTeraPad();
}

LRESULT OnNotify(const NMHDR& hdr, LPARAM lParam) {
  if (hdr.code == TTN_GETDISPINFOW) {
    auto& info = *reinterpret_cast<NMTTDISPINFOW*>(lParam);
    if (const ToolbarButton* button = ButtonByCommand(static_cast<int>(hdr.idFrom)); button && button->key)
      info.lpszText = const_cast<wchar_t*>(button->key);
    return 0;
  }
  if (hdr.hwndFrom == form.Toolbar1 && hdr.code == NM_RCLICK) {
    POINT pt;
    GetCursorPos(&pt);
    Toolbar1_MouseUp(kRightButton, pt);
    return TRUE;
  }
  return 0;
}

LRESULT CALLBACK WindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  try {
    switch (msg) {
      case WM_TIMER:
        if (wParam == kTimer1) Timer1_Timer();
        return 0;
      case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == form.Toolbar1 && form.Toolbar1) OnButtonCommand(LOWORD(wParam));
        return 0;
      case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
      case WM_CLOSE:
        Form_Unload();
        return 0;
    }
  } catch (...) {
    // No exception crosses into the system's dispatching; the event is simply dropped.
    return 0;
  }
  return DefWindowProcW(h, msg, wParam, lParam);
}

// Windows 10 (1607 and later) gives a child window the DPI awareness of its parent, whatever the
// thread's awareness is when the child is made, and under the default hosting behaviour a parent
// takes in no child of another awareness (SetParent fails or the child misbehaves). Our frame is
// made as a child of the hidden window and then moved into TeraPad's toolbar, so the hidden
// window must already have the toolbar's awareness: the thread takes it once, before its first
// window, and every window of ours is made under it. Looked up at run time, as Windows before 10
// has neither function; there, and where the toolbar's awareness is the program's own (TeraPad
// and Tolvane are both DPI-unaware by their manifests), nothing changes.
void TakeTheAwarenessOf(HWND bar) {
  using Get = HANDLE(WINAPI*)(HWND);
  using Set = HANDLE(WINAPI*)(HANDLE);
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const auto get = reinterpret_cast<Get>(reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
  const auto set = reinterpret_cast<Set>(reinterpret_cast<void*>(GetProcAddress(user32, "SetThreadDpiAwarenessContext")));
  if (get && set && bar)
    if (const HANDLE context = get(bar)) set(context);
}

HWND CreateToolbar1(HWND parent) {
  HWND tb = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                            WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN |
                                CCS_NORESIZE | CCS_NODIVIDER,
                            0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!tb) return nullptr;
  SendMessageW(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  form.imlToolbarIcons = ImageList(ImageList_LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_TOOLBAR),
                                                        kImageSize, 0, kMaskColour, IMAGE_BITMAP, LR_CREATEDIBSECTION));
  SendMessageW(tb, TB_SETBITMAPSIZE, 0, MAKELPARAM(kImageSize, kImageSize));
  SendMessageW(tb, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(form.imlToolbarIcons.get()));

  std::vector<TBBUTTON> buttons;
  for (const ToolbarButton& def : ToolbarButtons()) {
    TBBUTTON& b = buttons.emplace_back();
    b.idCommand = kFirstButtonId + static_cast<int>(buttons.size() - 1);
    b.fsStyle = def.key ? BTNS_BUTTON : BTNS_SEP;
    b.iBitmap = def.key ? ImageIndex(def.image) : 0;
    b.fsState = TBSTATE_ENABLED;
    b.iString = -1;
  }
  SendMessageW(tb, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageW(tb, TB_SETBUTTONSIZE, 0, MAKELPARAM(kButtonWidth, kButtonHeight));
  // A tool tip shows by default only while its tool's top-level window is active in this
  // thread; once docked, that window is TeraPad's, so it never would be.
  if (HWND tips = reinterpret_cast<HWND>(SendMessageW(tb, TB_GETTOOLTIPS, 0, 0)))
    SetWindowLongW(tips, GWL_STYLE, GetWindowLongW(tips, GWL_STYLE) | TTS_ALWAYSTIP);
  return tb;
}

// CCS_NORESIZE keeps the toolbar at the size we give it; it must not stretch over TeraPad's
// own buttons, so it is exactly as wide as its last shown button reaches.
void SizeToolbar1() {
  RECT last{};
  for (int i = static_cast<int>(ToolbarButtons().size()) - 1; i >= 0; --i) {
    if (!SendMessageW(form.Toolbar1, TB_ISBUTTONHIDDEN, kFirstButtonId + i, 0)) {
      SendMessageW(form.Toolbar1, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&last));
      break;
    }
  }
  SetWindowPos(form.Toolbar1, nullptr, 0, 0, last.right, last.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(form.picToolbar, nullptr, 0, 0, last.right, last.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Said, then the program ends: a toolbar that never appears would leave the user guessing.
[[noreturn]] void DockingFailed() {
  MessageBoxW(nullptr, L"TeraPad のツールバーにボタンを入れられませんでした。", L"Tolvane", MB_OK | MB_ICONEXCLAMATION);
  Form_Unload();
}

void Form_Load() {
  const HWND bar = FindTeraPadToolbar(gTeraPad->hwnd());
  // Without a TeraPad toolbar there is nothing to dock into (and nothing to measure:
  // EnumChildWindows of no window would walk the whole desktop); the first tick ends the program.
  if (!bar) return;
  form.picToolbar = CreateWindowExW(0, kFrameClass, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                    form.hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
  form.Toolbar1 = form.picToolbar ? CreateToolbar1(form.picToolbar) : nullptr;
  if (!form.Toolbar1) DockingFailed();
  ShowWindow(form.Toolbar1, SW_SHOWNOACTIVATE);
  ApplyToolbarStyle();
  for (int i = 0; i < static_cast<int>(ToolbarButtons().size()); ++i)
    if (!ToolbarButtons()[i].shownAtLoad) SendMessageW(form.Toolbar1, TB_HIDEBUTTON, kFirstButtonId + i, TRUE);
  SizeToolbar1();
  if (gToolbarLeft == -1) gToolbarLeft = MeasureTeraPadToolbar(bar);
  // Placed before it goes in: SetParent keeps the position, now taken in TeraPad's toolbar.
  SetWindowPos(form.picToolbar, nullptr, ToolbarLeft(), gToolbarTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  WineDocking::Dock(form.picToolbar, form.Toolbar1, bar);
  if (!SetParent(form.picToolbar, bar) || GetParent(form.picToolbar) != bar) DockingFailed();
  ShowWindow(form.picToolbar, SW_SHOWNOACTIVATE);
  BesideTeraPad::Follow(gTeraPad->hwnd());
}

}  // namespace

// Ending a modal dialog activates its owner (Windows' EndDialog makes the owner the foreground
// window), and the popup menu's owner is made the foreground window before the menu opens: after
// either, the hidden window has the activation and the keyboard, where no key of the author's
// means anything. TeraPad's window goes back in front and its editor gets the keyboard; what
// TeraPad itself does when activated is not counted on.
void ReturnToTeraPad() {
  const HWND editor = gTeraPad->ValidEditor();
  if (!editor) return;
  SetForegroundWindow(gTeraPad->hwnd());
  // The focus can be given only to a window that shares this thread's input. A cross-process
  // SetParent joins the input of the child's and the new parent's threads (Windows does; so does
  // Wine 8: once docked, this thread sees TeraPad's active and focused windows as its own), so
  // TeraPad's editor can be focused from here; its activation, sent on the way, runs first.
  SetFocus(editor);
}

void Load() {
  if (form.hwnd) return;
  TakeTheAwarenessOf(FindTeraPadToolbar(gTeraPad->hwnd()));
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"TolvaneMain";
  RegisterClassExW(&wc);
  WNDCLASSEXW frame{};
  frame.cbSize = sizeof(frame);
  frame.lpfnWndProc = FrameProc;
  frame.hInstance = instance;
  frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  frame.lpszClassName = kFrameClass;
  RegisterClassExW(&frame);
  // Never shown: a top-level window without WS_VISIBLE has no taskbar entry and no frame.
  form.hwnd = CreateWindowExW(0, wc.lpszClassName, L"Tolvane", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                              instance, nullptr);
  if (!form.hwnd) return;
  Form_Load();
  SetTimer(form.hwnd, kTimer1, kTimer1Interval, nullptr);
}

bool IsLoaded() { return form.hwnd != nullptr; }

void Unload() { Form_Unload(); }

HWND Window() { return form.hwnd; }

HWND Toolbar() { return form.Toolbar1; }

}  // namespace frmMain
