// The text formatting dialog and the protocol it shares with every tag dialog, driven from
// inside its own modal loop by the messages a user's input produces: the dialog is created
// from its real template, owned by a hidden window as the toolbar's dialogs are.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialogs/TagDialog.h"
#include "dialogs/frmText.h"
#include "insert/mdlHDML.h"
#include "res/resource.h"

namespace {

// Stands in for frmMain's hidden window, the owner of every tag dialog.
HWND HiddenOwner() {
  static HWND owner = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TestHiddenOwner";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"Tolvane", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                           wc.hInstance, nullptr);
  }();
  return owner;
}

// The user's part: runs once the dialog is up, from a timer of the dialog's own modal loop.
std::function<void(HWND)> gUser;
DWORD gStarted;

// The visible window of this thread owned by the hidden owner: the open dialog.
HWND OpenDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), [](HWND h, LPARAM p) -> BOOL {
    if (GetWindow(h, GW_OWNER) != HiddenOwner() || !IsWindowVisible(h)) return TRUE;
    *reinterpret_cast<HWND*>(p) = h;
    return FALSE;
  }, reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK UserTimer(HWND, UINT, UINT_PTR id, DWORD) {
  // A user acts once the dialog has the keyboard focus (under X it arrives a moment after the
  // window shows).
  HWND dlg = OpenDialog();
  if (dlg && (GetFocus() || GetTickCount() - gStarted > 2000)) {
    KillTimer(nullptr, id);
    auto user = std::move(gUser);
    gUser = nullptr;
    if (user) user(dlg);
  } else if (GetTickCount() - gStarted > 5000) {
    KillTimer(nullptr, id);   // never came up; Show returns on its own
  }
}

// Shows frmText with `user` acting on it; returns Show's result. A user that does not close the
// dialog within 5 s has it closed by its close box, so a wrong expectation fails instead of hanging.
bool ShowTextWith(std::function<void(HWND)> user) {
  gUser = [user](HWND dlg) {
    user(dlg);
    SetTimer(dlg, 99, 5000, [](HWND d, UINT, UINT_PTR, DWORD) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); });
  };
  gStarted = GetTickCount();
  SetTimer(nullptr, 0, 20, UserTimer);
  return frmText::Show(HiddenOwner());
}

// What a key press delivers: WM_KEYDOWN to the focused control, through the modal loop's
// IsDialogMessage (which is where Enter and Esc become button presses).
void PressKey(UINT vk) { PostMessageW(GetFocus(), WM_KEYDOWN, vk, 0); PostMessageW(GetFocus(), WM_KEYUP, vk, 0xC0000001); }

HWND Item(HWND dlg, int id) { return GetDlgItem(dlg, id); }
void Click(HWND dlg, int id) { SendMessageW(Item(dlg, id), BM_CLICK, 0, 0); }

// A pick from the list, as the user's choice arrives: the selection, then the notification.
void Pick(HWND dlg, int comboId, int index) {
  SendMessageW(Item(dlg, comboId), CB_SETCURSEL, index, 0);
  SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(dlg, comboId)));
}

std::wstring WindowText(HWND h) { return TagDialog::Text(h); }

std::vector<std::wstring> ComboItems(HWND combo) {
  std::vector<std::wstring> items;
  const auto n = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (int i = 0; i < n; ++i) {
    wchar_t buf[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buf));
    items.push_back(buf);
  }
  return items;
}

void SetPending(const wchar_t* start, const wchar_t* end) { gStartTag = start; gEndTag = end; }

TEST(FrmText, OpensAtItsDesignedDefaultsInFrontAndFocused) {
  struct Seen {
    std::wstring caption;
    std::vector<std::wstring> items;
    std::wstring picked;
    LRESULT closeTag = -1;
    HWND owner = nullptr, active = nullptr, focus = nullptr, cboTag = nullptr;
    LONG style = 0, exStyle = 0;
    std::wstring ok, cancel;
  } seen;
  HWND dialog = nullptr;
  ShowTextWith([&](HWND dlg) {
    dialog = dlg;
    seen.caption = WindowText(dlg);
    seen.items = ComboItems(Item(dlg, IDC_TEXT_CBOTAG));
    seen.picked = WindowText(Item(dlg, IDC_TEXT_CBOTAG));
    seen.closeTag = SendMessageW(Item(dlg, IDC_TEXT_CHKCLOSETAG), BM_GETCHECK, 0, 0);
    seen.owner = GetWindow(dlg, GW_OWNER);
    seen.active = GetActiveWindow();
    seen.focus = GetFocus();
    seen.cboTag = Item(dlg, IDC_TEXT_CBOTAG);
    seen.style = GetWindowLongW(dlg, GWL_STYLE);
    seen.exStyle = GetWindowLongW(dlg, GWL_EXSTYLE);
    seen.ok = WindowText(Item(dlg, IDOK));
    seen.cancel = WindowText(Item(dlg, IDCANCEL));
    Click(dlg, IDCANCEL);
  });
  EXPECT_EQ(seen.caption, L"テキスト整形");
  EXPECT_EQ(seen.items, (std::vector<std::wstring>{L"BR", L"CENTER", L"RIGHT", L"TAB", L"WRAP", L"LINE"}));
  EXPECT_EQ(seen.picked, L"BR");
  EXPECT_EQ(seen.closeTag, BST_UNCHECKED);
  EXPECT_EQ(seen.ok, L"OK(&O)");
  EXPECT_EQ(seen.cancel, L"キャンセル(&C)");
  // Owned by the hidden window: no taskbar button; active, focus where the tab order starts.
  EXPECT_EQ(seen.owner, HiddenOwner());
  EXPECT_EQ(seen.active, dialog);
  EXPECT_EQ(seen.focus, seen.cboTag) << "focus belongs to cboTag, first in the tab order";
  EXPECT_EQ(seen.exStyle & WS_EX_APPWINDOW, 0);
  // Fixed size, a close box, no minimise or maximise box.
  EXPECT_EQ(seen.style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(seen.style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
}

// Every way the user can close the dialog, and the tags it leaves behind. The cases run one
// after another and each expects the designed defaults: nothing of a showing is remembered.
TEST(FrmText, EachWayOfClosingHandsOverTheRightTags) {
  struct Case {
    const char* name;
    std::function<void(HWND)> user;
    bool ok;
    const wchar_t* start;
    const wchar_t* end;
  };
  const Case cases[] = {
      {"Enter at once", [](HWND) { PressKey(VK_RETURN); }, true, L"<BR>", L""},
      {"OK at once", [](HWND d) { Click(d, IDOK); }, true, L"<BR>", L""},
      {"CENTER picked, close tag ticked, OK",
       [](HWND d) { Pick(d, IDC_TEXT_CBOTAG, 1); Click(d, IDC_TEXT_CHKCLOSETAG); Click(d, IDOK); }, true,
       L"<CENTER>", L"</CENTER>"},
      {"close tag for the line break too", [](HWND d) { Click(d, IDC_TEXT_CHKCLOSETAG); PressKey(VK_RETURN); },
       true, L"<BR>", L"</BR>"},
      {"ticked then unticked", [](HWND d) { Pick(d, IDC_TEXT_CBOTAG, 5); Click(d, IDC_TEXT_CHKCLOSETAG);
                                             Click(d, IDC_TEXT_CHKCLOSETAG); Click(d, IDOK); },
       true, L"<LINE>", L""},
      {"arrow key down the list, then Enter",
       [](HWND d) { PressKey(VK_DOWN); PressKey(VK_DOWN); PressKey(VK_RETURN); }, true, L"<RIGHT>", L""},
      {"Esc", [](HWND d) { Click(d, IDC_TEXT_CHKCLOSETAG); PressKey(VK_ESCAPE); }, false, L"", L""},
      {"Cancel button", [](HWND d) { Pick(d, IDC_TEXT_CBOTAG, 2); Click(d, IDCANCEL); }, false, L"", L""},
      {"close box", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, false, L"", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Tags of an earlier OK: a cancelled dialog must not leave them to be inserted again.
    SetPending(L"<HDML>", L"</HDML>");
    EXPECT_EQ(ShowTextWith(c.user), c.ok);
    EXPECT_EQ(gStartTag, c.start);
    EXPECT_EQ(gEndTag, c.end);
  }
}

// --- the protocol's own pieces

struct ChangeCounter {
  HWND parent = nullptr, edit = nullptr;
  static inline int changes = 0;
  ChangeCounter() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (m == WM_COMMAND && HIWORD(w) == EN_CHANGE) ++changes;
      return DefWindowProcW(h, m, w, l);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TestChangeCounter";
    RegisterClassW(&wc);
    parent = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, wc.hInstance, nullptr);
    edit = CreateWindowExW(0, L"EDIT", L"3", WS_CHILD, 0, 0, 50, 20, parent, nullptr, wc.hInstance, nullptr);
  }
  ~ChangeCounter() { DestroyWindow(parent); }
};

TEST(TagDialogProtocol, AnEqualAssignmentRunsNoChangeEvent) {
  ChangeCounter c;
  ChangeCounter::changes = 0;
  SetWindowTextW(c.edit, L"3");
  EXPECT_EQ(ChangeCounter::changes, 1) << "Windows: WM_SETTEXT of an equal text still sends EN_CHANGE";

  ChangeCounter::changes = 0;
  EXPECT_FALSE(TagDialog::SetTextIfChanged(c.edit, L"3"));
  EXPECT_EQ(ChangeCounter::changes, 0);
  EXPECT_TRUE(TagDialog::SetTextIfChanged(c.edit, L"30"));
  EXPECT_EQ(ChangeCounter::changes, 1);
  EXPECT_EQ(TagDialog::Text(c.edit), L"30");
  EXPECT_TRUE(TagDialog::SetTextIfChanged(c.edit, L""));
  EXPECT_EQ(TagDialog::Text(c.edit), L"");
}

TEST(TagDialogProtocol, ADialogThatCannotBeCreatedHandsNothingOver) {
  struct Missing final : TagDialog::Form {
    void Form_Load() override {}
    void Command(int, int) override {}
    void cmdOK_Click() override { HandOver(L"<X>", L"</X>"); }
  } form;
  SetPending(L"<HDML>", L"</HDML>");
  EXPECT_FALSE(TagDialog::Show(form, HiddenOwner(), 9999));
  EXPECT_EQ(gStartTag, L"");
  EXPECT_EQ(gEndTag, L"");
}

// A handler that throws must not take the program down through the dialog manager.
TEST(TagDialogProtocol, AnExceptionInAHandlerLeavesTheDialogWorking) {
  struct Throwing final : TagDialog::Form {
    int commands = 0;
    void Form_Load() override {}
    void Command(int, int) override { ++commands; throw std::runtime_error("handler failed"); }
    void cmdOK_Click() override { HandOver(L"<OK>", L""); }
  } form;
  gUser = [](HWND d) { Click(d, IDC_TEXT_CHKCLOSETAG); Click(d, IDOK); };
  gStarted = GetTickCount();
  SetTimer(nullptr, 0, 20, UserTimer);
  EXPECT_TRUE(TagDialog::Show(form, HiddenOwner(), IDD_TEXT));
  EXPECT_GE(form.commands, 1);
  EXPECT_EQ(gStartTag, L"<OK>");
}

}  // namespace
