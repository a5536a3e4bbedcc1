#pragma once
// The descriptions of the functions and words a template may use: name,
// category and a one-line text of syntax, "/" and explanation. Libraries
// register them when they are created (the standard library also describes
// the evaluator's built-ins, the system variables and the script words), and
// the designer's expression builder lists them by category.

#include <string>
#include <string_view>
#include <vector>

namespace vl {

class TvlFunctionLibrary;

struct TvlFunctionDesc {
  const TvlFunctionLibrary* Library = nullptr;  // the library that registered it
  std::string LibraryClass;                     // its class name
  std::string Name;                             // as written in expressions
  std::string Category;
  std::string Description;  // syntax "/" explanation
};

// The parts of a description for the builder's two labels: the text before
// the first "/" and, cut to 1000 characters, the text after it. A description
// without "/" is all explanation.
struct TvlFunctionHelp {
  std::string Syntax;
  std::string Explanation;
};
TvlFunctionHelp vlSplitFunctionDescription(std::string_view description);

class TvlInstalledFunctions {
 public:
  // Appends a description; ignored when the category is empty or an entry of
  // exactly that name exists.
  void Add(const TvlFunctionLibrary* library, std::string_view name, std::string_view category,
           std::string_view description);
  // The description of the first entry of that name (any letter case); empty
  // when there is none.
  std::string DescriptionOf(std::string_view name) const;
  // The categories, each once (any letter case), sorted.
  std::vector<std::string> Categories() const;
  // The names of a category (any letter case), sorted; every name when the
  // category is "All functions" (string 55348).
  std::vector<std::string> NamesOf(std::string_view category) const;
  // Drops the entries a library of that class name registered.
  void RemoveLibrary(std::string_view className);

  // In registration order.
  const std::vector<TvlFunctionDesc>& Entries() const noexcept { return entries_; }

 private:
  std::vector<TvlFunctionDesc> entries_;
};

// The one registry, for the whole program.
TvlInstalledFunctions& vlInstalledFunctions();

}  // namespace vl
