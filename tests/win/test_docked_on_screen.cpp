// What reaches the screen: the docked buttons' images are read back from the screen itself, and
// must come back after each thing that paints over them (under Wine the editor's own surface and
// other windows cover a child of another process unless Tolvane keeps it drawn).
#include <gtest/gtest.h>

#include <vector>

#include "Docked.h"
#include "ScreenImages.h"

using namespace docked;

namespace {

constexpr int kFirstButton = 1, kLastButton = 7;   // positions 2..8: the seven shown buttons

// The positions (0-based) of the shown buttons whose images are not on the screen.
std::vector<int> MissingImages(const Tolvane& tolvane) {
  std::vector<int> missing;
  for (int i = kFirstButton; i <= kLastButton; ++i) {
    RECT rc = tolvane.buttonRect(i);
    MapWindowPoints(tolvane.toolbar(), nullptr, reinterpret_cast<POINT*>(&rc), 2);
    if (!ScreenShowsToolbarImage(rc, tolvane.button(i).iBitmap)) missing.push_back(i);
  }
  return missing;
}

::testing::AssertionResult AllImagesShow(const Tolvane& tolvane) {
  std::vector<int> missing;
  // Repainting is asynchronous (another process's window, X round trips): give it a moment.
  if (WaitFor([&] { return (missing = MissingImages(tolvane)).empty(); }, 3000))
    return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << "images not on the screen at positions";
  for (int i : missing) failure << ' ' << i + 1;
  return failure;
}

// A window of this process laid over the docked toolbar, then taken away.
void PassAWindowOver(const Tolvane& tolvane) {
  RECT rc;
  GetWindowRect(tolvane.toolbar(), &rc);
  HWND cover = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"",
                               WS_POPUP | WS_VISIBLE | SS_BLACKRECT, rc.left - 20, rc.top - 10,
                               rc.right - rc.left + 40, rc.bottom - rc.top + 20, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(cover);
  UpdateWindow(cover);
  EXPECT_TRUE(WaitFor([&] { return MissingImages(tolvane).size() == kLastButton - kFirstButton + 1; }, 3000))
      << "the covering window hides every image (else this test cannot see anything)";
  DestroyWindow(cover);
}

class DockedOnScreen : public ::testing::TestWithParam<bool> {};

TEST_P(DockedOnScreen, TheButtonImagesShowAndComeBackAfterEachWayOfWipingThem) {
  TempDir dir;
  HostPadOptions options;
  options.ini = dir.file(L"TeraPad.ini");
  WriteSetting(options.ini, L"Option", L"FlatToolBar", GetParam() ? L"1" : L"0");
  HostPad host(options);
  SetWindowPos(host.main(), nullptr, 40, 40, 700, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  // At a fixed place, which the edit mode changes below.
  Process process = StartWithSwitches(host, L"/x=-1");
  Tolvane tolvane(process.pid());
  ASSERT_TRUE(tolvane.waitDocked(host));
  ASSERT_EQ((GetWindowLongW(tolvane.toolbar(), GWL_STYLE) & TBSTYLE_FLAT) != 0, GetParam());

  EXPECT_TRUE(AllImagesShow(tolvane)) << "once docked";

  host.send(HPM_REPAINTTOOLBAR);
  EXPECT_TRUE(AllImagesShow(tolvane)) << "after the editor repainted its toolbar";
  host.send(HPM_REPAINTTOOLBAR);
  EXPECT_TRUE(AllImagesShow(tolvane)) << "after a second repaint";

  PassAWindowOver(tolvane);
  EXPECT_TRUE(AllImagesShow(tolvane)) << "after a window passed over them";

  SetWindowPos(host.main(), nullptr, 160, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(AllImagesShow(tolvane)) << "after the editor moved";

  SetWindowPos(host.main(), nullptr, 0, 0, 820, 360, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(AllImagesShow(tolvane)) << "after the editor changed size";

  host.send(HPM_REPAINTTOOLBAR);
  EXPECT_TRUE(AllImagesShow(tolvane)) << "after a repaint at the new place";

  const LONG before = tolvane.position().x;
  host.send(HPM_SETMODE, 1);
  ASSERT_TRUE(WaitFor([&] { return tolvane.position().x != before; }, 2500)) << "the next tick moves the toolbar";
  host.send(HPM_REPAINTTOOLBAR);
  EXPECT_TRUE(AllImagesShow(tolvane)) << "after the toolbar moved inside the editor's toolbar, and a repaint";

  host.send(HPM_SHOWTOOLBAR, 0);
  host.send(HPM_SHOWTOOLBAR, 1);
  host.send(HPM_REPAINTTOOLBAR);
  EXPECT_TRUE(AllImagesShow(tolvane)) << "after the editor hid and showed its toolbar";
}

INSTANTIATE_TEST_SUITE_P(FlatAndStandard, DockedOnScreen, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Flat" : "Standard"; });

}  // namespace
