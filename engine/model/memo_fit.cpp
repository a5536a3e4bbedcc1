#include "engine/model/memo_fit.h"

#include <cmath>

#include "engine/model/memo_view.h"

namespace vl {

bool vlMemoTextFits(TvlMemoView& memo) {
  memo.Prewrapped = false;
  memo.BeginDraw();
  memo.WrapMemo();
  memo.EndDraw();
  return memo.TextHeight <= memo.Height;
}

bool vlShrinkMemoToFit(TvlMemoView& memo, std::int32_t size, std::int32_t lineSpacing, std::int32_t floorSize) {
  for (std::int32_t s = size; s >= floorSize || s == size; --s) {
    memo.Font.Size = s;
    memo.LineSpacing = static_cast<std::int32_t>(std::lround(static_cast<double>(lineSpacing) * s / size));
    if (vlMemoTextFits(memo)) return true;
    if (s <= floorSize) break;
  }
  return false;
}

}  // namespace vl
