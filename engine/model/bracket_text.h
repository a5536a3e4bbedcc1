#pragma once
// The expansion of bracketed expressions in a view's text: each [expression]
// (with an optional " #" format suffix) is replaced by its formatted value.
// Values come from the report's resolution and formats from the display
// formatter; both are installed from above (the object model lies below the
// report's value resolution), with plain defaults for tests and tools.

#include <cstdint>
#include <functional>
#include <string>

#include "engine/core/value.h"

namespace vl {

class TvlView;

// A display format code: category (bits 24-27), kind (16-23), decimals
// (8-15) and decimal separator (0-7), with its format text.
struct TvlDisplayFormat {
  std::int32_t Code = 0;
  std::string Text;
};

struct TvlBracketHooks {
  // Resolves the expression of one bracket (the report's value resolution);
  // unset: the engine's shared evaluator evaluates it.
  std::function<TvlValue(const std::string& expression)> Resolve;
  // Formats a value by a display format; unset: vlDefaultDisplayText.
  std::function<std::string(const TvlValue&, std::int32_t code, const std::string& text)> Format;
  // Told the expression and its value after each bracket (the report keeps
  // them as the current value, read as VALUE).
  std::function<void(const std::string& expression, const TvlValue& value)> Resolved;
  // Registration mode: brackets give empty texts while it answers true.
  std::function<bool()> Registering;
};
TvlBracketHooks& vlBracketHooks();

// The expression of a bracket text and the format its " #" suffix gives,
// starting from the view's own format.
TvlDisplayFormat vlParseFormatSuffix(std::string& expression, const TvlDisplayFormat& viewFormat);

// The formatter used when none is installed: empty for empty, null and blank
// texts, the value as text otherwise.
std::string vlDefaultDisplayText(const TvlValue& value, std::int32_t code, const std::string& text);
std::string vlFormatDisplayValue(const TvlValue& value, std::int32_t code, const std::string& text);

// The value text of one bracketed expression of the view: resolved, hidden
// when zero with flHideZeros, and formatted.
std::string vlBracketText(TvlView& view, const std::string& bracket);
// Replaces every bracket of the text; an inserted value is never expanded
// again. A "[" without its "]" takes the rest of the text, whose last
// character is dropped.
std::string vlExpandBrackets(TvlView& view, const std::string& text);

}  // namespace vl
