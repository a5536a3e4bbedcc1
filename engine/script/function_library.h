#pragma once
// Function libraries: objects that know a list of function names and compute
// them. Libraries are registered engine-wide by class name, and a call the
// evaluator does not know is offered to each in registration order.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/value.h"

namespace vl {

class TvlFunctionLibrary {
 public:
  virtual ~TvlFunctionLibrary() = default;

  // The function names; a name's position is its function number.
  std::vector<std::string> List;

  // Accepts the call when the name is in List (any letter case) and computes
  // it; p1..p3 are the argument texts as the evaluator delivered them.
  virtual bool OfferCall(std::string_view name, const TvlValue& p1, const TvlValue& p2,
                         const TvlValue& p3, TvlValue& val);
  virtual void ComputeFunction(int number, const TvlValue& p1, const TvlValue& p2,
                               const TvlValue& p3, TvlValue& val) = 0;
};

inline constexpr int kMaxFunctionLibraries = 64;

using TvlLibraryFactory = std::function<std::unique_ptr<TvlFunctionLibrary>()>;

// Creates and appends a library unless one of that class name is registered.
// Returns false when nothing was added (already there, or the registry full).
bool vlRegisterFunctionLibrary(const std::string& className, const TvlLibraryFactory& create);
// Destroys the library of that class name; later ones move up.
void vlUnregisterFunctionLibrary(const std::string& className);
int vlFunctionLibraryCount();
TvlFunctionLibrary* vlFunctionLibrary(int index);  // nullptr outside the registry

// Offers a call to each library in registration order; true when one took it.
bool vlOfferCallToLibraries(std::string_view name, const TvlValue& p1, const TvlValue& p2,
                            const TvlValue& p3, TvlValue& val);

}  // namespace vl
