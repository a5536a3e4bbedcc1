// Expansion of bracketed expressions in view texts, with the format suffix
// that a bracket may carry.

#include "engine/model/bracket_text.h"

#include <cctype>

#include "engine/core/engine_state.h"
#include "engine/core/expression_evaluator.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/model/view.h"

namespace vl {
namespace {

constexpr std::int32_t kCategoryShift = 24, kKindShift = 16;

std::int32_t WithCategoryKind(std::int32_t code, std::int32_t category, std::int32_t kind) {
  return (code & 0xFFFF) | (category << kCategoryShift) | (kind << kKindShift);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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
  return hooks;
}

TvlDisplayFormat vlParseFormatSuffix(std::string& expression, const TvlDisplayFormat& viewFormat) {
  TvlDisplayFormat f = viewFormat;
  const std::size_t mark = expression.find(" #");
  if (mark == std::string::npos) return f;
  std::string s = expression.substr(mark + 2);
  expression.erase(mark);
  if (s.empty()) return f;
  const char first = s[0];
  if (IsDigit(first) || first == 'N' || first == 'n') {
    if (IsDigit(first)) s.insert(s.begin(), 'N');
    const bool fixed = s.size() > 1 && IsDigit(s[1]);
    f.Code = WithCategoryKind(f.Code, 1, fixed ? 1 : 0);
    for (std::size_t k = s.size() - 1; k >= 1; --k) {
      if (s[k] == ',' || s[k] == '-' || s[k] == '.') {
        f.Code = (f.Code & ~0xFF) | static_cast<unsigned char>(s[k]);
        s[k] = '.';
        if (fixed) {
          std::int32_t decimals = 0;
          std::size_t d = k + 1;
          for (; d < s.size() && IsDigit(s[d]) && decimals < 100; ++d) decimals = decimals * 10 + (s[d] - '0');
          if (d > k + 1) f.Code = (f.Code & ~0xFF00) | ((decimals & 0xFF) << 8);
        }
        break;
      }
    }
    if (!fixed) {
      s.erase(0, 1);
      f.Code = WithCategoryKind(f.Code, 1, 4);
      f.Text = s;
    }
  } else if (first == 'D' || first == 'T' || first == 'd' || first == 't') {
    f.Code = WithCategoryKind(f.Code, 2, 4);
    f.Text = s.substr(1);
  } else if (first == 'B' || first == 'b') {
    f.Code = WithCategoryKind(f.Code, 4, 4);
    f.Text = s.substr(1);
  } else {
    f.Text = s;
  }
  return f;
}

std::string vlDefaultDisplayText(const TvlValue& value, std::int32_t, const std::string&) {
  if (value.IsNullOrEmpty()) return {};
  if (value.IsString() && vlTrim(value.Str()).empty()) return {};
  return vlValueToText(value);
}

std::string vlFormatDisplayValue(const TvlValue& value, std::int32_t code, const std::string& text) {
  const TvlBracketHooks& hooks = vlBracketHooks();
  if (hooks.Format) return hooks.Format(value, code, text);
  return vlDefaultDisplayText(value, code, text);
}

std::string vlBracketText(TvlView& view, const std::string& bracket) {
  std::string expression = bracket;
  const TvlDisplayFormat format = vlParseFormatSuffix(expression, {view.Format, view.FormatText});
  const TvlBracketHooks& hooks = vlBracketHooks();
  TvlValue value(0);
  if (hooks.Resolve) value = hooks.Resolve(expression);
  else if (vlState().Evaluator) value = vlState().Evaluator->Evaluate(expression);
  if ((view.Flags & flHideZeros) && !value.IsString() && !value.IsNullOrEmpty()) {
    try {
      if (vlValueToFloat(value) == 0) value = TvlValue(std::string());
    } catch (...) {
      // A value that does not compare with 0 stays.
    }
  }
  if (hooks.Resolved) hooks.Resolved(expression, value);
  if (hooks.Registering && hooks.Registering()) return {};
  return vlFormatDisplayValue(value, format.Code, format.Text);
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
