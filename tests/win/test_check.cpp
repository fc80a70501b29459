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

// Run with an editor that answers EM_GETSEL as EDIT does, and with one that answers a backward
// selection as (anchor, caret).
class Check : public ::testing::TestWithParam<Selections> {
protected:
  TempDir dir;
  std::wstring file = dir.file(L"deck.hdml");
  std::optional<HostPad> host;
  std::optional<Tolvane> tolvane;

  void SetUp() override {
    WriteBytes(file, kDeck);
    HostPadOptions options = EditorAnswering(GetParam());
    options.file = file;
    host.emplace(options);
    tolvane.emplace(RunFromToolMenu(*host));
    ASSERT_TRUE(tolvane->waitDocked(*host));
  }

  // The popup menu's first item, "HDML チェック(&C)", chosen by a real click; the window it opens.
  HWND OpenCheck() {
    if (!RealClick(tolvane->buttonCentre(1), 3)) return nullptr;
    HWND menu = nullptr;
    if (!WaitFor([&] { return (menu = FindWindowOf(tolvane->pid(), L"#32768")) != nullptr; })) return nullptr;
    RECT rc;
    GetWindowRect(menu, &rc);
    if (!RealClick({rc.left + 12, rc.top + 8})) return nullptr;
    HWND window = nullptr;
    WaitFor([&] { return (window = FindWindowOf(tolvane->pid(), L"#32770", L"HDML チェック - deck.hdml")) != nullptr; });
    return window;
  }
};

TEST_P(Check, TheWindowListsBothProblemsAndEnterOnTheSecondSelectsItsBytesInTheEditor) {
  const HWND window = OpenCheck();
  ASSERT_TRUE(window);
  EXPECT_EQ(GetWindow(window, GW_OWNER), host->main()) << "kept in front of TeraPad";
  const HWND list = GetDlgItem(window, IDC_CHECK_LSTPROBLEMS);
  ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(CellOf(*tolvane, list, 0, 0), L"1");
  EXPECT_EQ(CellOf(*tolvane, list, 0, 2), L"エラー");
  EXPECT_EQ(CellOf(*tolvane, list, 1, 0), L"4");
  EXPECT_EQ(CellOf(*tolvane, list, 1, 1), L"25");   // after the 24 characters of "メニューへ<A TASK="GO" DEST=""
  EXPECT_EQ(CellOf(*tolvane, list, 1, 2), L"注意");
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0) << "first row selected";

  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }));
  Press(VK_DOWN);
  Press(VK_RETURN);
  const long menu = static_cast<long>(kDeck.find("#menu"));
  EXPECT_TRUE(WaitFor([&] { return host->sel() == std::make_pair(menu, menu + 5); }))
      << host->sel().first << ".." << host->sel().second;
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == host->main() && DialogDriver::Focused(host->main()) == host->editor(); }))
      << "TeraPad's editor has the keyboard";
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
  Press('Z');
  EXPECT_TRUE(WaitFor([&] { return host->bytes().rfind("z<HDML>", 0) == 0; })) << host->bytes();

  // Closing TeraPad takes the window with the rest of Tolvane.
  host->close();
  EXPECT_TRUE(tolvane->waitExit(2500));
}

INSTANTIATE_TEST_SUITE_P(, Check, BothWays, WayName);

}  // namespace
