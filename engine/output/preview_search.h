#pragma once
// Finding text in prepared pages: each page is drawn at scale 1 into a
// recording surface, and its text runs, in drawing order, are the
// candidates. The search goes on after the last match, page by page.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/graphics_types.h"

namespace vl {

class TvlEMFPages;

struct TvlPreviewSearch {
  std::string Text;            // upper-cased unless CaseSensitive
  bool CaseSensitive = false;
  std::int32_t Page = 0;       // page index (from 0) the next search starts on
  std::int32_t Object = 0;     // first text run of that page still to look at
  bool Found = false;          // the last search found something
  std::int32_t FoundPage = 0;  // page index of the last match
  TvlRect FoundBounds;         // the matched run's bounds in page units
};

// Sets the text and where the search starts: page 1, or the current page
// (continuing after the last match when it lay on that page).
void vlStartSearch(TvlPreviewSearch& search, const std::string& text, bool caseSensitive, bool fromCurrentPage,
                   std::int32_t currentPage);

// Looks for the next run holding the text. On a match the search state
// records it and the next search starts after it; pages looked at without a
// match give up their expanded form. False when no page from the search page
// on holds the text.
bool vlFindNext(TvlEMFPages& pages, TvlPreviewSearch& search);

// The page a link text jumps to: "@" followed by a page number (below 1
// taken as 1). No number after the "@" (a mail address, a typing slip): none.
std::optional<std::int32_t> vlLinkPage(const std::string& link);

}  // namespace vl
