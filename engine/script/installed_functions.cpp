#include "engine/script/installed_functions.h"

#include <algorithm>

#include "engine/core/string_table.h"
#include "engine/core/text.h"
#include "engine/script/function_library.h"

namespace vl {
namespace {

constexpr std::size_t kMaxExplanation = 1000;

// At most kMaxExplanation bytes, not ending inside a UTF-8 character.
std::string CutExplanation(std::string_view text) {
  if (text.size() <= kMaxExplanation) return std::string(text);
  std::size_t end = kMaxExplanation;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end));
}

void SortNames(std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return vlCompareText(a, b) < 0; });
}

}  // namespace

TvlFunctionHelp vlSplitFunctionDescription(std::string_view description) {
  TvlFunctionHelp help;
  const std::size_t slash = description.find('/');
  if (slash == std::string_view::npos) {
    help.Explanation = CutExplanation(description);
  } else {
    help.Syntax = std::string(description.substr(0, slash));
    help.Explanation = CutExplanation(description.substr(slash + 1));
  }
  return help;
}

void TvlInstalledFunctions::Add(const TvlFunctionLibrary* library, std::string_view name,
                                std::string_view category, std::string_view description) {
  if (category.empty()) return;
  for (const TvlFunctionDesc& e : entries_)
    if (e.Name == name) return;
  TvlFunctionDesc desc;
  desc.Library = library;
  if (library) desc.LibraryClass = library->ClassName();
  desc.Name = std::string(name);
  desc.Category = std::string(category);
  desc.Description = std::string(description);
  entries_.push_back(std::move(desc));
}

std::string TvlInstalledFunctions::DescriptionOf(std::string_view name) const {
  for (const TvlFunctionDesc& e : entries_)
    if (vlSameText(e.Name, name)) return e.Description;
  return {};
}

std::vector<std::string> TvlInstalledFunctions::Categories() const {
  std::vector<std::string> out;
  for (const TvlFunctionDesc& e : entries_)
    if (std::none_of(out.begin(), out.end(), [&](const std::string& c) { return vlSameText(c, e.Category); }))
      out.push_back(e.Category);
  SortNames(out);
  return out;
}

std::vector<std::string> TvlInstalledFunctions::NamesOf(std::string_view category) const {
  const bool all = category == vlLoadStr(str::kAllFunctions);
  std::vector<std::string> out;
  for (const TvlFunctionDesc& e : entries_)
    if (all || vlSameText(e.Category, category)) out.push_back(e.Name);
  SortNames(out);
  return out;
}

void TvlInstalledFunctions::RemoveLibrary(std::string_view className) {
  std::erase_if(entries_, [&](const TvlFunctionDesc& e) { return e.LibraryClass == className; });
}

TvlInstalledFunctions& vlInstalledFunctions() {
  static TvlInstalledFunctions registry;
  return registry;
}

}  // namespace vl
