#include <gtest/gtest.h>

#include "dialogs/logic/Placement.h"

// A 400 by 300 dialog over an editor on a 1280 by 1024 monitor left of or above the primary one
// (negative coordinates), its task bar 40 pixels high: the dialog stays on that monitor.
TEST(Placement, CentredOverTheEditorInsideTheWorkAreaOfItsMonitor) {
  constexpr Placement::Rect left{-1280, 0, 0, 984}, above{0, -1024, 1280, -40};
  const struct { const char* name; Placement::Rect over, work; int w, h, x, y; } cases[] = {
      {"left: centred", {-1000, 100, -300, 600}, left, 400, 300, -850, 200},
      {"above: centred", {200, -900, 1000, -300}, above, 400, 300, 400, -750},
      {"left: editor hanging off its left edge", {-1500, 100, -1000, 600}, left, 400, 300, -1280, 200},
      {"above: editor hanging into its task bar", {900, -200, 1600, 100}, above, 400, 300, 880, -340},
      {"left: larger than the work area, top left corner in it", {-1000, 100, -300, 600}, left, 1500, 1100, -1280, 0},
      {"above: larger than the work area", {200, -900, 1000, -300}, above, 1500, 1100, 0, -1024},
  };
  for (const auto& c : cases) {
    const Placement::Point at = Placement::CentreOver(c.over, c.w, c.h, c.work);
    EXPECT_EQ(at.x, c.x) << c.name;
    EXPECT_EQ(at.y, c.y) << c.name;
  }
}

// The check window beside the editor: its lower right corner 12 pixels inside the editor's, and
// kept on the monitor as a dialog is.
TEST(Placement, LowerRightOfTheEditorInsideTheWorkArea) {
  const Placement::Point in = Placement::LowerRightOf({100, 50, 900, 650}, 300, 200, {0, 0, 1280, 984}),
                         out = Placement::LowerRightOf({900, 700, 1500, 1100}, 300, 200, {0, 0, 1280, 984});
  EXPECT_EQ(std::make_tuple(in.x, in.y, out.x, out.y), std::make_tuple(588, 438, 980, 784));
  const Placement::Point beside = Placement::BesideRightOf({100, 50, 900, 650}, 300, 200, {0, 0, 1280, 984}),
                         over = Placement::BesideRightOf({200, 800, 1200, 1000}, 300, 200, {0, 0, 1280, 984});
  EXPECT_EQ(std::make_tuple(beside.x, beside.y, over.x, over.y), std::make_tuple(900, 50, 980, 784)) << "beside";
}
