// Where a tag dialog comes up: over the window the author is looking at, kept inside the work
// area of the monitor that holds that window.
#pragma once

namespace Placement {

// Screen rectangles as Windows gives them; a monitor left of or above the primary one has
// negative coordinates.
struct Rect {
  int left, top, right, bottom;
};

struct Point {
  int x, y;
};

// The top left corner of a dialog of `width` by `height` centred over `over`, then moved the
// least distance that keeps it inside `work`. A dialog larger than `work` keeps its top left
// corner (its caption and close box) inside it.
Point CentreOver(const Rect& over, int width, int height, const Rect& work);

// The top left corner of a window of `width` by `height` in the lower right corner of `over`, a
// little inside its edges, kept inside `work` as CentreOver keeps a dialog: a window that stays
// open beside the editor leaves the text above it in view.
Point LowerRightOf(const Rect& over, int width, int height, const Rect& work);

// The top left corner of a window of `width` by `height` beside the right edge of `over`, level
// with its top, kept inside `work` as CentreOver keeps a dialog (over the right part of `over`
// when there is no room beside it): the editor's text stays in view beside it.
Point BesideRightOf(const Rect& over, int width, int height, const Rect& work);

}  // namespace Placement
