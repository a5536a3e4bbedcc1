#pragma once
// Finds the calls of given functions inside an expression, inner calls before
// outer ones; used to find the aggregate calls a band must register. Names of
// the variables list (the dictionary's variables) are expanded, so a call
// hidden in a variable's expression is found too.

#include <string>
#include <string_view>
#include <vector>

#include "engine/core/variables.h"

namespace vl {

class TvlFunctionSplitter {
 public:
  // None of the three is owned; they must outlive the splitter.
  TvlFunctionSplitter(const std::vector<std::string>& matchNames, std::vector<std::string>& output,
                      const TvlVariables& variables)
      : matchNames_(matchNames), output_(output), variables_(variables) {}

  // Appends every call of a listed function found in text. A call text may
  // begin with the blanks in front of its name. A text that begins with an
  // apostrophe is a literal; one that begins with '[' is scanned for bracketed
  // names only.
  void Split(std::string_view text);

  // Nesting (arguments inside arguments, variables inside variables) beyond
  // this depth raises TvlError instead of exhausting the machine stack.
  static constexpr int kMaxNesting = 64;

 private:
  void SplitAt(std::string_view text, int depth);
  bool ExpandVariable(std::string_view name, int depth);
  bool IsMatch(std::string_view name) const;

  const std::vector<std::string>& matchNames_;
  std::vector<std::string>& output_;
  const TvlVariables& variables_;
  std::vector<std::string> expanding_;  // variables being expanded, to stop self-reference
};

}  // namespace vl
