#include "engine/script/function_splitter.h"
#include "engine/core/project_texts.h"

#include <algorithm>

#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/script/expression_scanner.h"

namespace vl {

void TvlFunctionSplitter::Split(std::string_view text) {
  expanding_.clear();  // left over only when an earlier Split raised
  SplitAt(text, 0);
}

bool TvlFunctionSplitter::IsMatch(std::string_view name) const {
  return std::any_of(matchNames_.begin(), matchNames_.end(),
                     [&](const std::string& m) { return vlSameText(m, name); });
}

// Expands a name of the variables list by splitting its value's text; a
// variable already being expanded refers to itself and is not followed again.
// Returns false when the name is not a variable.
bool TvlFunctionSplitter::ExpandVariable(std::string_view name, int depth) {
  if (name.empty()) return false;
  const TvlValue* value = variables_.Find(name);
  if (!value) return false;
  for (const std::string& e : expanding_)
    if (vlSameText(e, name)) return true;
  expanding_.emplace_back(name);
  SplitAt(vlValueToText(*value), depth + 1);
  expanding_.pop_back();
  return true;
}

void TvlFunctionSplitter::SplitAt(std::string_view text, int depth) {
  if (depth > kMaxNesting)
    throw TvlError(vlTr("Expressions nested more than %1 deep in \"%2\"",
                        {std::to_string(kMaxNesting), std::string(text)}));
  const std::string s = vlTrim(text);
  if (s.empty() || s[0] == '\'') return;
  const std::string_view t = s;

  if (t[0] == '[') {
    std::size_t pos = 0;
    while (pos < t.size()) {
      if (t[pos] != '[') {
        ++pos;
        continue;
      }
      const TvlBracketScan b = vlScanBracket(t, pos);
      if (!ExpandVariable(b.Name, depth)) SplitAt(b.Name, depth + 1);
      pos = b.Next;
    }
    return;
  }

  std::size_t pos = 0;
  while (pos < t.size()) {
    const TvlIdentifierScan id = vlScanIdentifier(t, pos);
    const std::string_view name = id.Text(t);
    const char next = id.End < t.size() ? t[id.End] : '\0';
    if (next == '(') {
      // A call, or a parenthesised group when the name is empty.
      const TvlArgumentScan args = vlScanArguments(t, id.End);
      for (const std::string_view arg : args.Args) SplitAt(arg, depth + 1);
      if (!name.empty() && IsMatch(name)) output_.emplace_back(t.substr(pos, args.Next - pos));
      pos = args.Next;
    } else if (ExpandVariable(name, depth)) {
      pos = id.End;
    } else if (next == '\r' || next == ' ' || next == '*' || next == '+' || next == '-' ||
               next == '/' || next == '<' || next == '=' || next == '>') {
      pos = id.End + 1;
    } else if (name.empty()) {
      return;  // '[', ']', ',' or ')' where a name should start
    } else {
      pos = id.End;
    }
  }
}

}  // namespace vl
