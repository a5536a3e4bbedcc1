#pragma once
// Creates views from their type code, and holds the registry of add-in view
// classes that streams name by class name.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/model/views.h"

namespace vl {

// What the designer shows for an add-in class: toolbar picture and hint.
struct TvlAddInPresentation {
  std::vector<std::uint8_t> Picture;  // bitmap bytes as stored
  std::string Hint;
};

struct TvlAddInClass {
  std::string ClassName;
  std::function<std::unique_ptr<TvlView>()> Create;
  TvlAddInPresentation Presentation;
};

class TvlAddInRegistry {
 public:
  static constexpr std::size_t kMaxEntries = 64;
  // Returns false when the registry is full or the class is already there.
  bool Register(TvlAddInClass entry);
  void Unregister(const std::string& className);
  // Exact, case-sensitive match; nullptr when not registered.
  const TvlAddInClass* Find(const std::string& className) const;
  const std::vector<TvlAddInClass>& Entries() const { return entries_; }

 private:
  std::vector<TvlAddInClass> entries_;
};

TvlAddInRegistry& vlAddIns();

// Codes 0 to 4 create the built-in classes; code 10 creates the registered
// add-in class of that name; other codes give nullptr. Every view created
// gets the next value of the engine's view counter as its ID.
//
// An unregistered add-in class sets the engine's error flag, appends the class
// name and a carriage return to the engine's error text (unless the text
// names it already) and raises TvlClassNotFoundError carrying that
// accumulated text.
std::unique_ptr<TvlView> vlCreateView(int typ, const std::string& className);

// The class name of a view: the built-in class for codes 0 to 4, the
// registered class name for add-ins.
std::string vlViewClassName(const TvlView& view);

}  // namespace vl
