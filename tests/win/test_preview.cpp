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
  ASSERT_TRUE(WaitFor([&] { return host->hasKeyboard(); }));
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

  // It goes with a minimised TeraPad and comes back with it, TeraPad in front.
  ShowWindow(host->main(), SW_MINIMIZE);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }, 3000));
  SendMessageW(host->main(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != 0; }, 3000));
  WaitForInputIdle(tolvane->handle(), 2000);
  EXPECT_EQ(GetForegroundWindow(), host->main());

  // Esc (after a click into it) closes it, and the author's next key lands in the editor.
  ASSERT_TRUE(RealClick({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}));
  ASSERT_TRUE(WaitFor([&] { return DialogDriver::Focused(window) == screen; }));
  Press(VK_ESCAPE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(window); }));
  EXPECT_TRUE(WaitFor([&] { return host->hasKeyboard(); }));
  Press('Z');
  EXPECT_TRUE(WaitFor([&] { return host->bytes().rfind("z<hdml ", 0) == 0; })) << host->bytes();
}

// Pictures beside the deck file: a BMP (the system's loader) and a PNG (GDI+) are drawn in boxes of
// their size, which read as blank; a missing one shows its ALT, and so does a SRC that names a
// drive (here the very BMP by its full path): SRC is always taken below the deck's folder. A
// picture wider than any screen's worth of memory is not read (a few kilobytes of file can claim it).
std::string Pictures(const std::wstring& folder) {
  return Cp932(L"<hdml><display name=pics>\r\n<img src=pic.bmp alt=bmp><br><img src=img/dot.png alt=png><br>"
               L"<img src=gone.gif alt=gone><br><img src=\"" + folder + L"\\pic.bmp\" alt=drive><br>"
               L"<img src=wide.bmp alt=wide>\r\n</display></hdml>\r\n");
}

// A two-colour BMP.
std::string Bmp(uint32_t width, uint32_t height) {
  std::string b(14 + 40 + 8 + (width + 31) / 32 * 4 * height, '\0');
  const auto put = [&](size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
  };
  b[0] = 'B', b[1] = 'M';
  put(2, static_cast<uint32_t>(b.size()), 4);
  put(10, 14 + 40 + 8, 4);
  put(14, 40, 4), put(18, width, 4), put(22, height, 4), put(26, 1, 2), put(28, 1, 2);
  put(54 + 4, 0xFFFFFF, 3);   // colour 1 white, colour 0 black
  for (size_t i = 62; i < b.size(); i += 2) b[i] = '\x55';
  return b;
}
// A 1 x 1 PNG.
const std::string kPng(
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x01\x00\x00\x00\x01\x08\x06"
    "\x00\x00\x00\x1f\x15\xc4\x89\x00\x00\x00\x0d\x49\x44\x41\x54\x78\xda\x63\x64\x60\xf8\x5f\x0f\x00\x02\x87"
    "\x01\x80\xeb\x47\xba\x92\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82", 70);

class PreviewPictures : public DeckInEditor {
protected:
  PreviewPictures() : DeckInEditor(Pictures(L"")) {}
};

TEST_F(PreviewPictures, ABmpAndAPngBesideTheDeckAreDrawnAMissingOneShowsItsAlt) {
  WriteBytes(dir.file(L"pic.bmp"), Bmp(32, 16));
  WriteBytes(dir.file(L"wide.bmp"), Bmp(5000, 2));
  CreateDirectoryW(dir.file(L"img").c_str(), nullptr);
  WriteBytes(dir.file(L"img\\dot.png"), kPng);
  host->setBytes(Pictures(dir.path()));
  ASSERT_TRUE(ChooseMenuItem(*tolvane, 0, kMenuItems));
  HWND window = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (window = FindWindowOf(tolvane->pid(), L"#32770", L"プレビュー - pics")) != nullptr; }));
  const std::wstring expected = Screen(L"\r\n\r\n[gone]\r\n[drive]\r\n[wide]\r\n", 5, L"OK");
  const HWND screen = GetDlgItem(window, IDC_PREVIEW_SCREEN);
  EXPECT_TRUE(WaitFor([&] { return Said(screen) == expected; }, 3000)) << Cp932(Said(screen));
}

}  // namespace
