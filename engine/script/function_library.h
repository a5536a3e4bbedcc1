#pragma once
// Function libraries: objects that know a list of function names and compute
// them. Libraries are registered engine-wide by class name, at most 64, and a
// call the evaluator does not know is offered to each in registration order.
// A library describes its functions for the expression builder in its
// constructor (installed_functions.h); unregistering removes them again.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/value.h"

namespace vl {

class TvlFunctionLibrary {
 public:
  TvlFunctionLibrary() = default;
  // Libraries that describe their functions pass their class name, so that
  // the descriptions are removed with them.
  explicit TvlFunctionLibrary(std::string className) : className_(std::move(className)) {}
  virtual ~TvlFunctionLibrary() = default;
  TvlFunctionLibrary(const TvlFunctionLibrary&) = delete;
  TvlFunctionLibrary& operator=(const TvlFunctionLibrary&) = delete;

  // The function names; a name's position is its function number.
  std::vector<std::string> List;

  // Accepts the call when the name is in List (any letter case) and computes
  // it; p1..p3 are the argument texts as the evaluator delivered them.
  virtual bool OfferCall(std::string_view name, const TvlValue& p1, const TvlValue& p2,
                         const TvlValue& p3, TvlValue& val);
  virtual void ComputeFunction(int number, const TvlValue& p1, const TvlValue& p2,
                               const TvlValue& p3, TvlValue& val) = 0;

  const std::string& ClassName() const noexcept { return className_; }

 private:
  friend bool vlRegisterFunctionLibrary(const std::string&, const std::function<std::unique_ptr<TvlFunctionLibrary>()>&);
  std::string className_;
};

inline constexpr int kMaxFunctionLibraries = 64;

using TvlLibraryFactory = std::function<std::unique_ptr<TvlFunctionLibrary>()>;

// Creates and appends a library unless one of that class name is registered
// (then returns false and creates nothing). A 65th library is refused with
// TvlError before anything is created.
bool vlRegisterFunctionLibrary(const std::string& className, const TvlLibraryFactory& create);
// The same for a library class T with a default constructor and a static
// kClassName.
template <class T>
bool vlRegisterFunctionLibrary() {
  return vlRegisterFunctionLibrary(T::kClassName, [] { return std::make_unique<T>(); });
}
// Removes the descriptions of the library of that class name and destroys it;
// later ones move up.
void vlUnregisterFunctionLibrary(const std::string& className);
int vlFunctionLibraryCount();
TvlFunctionLibrary* vlFunctionLibrary(int index);  // nullptr outside the registry

// Offers a call to each library in registration order; true when one took it.
bool vlOfferCallToLibraries(std::string_view name, const TvlValue& p1, const TvlValue& p2,
                            const TvlValue& p3, TvlValue& val);

}  // namespace vl
