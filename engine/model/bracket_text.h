#pragma once
// The expansion of bracketed expressions in a view's text: each [expression]
// (with an optional " #" format suffix) is replaced by its formatted value.
// The report's value resolution lies above the object model, so it is
// installed as a hook; without it the shared evaluator gives the values.

#include <functional>
#include <string>


namespace vl {

class TvlView;

struct TvlBracketHooks {
  // The value text of one bracket of the view, as the report's value
  // resolution gives it (the view is the engine's current view). Unset: the
  // engine's shared evaluator gives the value and vlFormatDisplayValue
  // formats it (tests and tools without a report).
  std::function<std::string(TvlView& view, const std::string& bracket)> Text;
};
TvlBracketHooks& vlBracketHooks();

// The value text of one bracketed expression of the view, with its " #"
// format suffix: resolved, hidden when zero with flHideZeros, formatted.
std::string vlBracketText(TvlView& view, const std::string& bracket);
// Replaces every bracket of the text; an inserted value is never expanded
// again. A "[" without its "]" takes the rest of the text, whose last
// character is dropped.
std::string vlExpandBrackets(TvlView& view, const std::string& text);

}  // namespace vl
