// Drives a modal tag dialog from inside its own modal loop, through its real controls: keys and
// characters go to the focused control and through IsDialogMessage as the dialog manager's loop
// sends them, clicks are the messages a click sends.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>

#include "insert/mdlHDML.h"
#include "res/resource.h"

namespace DialogDriver {

// WM_GETTEXT rather than GetWindowText, which does not ask a window of another process.
inline std::wstring Text(HWND h) {
  std::wstring text(static_cast<size_t>(SendMessageW(h, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(static_cast<size_t>(
      SendMessageW(h, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

// A control of the dialog or of one of its tab pages (child dialogs), by id. Only the dialogs'
// own children count: the edit inside every editable combo box has id 1001 too.
inline HWND Find(HWND dialog, int id) {
  if (HWND h = GetDlgItem(dialog, id)) return h;
  struct Search { int id; HWND found; } search{id, nullptr};
  EnumChildWindows(dialog, [](HWND h, LPARAM p) -> BOOL {
    auto* s = reinterpret_cast<Search*>(p);
    wchar_t cls[16] = {};
    GetClassNameW(h, cls, 16);
    if (lstrcmpW(cls, L"#32770") != 0) return TRUE;
    s->found = GetDlgItem(h, s->id);
    return s->found == nullptr;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Runs what has been posted to this thread the way the modal loop of `dialog` runs it.
inline void Pump(HWND dialog) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (IsDialogMessageW(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Characters typed into the control that has the focus ('\b' is Backspace).
inline void Type(HWND dialog, std::wstring_view chars) {
  for (wchar_t c : chars) {
    PostMessageW(GetFocus(), WM_CHAR, c, 1);
    Pump(dialog);
  }
}

// The control that has the focus in the dialog's thread, which may be of another process.
inline HWND Focused(HWND dialog) {
  GUITHREADINFO gui{};
  gui.cbSize = sizeof(gui);
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
  return gui.hwndFocus ? gui.hwndFocus : dialog;
}

// A key pressed and released on the control that has the focus (Esc, arrows, Enter).
inline void Key(HWND dialog, UINT vk) {
  const HWND focus = Focused(dialog);
  PostMessageW(focus, WM_KEYDOWN, vk, 1);
  PostMessageW(focus, WM_KEYUP, vk, 0xC0000001);
  Pump(dialog);
}

// Focus to a box, its whole text selected, and the new text typed over it.
inline void TypeOver(HWND dialog, HWND edit, std::wstring_view chars) {
  SetFocus(edit);   // an editable combo passes the focus on to its edit
  SendMessageW(GetFocus(), EM_SETSEL, 0, -1);
  Type(dialog, chars.empty() ? std::wstring_view(L"\b") : chars);
}

// A left click on the tab of page `index`, as the mouse sends it.
inline void ClickTab(HWND tab, int index) {
  RECT r{};
  SendMessageW(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(tab, WM_LBUTTONUP, 0, at);
}

inline void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

// A pick from a combo box's list, as the user's choice arrives: the selection, then the
// notification.
inline void Pick(HWND dialog, int comboId, int index) {
  const HWND combo = Find(dialog, comboId);
  SendMessageW(combo, CB_SETCURSEL, index, 0);
  SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// The hidden window that owns what RunDialog shows, as frmMain's window owns every tag dialog.
inline HWND& DialogOwner() {
  static HWND owner;
  return owner;
}

// Shows a dialog as the toolbar command does (modal, owned by a hidden window) and calls
// drive(dialog) from inside its modal loop once it is up. drive must close the dialog; one
// left open is a failure and is closed by its close box. Returns what Show returned.
inline bool RunDialog(const std::function<bool(HWND)>& show, const std::function<void(HWND)>& drive) {
  static const std::function<void(HWND)>* s_drive;
  static DWORD s_start;
  s_drive = &drive;
  HWND& s_owner = DialogOwner();
  s_owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  s_start = GetTickCount();
  // A thread timer: the dialog's own modal loop dispatches it once the dialog is up and idle.
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND h, LPARAM p) -> BOOL {
      if (GetWindow(h, GW_OWNER) != DialogOwner() || !IsWindowVisible(h)) return TRUE;
      *reinterpret_cast<HWND*>(p) = h;
      return FALSE;
    }, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog && GetTickCount() - s_start < 5000) return;
    KillTimer(nullptr, id);
    if (!dialog) {
      ADD_FAILURE() << "no dialog owned by the hidden window is showing";
      return;
    }
    (*s_drive)(dialog);
    if (IsWindowVisible(dialog)) {
      ADD_FAILURE() << "the dialog was left open";
      SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
  });
  const bool result = show(s_owner);
  KillTimer(nullptr, timer);   // a dialog that never showed leaves the timer pending
  DestroyWindow(s_owner);
  s_owner = nullptr;
  return result;
}

// The items of a combo box's list, in list order, joined by ",".
inline std::wstring ListItems(HWND combo) {
  std::wstring all;
  const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    std::wstring item(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
    item.resize(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
    all += (i ? L"," : L"") + item;
  }
  return all;
}

// The captions of a tab control's pages, in order, joined by ",".
inline std::wstring Pages(HWND tab) {
  std::wstring all;
  const int n = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    wchar_t caption[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    item.cchTextMax = 64;
    SendMessageW(tab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
    all += (i ? L"," : L"") + std::wstring(caption);
  }
  return all;
}

// A tag dialog seen through its controls.
struct Dialog {
  HWND dialog;
  HWND ctl(int id) const { return Find(dialog, id); }
  std::wstring preview() const { return Text(ctl(IDC_TXTED)); }
  void typeInto(int id, std::wstring_view text) const { TypeOver(dialog, ctl(id), text); }
  bool ticked(int id) const { return SendMessageW(ctl(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  std::wstring items(int comboId) const { return ListItems(ctl(comboId)); }
  int comboKind(int comboId) const { return GetWindowLongW(ctl(comboId), GWL_STYLE) & 3; }   // CBS_DROPDOWN...
};

inline constexpr int kTicked = BST_CHECKED, kUnticked = BST_UNCHECKED;

// A control as the dialog opens, as the author is meant to see it: its caption or text; for a
// check box whether it is ticked and the input of its row; list items of a combo box, or the
// pages' captions of a tab control, joined by ",".
struct AsOpened {
  int id;                           // 0: the dialog itself
  const wchar_t* text;              // nullptr: not looked at
  int ticked = -1;                  // kTicked or kUnticked; -1: no check box
  const wchar_t* items = nullptr;   // of the row's input when there is one, else of id
  int input = 0;                    // the input control of a check box's row
  const wchar_t* value = nullptr;   // the input's text
};

inline void ExpectAsOpened(HWND dialog, std::initializer_list<AsOpened> controls) {
  for (const AsOpened& c : controls) {
    SCOPED_TRACE(testing::Message() << "control " << c.id);
    const HWND h = c.id ? Find(dialog, c.id) : dialog;
    const HWND input = c.input ? Find(dialog, c.input) : nullptr;
    ASSERT_TRUE(h && (input || !c.input));
    if (c.text) EXPECT_EQ(Text(h), c.text);
    if (c.ticked >= 0) EXPECT_EQ(SendMessageW(h, BM_GETCHECK, 0, 0), c.ticked);
    if (c.value) EXPECT_EQ(Text(input), c.value);
    if (c.items) {
      const HWND list = input ? input : h;
      wchar_t cls[32] = {};
      GetClassNameW(list, cls, 32);
      EXPECT_EQ(lstrcmpiW(cls, WC_TABCONTROLW) == 0 ? Pages(list) : ListItems(list), c.items);
    }
  }
}

// A tag dialog's frame: owned by the hidden window (so no taskbar button), a fixed size, a close
// box and no minimise or maximise box.
inline void ExpectOwnedFixedFrame(HWND dialog) {
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), DialogOwner());
  EXPECT_EQ(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  const LONG style = GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
}

// The three ways out of a dialog whose Esc is bound to Cancel; each must hand nothing over.
struct WayOut {
  const char* way;
  void (*close)(HWND dialog);
};
inline const WayOut kCancelEscCloseBox[] = {
    {"cmdCancel", [](HWND dialog) { Click(Find(dialog, IDCANCEL)); }},
    {"Esc", [](HWND dialog) { Key(dialog, VK_ESCAPE); }},
    {"close box", [](HWND dialog) { SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
};

// The pending tags as an earlier dialog's OK left them: a dialog closed any other way than by
// its own OK must empty them, or the insertion would repeat the earlier tags.
inline void PendingTagsOfAnEarlierOK() {
  gStartTag = L"<EARLIER>";
  gEndTag = L"</EARLIER>";
}

// Shows the dialog after an earlier OK's pending tags and lets `drive` act and close it in some
// way other than its own OK: nothing may be handed over. Returns what Show returned.
inline bool RunExpectingNothingHandedOver(const std::function<bool(HWND)>& show,
                                          const std::function<void(HWND)>& drive) {
  PendingTagsOfAnEarlierOK();
  const bool ok = RunDialog(show, drive);
  EXPECT_EQ(gStartTag, L"");
  EXPECT_EQ(gEndTag, L"");
  return ok;
}

// Cancel, Esc and the close box, each after `prepare` has acted on a fresh showing.
inline void ExpectCancelEscAndCloseBoxHandNothingOver(const std::function<bool(HWND)>& show,
                                                      const std::function<void(HWND)>& prepare) {
  for (const WayOut& way : kCancelEscCloseBox) {
    SCOPED_TRACE(way.way);
    EXPECT_FALSE(RunExpectingNothingHandedOver(show, [&](HWND dialog) {
      prepare(dialog);
      way.close(dialog);
    }));
  }
}

// Every dialog test starts from an earlier OK's pending tags.
class TagDialogTest : public ::testing::Test {
protected:
  void SetUp() override { PendingTagsOfAnEarlierOK(); }
};

}  // namespace DialogDriver
