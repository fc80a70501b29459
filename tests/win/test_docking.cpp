// The toolbar docked into the stand-in editor (a separate process), as a user sees it: where it
// sits, how it looks, its buttons and tool tips, its popup menu, and how it follows the editor.
#include <gtest/gtest.h>

#include <algorithm>

#include "Docked.h"
#include "dialogs/frmText.h"
#include "res/resource.h"

using namespace docked;

namespace {

constexpr int kTextButton = 3;   // position 4, "テキスト整形"

// Right edge of the rightmost window inside the editor's toolbar, in its client coordinates:
// where a measured toolbar must start.
LONG RightmostInnerEdge(HWND bar, DWORD exceptPid) {
  struct Search { HWND bar; DWORD except; LONG right; } s{bar, exceptPid, 0};
  EnumChildWindows(bar, [](HWND h, LPARAM p) -> BOOL {
    auto* s = reinterpret_cast<Search*>(p);
    if (ProcessOf(h) == s->except) return TRUE;
    RECT rc;
    GetWindowRect(h, &rc);
    MapWindowPoints(nullptr, s->bar, reinterpret_cast<POINT*>(&rc), 2);
    s->right = std::max(s->right, rc.right);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&s));
  return s.right;
}

struct Placement {
  const char* name;
  long mode;                // the editor's edit mode
  const wchar_t* menu;      // [Browser] Menu, nullptr = absent
  const wchar_t* switches;  // beyond /w=
  LONG left;                // -1: the measured edge
  LONG top;
};

TEST(Docking, EachCaseOfPlacement) {
  const Placement cases[] = {
      {"measured", 0, nullptr, L"", -1, 0},
      {"given by /x= and /y=", 0, nullptr, L"/x=99 /y=4", 100, 5},
      {"/x=-1: fixed, edit mode 0", 0, nullptr, L"/x=-1", 314, 0},
      {"/x=-1: fixed, edit mode 1", 1, nullptr, L"/x=-1", 369, 0},
      {"/x=-1: fixed, edit mode 2", 2, nullptr, L"/x=-1", 314, 0},
      {"/x=-1: browser menu on, whatever the mode", 2, L"1", L"/x=-1", 369, 0},
      {"/x=-1: browser menu 0", 0, L"0", L"/x=-1", 314, 0},
      {"/x=-1: browser menu not a number", 1, L"abc", L"/x=-1", 369, 0},
      {"/x=-1: browser menu beyond 16 bits", 0, L"70000", L"/x=-1", 314, 0},
      {"/x=-1: browser menu 0.4 rounds to 0", 0, L"0.4", L"/x=-1", 314, 0},
      // TeraPad's own kind of toolbar has no inner window to measure: the fixed positions, just
      // right of its last button, whose set widens with edit mode 1 or the browser menu.
      {"nothing to measure: edit mode 0", 0, nullptr, L"", 314, 0},
      {"nothing to measure: edit mode 1", 1, nullptr, L"", 369, 0},
      {"nothing to measure: browser menu", 0, L"1", L"", 369, 0},
  };
  for (const Placement& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    HostPadOptions options;
    options.ini = dir.file(L"TeraPad.ini");
    options.mode = c.mode;
    options.strip = c.left == -1;
    if (c.menu) WriteSetting(options.ini, L"Browser", L"Menu", c.menu);
    HostPad host(options);
    Process process = StartWithSwitches(host, c.switches);
    Tolvane tolvane(process.pid());
    ASSERT_TRUE(tolvane.waitDocked(host));
    EXPECT_EQ(GetParent(tolvane.docked()), host.toolbar());
    EXPECT_EQ(ProcessOf(tolvane.docked()), tolvane.pid()) << "docked in a frame of its own";
    const POINT at = tolvane.position();
    EXPECT_EQ(at.x, c.left == -1 ? RightmostInnerEdge(host.toolbar(), tolvane.pid()) : c.left);
    EXPECT_EQ(at.y, c.top);
  }
}

TEST(Docking, FromTheToolMenuItSitsRightOfTheEditorsButtonsAndFollowsTheEditMode) {
  TempDir dir;
  HostPadOptions options;
  options.ini = dir.file(L"TeraPad.ini");
  options.strip = true;
  HostPad host(options);
  Tolvane tolvane = RunFromToolMenu(host);
  ASSERT_TRUE(tolvane.waitDocked(host));
  const LONG edge = RightmostInnerEdge(host.toolbar(), tolvane.pid());
  EXPECT_GT(edge, 0);
  EXPECT_EQ(tolvane.position().x, edge);
  // A measured position stays; it does not follow the edit mode.
  host.send(HPM_SETMODE, 1);
  Sleep(1500);
  EXPECT_EQ(tolvane.position().x, edge);

  Process fixed = StartWithSwitches(host, L"/x=-1");
  Tolvane second(fixed.pid());
  ASSERT_TRUE(second.waitDocked(host));
  EXPECT_EQ(second.position().x, 369);
  host.send(HPM_SETMODE, 0);
  EXPECT_TRUE(WaitFor([&] { return second.position().x == 314; }, 2500)) << "re-placed by the next tick";
}

// A TeraPad on a monitor left of the primary one has negative screen positions; its toolbar is
// measured all the same (the position is taken inside the toolbar, not on the screen).
TEST(Docking, AnEditorLeftOfThePrimaryMonitorIsMeasuredToo) {
  HostPadOptions options;
  options.strip = true;
  HostPad host(options);
  SetWindowPos(host.main(), nullptr, -700, 50, 600, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT rc;
  GetWindowRect(host.toolbar(), &rc);
  ASSERT_LT(rc.right, 0) << "the whole toolbar left of the screen's origin";
  Process process = StartWithSwitches(host, L"");
  Tolvane tolvane(process.pid());
  ASSERT_TRUE(tolvane.waitDocked(host));
  const LONG edge = RightmostInnerEdge(host.toolbar(), tolvane.pid());
  EXPECT_GT(edge, 0);
  EXPECT_EQ(tolvane.position().x, edge);
}

TEST(Docking, FlatOrStandardStyleFromTheSettingsFile) {
  struct Case { const wchar_t* value; bool flat; } cases[] = {
      {L"1", true}, {L"0", false}, {nullptr, true}, {L"", true}, {L"yes", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value ? std::string(c.value, c.value + wcslen(c.value)) : std::string("absent"));
    TempDir dir;
    HostPadOptions options;
    options.ini = dir.file(L"TeraPad.ini");
    if (c.value) WriteSetting(options.ini, L"Option", L"FlatToolBar", c.value);
    HostPad host(options);
    Process process = StartWithSwitches(host, L"");
    Tolvane tolvane(process.pid());
    ASSERT_TRUE(tolvane.waitDocked(host));
    EXPECT_EQ((GetWindowLongW(tolvane.toolbar(), GWL_STYLE) & TBSTYLE_FLAT) != 0, c.flat);
  }
}

TEST(Docking, TenButtonsOfWhichTheTemplateAndItsSeparatorNeverShow) {
  HostPad host;
  Tolvane tolvane = RunFromToolMenu(host);
  ASSERT_TRUE(tolvane.waitDocked(host));
  ASSERT_EQ(SendMessageW(tolvane.toolbar(), TB_BUTTONCOUNT, 0, 0), 10);
  for (int i = 0; i < 10; ++i) {
    SCOPED_TRACE(i + 1);
    const TBBUTTON b = tolvane.button(i);
    EXPECT_EQ((b.fsStyle & BTNS_SEP) != 0, i == 0 || i == 8);
    EXPECT_EQ((b.fsState & TBSTATE_HIDDEN) != 0, i >= 8) << "position 9 and 10 hidden, 1 to 8 shown";
    if (!(b.fsStyle & BTNS_SEP)) {
      EXPECT_EQ(b.iBitmap, i < 8 ? i : 8) << "image keys Deck..img, templete";
    }
  }
  // A toolbar exactly as wide as its shown buttons: nothing of it stretches over the editor's
  // own buttons.
  RECT own;
  GetClientRect(tolvane.toolbar(), &own);
  EXPECT_EQ(own.right, tolvane.buttonRect(7).right);
  EXPECT_EQ(own.bottom, tolvane.buttonRect(7).bottom);
}

// GetWindowText of another process's window reads its caption without asking it; a tool tip
// answers WM_GETTEXT with the tip it shows.
std::wstring TipText(HWND tip) {
  wchar_t text[128] = {};
  SendMessageW(tip, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
  return text;
}

TEST(Docking, ToolTipsAreTheButtonKeys) {
  HostPad host;
  Tolvane tolvane = RunFromToolMenu(host);
  ASSERT_TRUE(tolvane.waitDocked(host));
  const wchar_t* keys[] = {L"デッキ", L"カード", L"テキスト整形", L"ナビゲーション - A",
                           L"ナビゲーション - ACTION", L"選択肢", L"画像"};
  // A pointer already resting on the first button (an earlier test program's click leaves it
  // there) moves nowhere, and a toolbar that sees no motion shows no tip: start from below it.
  POINT below = tolvane.buttonCentre(1);
  below.y += 60;
  ASSERT_TRUE(MoveMouse(below));
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i + 2);
    ASSERT_TRUE(MoveMouse(tolvane.buttonCentre(i + 1)));
    EXPECT_TRUE(WaitFor([&] {
      HWND tip = FindWindowOf(tolvane.pid(), TOOLTIPS_CLASSW);
      return tip && TipText(tip) == keys[i];
    }, 4000));
  }
}

TEST(Docking, ARealClickOpensTheDialogAndASecondClickOpensNothingElse) {
  HostPad host;
  Tolvane tolvane = RunFromToolMenu(host);
  ASSERT_TRUE(tolvane.waitDocked(host));
  ASSERT_TRUE(RealClick(tolvane.buttonCentre(kTextButton)));
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindWindowOf(tolvane.pid(), L"#32770", L"テキスト整形")) != nullptr; }));
  EXPECT_EQ(GetForegroundWindow(), dialog);
  EXPECT_TRUE(IsWindowEnabled(host.main())) << "a dialog of ours does not disable the editor";

  host.foreground();
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == host.main(); }));
  ASSERT_TRUE(RealClick(tolvane.buttonCentre(1)));   // "デッキ" this time
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == dialog; })) << "the open dialog comes to the front";
  Sleep(300);
  int dialogs = 0;
  for (HWND h : VisibleWindowsOf(tolvane.pid())) dialogs += ClassOf(h) == L"#32770";
  EXPECT_EQ(dialogs, 1) << "no second dialog";
  SendMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(tolvane.running());
}

TEST(Docking, ClosingTheEditorEndsTolvaneWithoutAMessage) {
  HostPad host;
  Tolvane tolvane = RunFromToolMenu(host);
  ASSERT_TRUE(tolvane.waitDocked(host));
  const DWORD start = GetTickCount();
  host.close();
  // The timer ticks once a second; allow for scheduling.
  bool shownSomething = false;
  EXPECT_TRUE(WaitFor([&] {
    shownSomething = shownSomething || !VisibleWindowsOf(tolvane.pid()).empty();
    return !tolvane.running();
  }, 2500));
  EXPECT_LE(GetTickCount() - start, 2500u);
  EXPECT_FALSE(shownSomething) << "no message, no window on the way out";
  EXPECT_EQ(tolvane.exitCode(), 0u);
}

// The timer ends the program from inside the dialog's modal loop: whatever the user does in
// the dialog afterwards cannot reach the editor.
TEST(Docking, TheEditorsToolbarGoneWhileADialogIsOpenEndsTolvaneAndNothingIsInserted) {
  HostPad host;
  host.setBytes("abc");
  host.select(0, 3);
  Tolvane tolvane = RunFromToolMenu(host);
  ASSERT_TRUE(tolvane.waitDocked(host));
  ASSERT_TRUE(RealClick(tolvane.buttonCentre(kTextButton)));
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindWindowOf(tolvane.pid(), L"#32770", L"テキスト整形")) != nullptr; }));
  host.send(HPM_DESTROYTOOLBAR);
  // Filled in but never confirmed: the program ends with the dialog open.
  SendMessageW(GetDlgItem(dialog, IDC_TEXT_CHKCLOSETAG), BM_CLICK, 0, 0);
  EXPECT_TRUE(tolvane.waitExit(2500));
  EXPECT_EQ(host.bytes(), "abc");
}

TEST(Docking, HidingTheEditorsToolbarHidesOursWithoutEndingTheProgram) {
  HostPad host;
  Tolvane tolvane = RunFromToolMenu(host);
  ASSERT_TRUE(tolvane.waitDocked(host));
  host.send(HPM_SHOWTOOLBAR, 0);
  EXPECT_FALSE(IsWindowVisible(tolvane.toolbar()));
  Sleep(1500);   // at least one tick
  EXPECT_TRUE(tolvane.running());
  host.send(HPM_SHOWTOOLBAR, 1);
  EXPECT_TRUE(IsWindowVisible(tolvane.toolbar()));
  Sleep(1500);
  EXPECT_TRUE(tolvane.running());
}

TEST(Docking, ANewEditorToolbarEndsTolvane) {
  HostPad host;
  Tolvane tolvane = RunFromToolMenu(host);
  ASSERT_TRUE(tolvane.waitDocked(host));
  host.send(HPM_RECREATETOOLBAR);
  EXPECT_TRUE(tolvane.waitExit(2500));
  EXPECT_EQ(FindDocked(host.toolbar(), tolvane.pid()), nullptr);
}

TEST(Docking, ThePopupMenuItemTakesTheToolbarOutAndEndsTheProgram) {
  HostPad host;
  Tolvane tolvane = RunFromToolMenu(host);
  ASSERT_TRUE(tolvane.waitDocked(host));
  ASSERT_TRUE(ChooseMenuItem(tolvane, kMenuItems - 1, kMenuItems));   // the last item, "終了(&X)"
  EXPECT_TRUE(tolvane.waitExit(2500));
  EXPECT_EQ(FindDocked(host.toolbar(), tolvane.pid()), nullptr);
}

// From a fault put in by hand: the property that lets Wine draw the docked toolbar stayed on the
// editor's toolbar after Tolvane had left it. Each way out that leaves that toolbar in place.
TEST(Docking, EachWayOutTakesWinesDrawingPropertyOffTheEditorsToolbar) {
  constexpr wchar_t kProperty[] = L"__wine_x11_whole_window";
  const struct {
    const char* name;
    std::function<void(const Tolvane&)> leave;
  } ways[] = {
      {"the popup menu's item", [](const Tolvane& t) { ASSERT_TRUE(ChooseMenuItem(t, kMenuItems - 1, kMenuItems)); }},
      {"WM_CLOSE to the hidden window", [](const Tolvane& t) {
         ASSERT_TRUE(t.hidden());
         PostMessageW(t.hidden(), WM_CLOSE, 0, 0);
       }},
      {"the tick that finds our toolbar hidden", [](const Tolvane& t) { ShowWindow(t.docked(), SW_HIDE); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.name);
    HostPad host;
    ASSERT_FALSE(GetPropW(host.toolbar(), kProperty));
    Tolvane tolvane = RunFromToolMenu(host);
    ASSERT_TRUE(tolvane.waitDocked(host));
    ASSERT_TRUE(GetPropW(host.toolbar(), kProperty)) << "put there while docked (under Wine)";
    way.leave(tolvane);
    ASSERT_TRUE(tolvane.waitExit(2500));
    EXPECT_FALSE(GetPropW(host.toolbar(), kProperty));
  }
}

TEST(Docking, AnEditorWithoutAToolbarGetsNothingStrayAndTolvaneEnds) {
  HostPadOptions options;
  options.noToolbar = true;
  HostPad host(options);
  Tolvane tolvane = RunFromToolMenu(host);
  ASSERT_TRUE(tolvane.running());
  bool strayWindow = false;
  const bool ended = WaitFor([&] {
    strayWindow = strayWindow || !VisibleWindowsOf(tolvane.pid()).empty();
    return !tolvane.running();
  }, 2500);
  EXPECT_TRUE(ended);
  EXPECT_FALSE(strayWindow) << "no toolbar or message on the desktop";
}

}  // namespace
