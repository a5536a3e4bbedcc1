#pragma once
// Shrinking a text view's font until its text fits the view: for boxes
// whose size is fixed (an envelope's address) a long text gets smaller and
// wraps rather than running out of the box.

#include <cstdint>

namespace vl {

class TvlMemoView;

// With the text in memo.PrintedMemo (expanded, not yet wrapped), tries the
// font sizes from size down to floorSize, the line spacing shrinking in
// step with the font, and keeps the first at which the wrapped text lies
// inside the view. False (the floor size kept) when even that is too large.
bool vlShrinkMemoToFit(TvlMemoView& memo, std::int32_t size, std::int32_t lineSpacing, std::int32_t floorSize);

// Whether memo.PrintedMemo, wrapped at the view's font, lies inside the view.
bool vlMemoTextFits(TvlMemoView& memo);

}  // namespace vl
