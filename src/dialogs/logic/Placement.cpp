#include "dialogs/logic/Placement.h"

#include <algorithm>

namespace Placement {

Point CentreOver(const Rect& over, int width, int height, const Rect& work) {
  const int x = over.left + (over.right - over.left - width) / 2;
  const int y = over.top + (over.bottom - over.top - height) / 2;
  // max after min: when the dialog is larger than the area its left and top edges win.
  return {std::max(work.left, std::min(x, work.right - width)), std::max(work.top, std::min(y, work.bottom - height))};
}

}  // namespace Placement
