// "プレビュー" through the docked toolbar's popup menu, as an author uses it: the window shows the
// card at the caret and follows the caret and the typing, while TeraPad keeps the keyboard; after
// a click into the screen, Enter on a link shows its card and Backspace goes back.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "DialogDriver.h"
#include "Docked.h"
#include "TestSupport.h"
#include "preview/frmPreview.h"

namespace {

using namespace docked;

// Written as served decks were: lower case, unquoted values.
const std::string kDeck = Cp932(
    L"<hdml version=3.0>\r\n<display name=top>\r\n<center>ようこそ<br>\r\n"
    L"<a task=go dest=#menu label=menu>メニュー</a>\r\n</display>\r\n"
    L"<display name=menu>\r\nmenu text $x\r\n</display>\r\n</hdml>\r\n");

// 20 x 8: eight text rows, then the soft-key row.
std::wstring Screen(const std::wstring& rows, int count, const std::wstring& softKeys) {
  std::wstring s = rows;
  for (int i = count; i < 8; ++i) s += L"\r\n";
  return s + softKeys;
}
const std::wstring kTop = Screen(L"      ようこそ\r\nメニュー\r\n", 2, L"menu");
const std::wstring kMenu = Screen(L"menu text $x\r\n", 1, L"OK");

// What the screen control says it shows. GetWindowText would give another process's window's
// own caption without asking it: WM_GETTEXT asks.
std::wstring Said(HWND screen) {
  wchar_t text[1024] = {};
  SendMessageW(screen, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return text;
}

class PreviewWindow : public DeckInEditor {
protected:
  PreviewWindow() : DeckInEditor(kDeck) {}

  bool Shows(HWND screen, const std::wstring& text, const wchar_t* caption) {
    const bool shown = WaitFor([&] { return Said(screen) == text && TextOf(GetParent(screen)) == caption; }, 3000);
    if (!shown) ADD_FAILURE() << "shows [" << Cp932(Said(screen)) << "] titled " << Cp932(TextOf(GetParent(screen)));
    return shown;
  }
};

TEST_F(PreviewWindow, FollowsTheCaretAndTheTypingAndEnterOnALinkShowsItsCard) {
  host->select(0, 0);
  ASSERT_TRUE(ChooseMenuItem(*tolvane, 0, kMenuItems));
  HWND window = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (window = FindWindowOf(tolvane->pid(), L"#32770", L"プレビュー - top")) != nullptr; }));
  EXPECT_EQ(GetWindow(window, GW_OWNER), host->main()) << "kept in front of TeraPad";
  const HWND screen = GetDlgItem(window, IDC_PREVIEW_SCREEN);
  EXPECT_EQ(docked::ClassOf(screen), L"TolvaneScreen");
  EXPECT_TRUE(Shows(screen, kTop, L"プレビュー - top"));
  RECT own, tera;
  GetWindowRect(window, &own);
  GetWindowRect(host->main(), &tera);
  EXPECT_EQ(own.left, tera.right) << "beside TeraPad's right edge";

  // Opening left the keyboard with TeraPad's editor: the next key is typed there.
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == host->main() && DialogDriver::Focused(host->main()) == host->editor(); }));
  const long menuText = static_cast<long>(kDeck.find("text $x"));
  host->select(menuText + 5, menuText + 5);
  EXPECT_TRUE(Shows(screen, kMenu, L"プレビュー - menu")) << "the caret in the second card";
  Press('Q');
  EXPECT_TRUE(WaitFor([&] { return host->bytes().find("menu text q$x") != std::string::npos; })) << host->bytes();
  EXPECT_TRUE(Shows(screen, Screen(L"menu text q$x\r\n", 1, L"OK"), L"プレビュー - menu")) << "the typed key shows";

  // After a click into the screen the keys are the phone's: Enter follows the link.
  host->select(0, 0);
  EXPECT_TRUE(Shows(screen, kTop, L"プレビュー - top"));
  RECT rc;
  GetWindowRect(screen, &rc);
  ASSERT_TRUE(RealClick({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}));
  ASSERT_TRUE(WaitFor([&] { return DialogDriver::Focused(window) == screen; }));
  Press(VK_RETURN);
  EXPECT_TRUE(Shows(screen, Screen(L"menu text q$x\r\n", 1, L"OK"), L"プレビュー - menu")) << "Enter on the link";
  Press(VK_BACK);
  EXPECT_TRUE(Shows(screen, kTop, L"プレビュー - top")) << "Backspace goes back";
  EXPECT_EQ(host->bytes().find("menu text q$x") != std::string::npos, true) << "the keys did not reach the editor";

  // An edit that keeps both the length and the caret (here at 0) shows too, by the read made once
  // a second.
  std::string same = host->bytes();
  const std::string welcome = Cp932(L"ようこそ");
  same.replace(same.find(welcome), welcome.size(), Cp932(L"さような"));
  host->setBytes(same);
  EXPECT_TRUE(Shows(screen, Screen(L"      さような\r\nメニュー\r\n", 2, L"menu"), L"プレビュー - top"));

  // Esc closes it, and the author's next key lands in the editor.
  Press(VK_ESCAPE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(window); }));
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == host->main() && DialogDriver::Focused(host->main()) == host->editor(); }));
  Press('Z');
  EXPECT_TRUE(WaitFor([&] { return host->bytes().rfind("z<hdml ", 0) == 0; })) << host->bytes();
}

}  // namespace
