#include <gtest/gtest.h>

#include "dialogs/logic/Placement.h"

using Placement::CentreOver;
using Placement::Rect;

namespace {

// A 400 by 300 dialog; the monitors are 1280 by 1024 with a 40-pixel task bar at the bottom.
constexpr int kW = 400, kH = 300;
constexpr Rect kLeftOfPrimary{-1280, 0, 0, 984};
constexpr Rect kAbovePrimary{0, -1024, 1280, -40};

void ExpectAt(Placement::Point at, int x, int y) {
  EXPECT_EQ(at.x, x);
  EXPECT_EQ(at.y, y);
}

}  // namespace

// Monitors left of and above the primary one have negative coordinates; the dialog stays on them.
TEST(Placement, CentredOverTheEditorOnAMonitorLeftOfOrAboveThePrimary) {
  ExpectAt(CentreOver({-1000, 100, -300, 600}, kW, kH, kLeftOfPrimary), -850, 200);
  ExpectAt(CentreOver({200, -900, 1000, -300}, kW, kH, kAbovePrimary), 400, -750);
}

TEST(Placement, AnEditorPartlyOffItsMonitorKeepsTheDialogOnThatMonitor) {
  // Hanging off the left edge of the left monitor, and down into the task bar of the upper one.
  ExpectAt(CentreOver({-1500, 100, -1000, 600}, kW, kH, kLeftOfPrimary), -1280, 200);
  ExpectAt(CentreOver({-600, 800, -100, 1200}, kW, kH, kLeftOfPrimary), -550, 684);
  ExpectAt(CentreOver({900, -200, 1600, 100}, kW, kH, kAbovePrimary), 880, -340);
}

TEST(Placement, ADialogLargerThanTheWorkAreaShowsItsTopLeftCorner) {
  ExpectAt(CentreOver({-1000, 100, -300, 600}, 1500, 1100, kLeftOfPrimary), -1280, 0);
  ExpectAt(CentreOver({200, -900, 1000, -300}, 1500, 1100, kAbovePrimary), 0, -1024);
}
