#include "engine/script/function_library.h"

#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/script/installed_functions.h"

namespace vl {
namespace {

struct TvlLibraryEntry {
  std::string ClassName;
  std::unique_ptr<TvlFunctionLibrary> Library;
};

std::vector<TvlLibraryEntry>& Registry() {
  static std::vector<TvlLibraryEntry> registry;
  return registry;
}

}  // namespace

bool TvlFunctionLibrary::OfferCall(std::string_view name, const TvlValue& p1, const TvlValue& p2,
                                   const TvlValue& p3, TvlValue& val) {
  for (std::size_t k = 0; k < List.size(); ++k) {
    if (vlSameText(List[k], name)) {
      ComputeFunction(static_cast<int>(k), p1, p2, p3, val);
      return true;
    }
  }
  return false;
}

bool vlRegisterFunctionLibrary(const std::string& className, const TvlLibraryFactory& create) {
  auto& registry = Registry();
  for (const TvlLibraryEntry& e : registry)
    if (e.ClassName == className) return false;
  if (static_cast<int>(registry.size()) >= kMaxFunctionLibraries)
    throw TvlError("Cannot register the function library " + className + ": " +
                   std::to_string(kMaxFunctionLibraries) + " libraries are registered already");
  if (!create) return false;
  std::unique_ptr<TvlFunctionLibrary> library = create();
  if (!library) return false;
  if (library->className_.empty()) library->className_ = className;
  if (library->className_ != className) {
    vlInstalledFunctions().RemoveLibrary(library->className_);
    throw TvlError("The function library " + className + " calls itself " + library->className_);
  }
  registry.push_back({className, std::move(library)});
  return true;
}

void vlUnregisterFunctionLibrary(const std::string& className) {
  auto& registry = Registry();
  for (auto it = registry.begin(); it != registry.end(); ++it) {
    if (it->ClassName == className) {
      vlInstalledFunctions().RemoveLibrary(className);
      // Out of the registry before it is destroyed, so that nothing its
      // destruction starts finds it there.
      std::unique_ptr<TvlFunctionLibrary> library = std::move(it->Library);
      registry.erase(it);
      return;
    }
  }
}

int vlFunctionLibraryCount() { return static_cast<int>(Registry().size()); }

TvlFunctionLibrary* vlFunctionLibrary(int index) {
  auto& registry = Registry();
  if (index < 0 || index >= static_cast<int>(registry.size())) return nullptr;
  return registry[static_cast<std::size_t>(index)].Library.get();
}

bool vlOfferCallToLibraries(std::string_view name, const TvlValue& p1, const TvlValue& p2,
                            const TvlValue& p3, TvlValue& val) {
  // By index: a library may register or unregister others while it computes.
  for (int k = 0; k < vlFunctionLibraryCount(); ++k)
    if (TvlFunctionLibrary* library = vlFunctionLibrary(k); library && library->OfferCall(name, p1, p2, p3, val))
      return true;
  return false;
}

}  // namespace vl
