#include "dialogs/logic/Placement.h"

#include <algorithm>

namespace Placement {

Point CentreOver(const Rect& over, int width, int height, const Rect& work) {
  const int x = over.left + (over.right - over.left - width) / 2;
  const int y = over.top + (over.bottom - over.top - height) / 2;
  // max after min: when the dialog is larger than the area its left and top edges win.
  return {std::max(work.left, std::min(x, work.right - width)), std::max(work.top, std::min(y, work.bottom - height))};
}

Point LowerRightOf(const Rect& over, int width, int height, const Rect& work) {
  constexpr int kInset = 12;   // clear of the editor's window frame and scroll bar
  return CentreOver({over.right - width - 2 * kInset, over.bottom - height - 2 * kInset, over.right, over.bottom},
                    width, height, work);
}

Point BesideRightOf(const Rect& over, int width, int height, const Rect& work) {
  return CentreOver({over.right, over.top, over.right + width, over.top + height}, width, height, work);
}

}  // namespace Placement
