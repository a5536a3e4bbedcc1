// Expansion of bracketed expressions in view texts, with the format suffix
// that a bracket may carry.

#include "engine/model/bracket_text.h"

#include "engine/core/display_format.h"
#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/expression_evaluator.h"
#include "engine/core/value_ops.h"
#include "engine/model/view.h"
#include "engine/model/view_run_hooks.h"
#include "engine/core/run_context.h"

namespace vl {
namespace {

// The closing bracket of the bracket at pos (nested brackets counted,
// brackets inside apostrophes or double quotes not), or npos.
std::size_t ClosingBracket(const std::string& text, std::size_t pos) {
  int depth = 0;
  bool apostrophes = false, quotes = false;
  for (std::size_t k = pos; k < text.size(); ++k) {
    const char c = text[k];
    if (c == '"' && !apostrophes) quotes = !quotes;
    else if (c == '\'' && !quotes) apostrophes = !apostrophes;
    else if (!apostrophes && !quotes) {
      if (c == '[') ++depth;
      else if (c == ']' && --depth == 0) return k;
    }
  }
  return std::string::npos;
}

}  // namespace

TvlBracketHooks& vlBracketHooks() {
  static TvlBracketHooks hooks;
  TvlViewRunHooks* run = vlRunContext().ViewHooks;
  return run ? run->Brackets : hooks;
}

std::string vlBracketText(TvlView& view, const std::string& bracket) {
  const TvlBracketHooks& hooks = vlBracketHooks();
  if (hooks.Text) return hooks.Text(view, bracket);
  std::int32_t code = view.Format;
  std::string formatText = view.FormatText;
  std::string expression = bracket, suffix;
  if (vlSplitFormatSuffix(bracket, expression, suffix)) vlApplyFormatSuffix(suffix, code, formatText);
  TvlValue value(0);
  if (vlShared().Evaluator) value = vlShared().Evaluator->Evaluate(expression);
  if ((view.Flags & flHideZeros) && !value.IsString()) {
    try {
      if (vlValueCompare(value, TvlValue(0)) == 0) value = TvlValue(std::string());
    } catch (const TvlError&) {
      // A value that does not compare with 0 is printed as it is.
    }
  }
  return vlFormatDisplayValue(value, code, formatText);
}

std::string vlExpandBrackets(TvlView& view, const std::string& text) {
  std::string s = text;
  std::size_t i = 0;
  while (true) {
    i = s.find('[', i);
    if (i == std::string::npos) break;
    std::size_t close = ClosingBracket(s, i);
    std::string inner;
    if (close == std::string::npos) {
      // Unclosed: the rest of the text, without its last character.
      close = s.size() - 1;
      inner = s.size() > i + 2 ? s.substr(i + 1, s.size() - i - 2) : std::string();
    } else {
      inner = s.substr(i + 1, close - i - 1);
    }
    const std::string value = vlBracketText(view, inner);
    s.replace(i, close - i + 1, value);
    i += value.size();
  }
  return s;
}

}  // namespace vl
