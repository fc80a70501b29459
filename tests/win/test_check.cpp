// "HDML チェック" through the docked toolbar's popup menu, as an author uses it: the window lists
// the deck's problems, Enter on a row selects its bytes in the editor, the text stays as it was.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "DialogDriver.h"
#include "Docked.h"
#include "TestSupport.h"
#include "check/frmCheck.h"
#include "dialogs/logic/Placement.h"

namespace {

using namespace docked;

// Two problems: a TTL that is no whole number (line 1) and a link to a card that the deck does
// not have (line 4, after double-byte text, so bytes and characters differ).
const std::string kDeck = Cp932(
    L"<HDML VERSION=\"3.0\" TTL=\"1.5\">\r\n<DISPLAY NAME=\"top\">\r\nようこそ<BR>\r\n"
    L"メニューへ<A TASK=\"GO\" DEST=\"#menu\">進む</A>\r\n</DISPLAY>\r\n</HDML>\r\n");

// The text of one cell of a list view in Tolvane's process.
std::wstring CellOf(const Tolvane& tolvane, HWND list, int row, int column) {
  struct Remote { LVITEMW item; wchar_t text[256]; };
  auto* remote = static_cast<Remote*>(VirtualAllocEx(tolvane.handle(), nullptr, sizeof(Remote), MEM_COMMIT, PAGE_READWRITE));
  if (!remote) return L"(no memory)";
  Remote local{};
  local.item.iSubItem = column;
  local.item.pszText = remote->text;
  local.item.cchTextMax = 256;
  WriteProcessMemory(tolvane.handle(), remote, &local, sizeof(local), nullptr);
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&remote->item));
  ReadProcessMemory(tolvane.handle(), remote, &local, sizeof(local), nullptr);
  VirtualFreeEx(tolvane.handle(), remote, 0, MEM_RELEASE);
  return local.text;
}

constexpr int kTextButton = 3;   // position 4, "テキスト整形"

class Check : public DeckInEditor {
protected:
  Check() : DeckInEditor(kDeck) {}

  // The popup menu's item "HDML チェック(&C)", chosen by a real click; the window it opens.
  HWND OpenCheck() {
    if (!ChooseMenuItem(*tolvane, 1, kMenuItems)) return nullptr;
    HWND window = nullptr;
    WaitFor([&] { return (window = FindWindowOf(tolvane->pid(), L"#32770", L"HDML チェック - deck.hdml")) != nullptr; });
    return window;
  }
};

TEST_F(Check, TheWindowListsBothProblemsAndEnterOnTheSecondSelectsItsBytesInTheEditor) {
  const HWND window = OpenCheck();
  ASSERT_TRUE(window);
  EXPECT_EQ(GetWindow(window, GW_OWNER), host->main()) << "kept in front of TeraPad";
  RECT over, own;
  MONITORINFO monitor{sizeof(monitor)};
  GetWindowRect(host->main(), &over);
  GetWindowRect(window, &own);
  GetMonitorInfoW(MonitorFromWindow(host->main(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& w = monitor.rcWork;
  const Placement::Point at = Placement::LowerRightOf({over.left, over.top, over.right, over.bottom}, own.right - own.left,
                                                      own.bottom - own.top, {w.left, w.top, w.right, w.bottom});
  EXPECT_TRUE(own.left == at.x && own.top == at.y) << "at TeraPad's lower right (" << at.x << "," << at.y << "), not at " << own.left << "," << own.top;
  const HWND list = GetDlgItem(window, IDC_CHECK_LSTPROBLEMS);
  ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(CellOf(*tolvane, list, 0, 0), L"1");
  EXPECT_EQ(CellOf(*tolvane, list, 0, 2), L"エラー");
  EXPECT_EQ(CellOf(*tolvane, list, 1, 0), L"4");
  EXPECT_EQ(CellOf(*tolvane, list, 1, 1), L"25");   // after the 24 characters of "メニューへ<A TASK="GO" DEST=""
  EXPECT_EQ(CellOf(*tolvane, list, 1, 2), L"注意");
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0) << "first row selected";

  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }));
  // The list's label takes Alt+P to the list (a screen reader names the list by it).
  Press(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return DialogDriver::Focused(window) == GetDlgItem(window, IDC_CHECK_CMDRECHECK); }));
  Keys({{VK_MENU, true}, {'P', true}, {'P', false}, {VK_MENU, false}});
  EXPECT_TRUE(WaitFor([&] { return DialogDriver::Focused(window) == list; })) << "Alt+P";
  Press(VK_DOWN);
  Press(VK_RETURN);
  const long menu = static_cast<long>(kDeck.find("#menu"));
  EXPECT_TRUE(WaitFor([&] { return host->sel() == std::make_pair(menu, menu + 5); }))
      << host->sel().first << ".." << host->sel().second;
  EXPECT_TRUE(WaitFor([&] { return host->hasKeyboard(); })) << "TeraPad's editor has the keyboard";
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(host->bytes(), kDeck);

  // A second "HDML チェック" brings the same window forward and checks the text as it is now.
  host->setBytes(Cp932(L"<HDML><DISPLAY>ok</DISPLAY></HDML>"));
  EXPECT_EQ(OpenCheck(), window);
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }));
  ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(CellOf(*tolvane, list, 0, 3), L"問題は見つかりませんでした。");

  // Esc closes it, and the author's next key lands in the editor.
  host->select(0, 0);
  Press(VK_ESCAPE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(window); }));
  // The hand-back runs after the window is gone: a key pressed in between is the race of a
  // test, not of a person, who types after seeing TeraPad in front again.
  WaitFor([&] { return host->hasKeyboard(); }, 2000);
  Press('Z');
  EXPECT_TRUE(WaitFor([&] { return host->bytes().rfind("z<HDML>", 0) == 0; })) << host->bytes();

  // Closing TeraPad takes the window with the rest of Tolvane.
  host->close();
  EXPECT_TRUE(tolvane->waitExit(2500));
}

// From a fault: with a tag dialog open, the check window still took clicks and keys (Enter or a
// double-click took a row, moving the selection under the open dialog).
TEST_F(Check, DisabledWhileATagDialogIsOpen) {
  const HWND window = OpenCheck();
  ASSERT_TRUE(window);
  // Moved below TeraPad, as the author may: under Wine the click on the docked button, which
  // activates TeraPad, puts TeraPad above the window it owns (Windows keeps it above).
  RECT editor{};
  GetWindowRect(host->main(), &editor);
  SetWindowPos(window, nullptr, editor.left, editor.bottom + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const HWND dialog = OpenByClick(*tolvane, kTextButton, L"テキスト整形");
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(IsWindowEnabled(window));
  RECT list{};
  GetWindowRect(GetDlgItem(window, IDC_CHECK_LSTPROBLEMS), &list);
  const POINT firstRow{list.left + 30, list.top + 28};
  ASSERT_TRUE(RealClick(firstRow) && RealClick(firstRow));
  WaitForInputIdle(tolvane->handle(), 2000);
  Sleep(300);
  EXPECT_NE(GetForegroundWindow(), window);
  // (Wine passes a click on a disabled window to the window below it, here the editor, which
  // puts its caret there; Windows gives it to nobody. Either way no row's bytes are selected.)
  EXPECT_EQ(host->sel().first, host->sel().second) << "no row taken";
  EXPECT_TRUE(IsWindowVisible(dialog));

  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(window) != 0; }));
  EXPECT_EQ(host->bytes(), kDeck);
}

// From the report of a TeraPad built as older Delphi programs are: minimising it only hid its
// main window, the check window stayed alone on the desktop, and taking one of its rows activated
// an invisible TeraPad. Both kinds of minimise: nothing of ours stays visible, and when TeraPad
// comes back the window comes back without taking the activation from it.
class CheckBeside : public Check, public ::testing::WithParamInterface<bool> {
protected:
  CheckBeside() { options.appWindow = GetParam(); }
};

TEST_P(CheckBeside, HiddenWhileTeraPadIsMinimisedAndBackBehindIt) {
  const HWND window = OpenCheck();
  ASSERT_TRUE(window);
  const HWND app = GetWindow(host->main(), GW_OWNER);
  ASSERT_EQ(app != nullptr, GetParam());
  // The Delphi kind by its title bar's button; the other by ShowWindow, which under Wine (unlike
  // the button, and unlike Windows) leaves the windows that the minimised window owns shown.
  if (GetParam()) SendMessageW(host->main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  else ShowWindow(host->main(), SW_MINIMIZE);
  ASSERT_TRUE(GetParam() ? !IsWindowVisible(host->main()) && IsIconic(app) : IsIconic(host->main()) != 0);
  EXPECT_TRUE(WaitFor([&] { return VisibleWindowsOf(tolvane->pid()).empty(); }, 3000)) << "nothing of ours on the desktop";

  SendMessageW(GetParam() ? app : host->main(), WM_SYSCOMMAND, SC_RESTORE, 0);   // the taskbar's button
  ASSERT_TRUE(IsWindowVisible(host->main()) && !IsIconic(host->main()));
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != 0; }, 3000));
  EXPECT_TRUE(IsWindowEnabled(window));
  WaitForInputIdle(tolvane->handle(), 2000);
  EXPECT_EQ(GetForegroundWindow(), host->main()) << "TeraPad keeps the activation";
}

INSTANTIATE_TEST_SUITE_P(Minimise, CheckBeside, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "ApplicationWindow" : "MainWindow"; });

}  // namespace
