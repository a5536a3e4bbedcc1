#pragma once
// The base of every object a script or the object inspector can address:
// template pages and the views placed on them. It carries a list of named
// properties and the late-bound operations by name.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/value.h"

namespace vl {

class TvlObject;

// Opens a dialog that edits a property (the inspector's "..." button).
using TvlPropEditor = std::function<void(TvlObject* owner)>;

// One property descriptor.
struct TvlPropRec {
  static constexpr std::size_t kMaxNameLength = 32;

  std::string Name;  // mixed case as the inspector shows it, cut to 32 characters
  std::uint16_t Kind = 0;
  std::vector<std::string> EnumNames;
  TvlValue EnumValues = TvlValue::Null();  // an array, or null when the names are the values
  TvlPropEditor Editor;
  TvlObject* EditorOwner = nullptr;
};

class TvlObject {
 public:
  TvlObject() = default;
  TvlObject(const TvlObject&) = delete;
  TvlObject& operator=(const TvlObject&) = delete;
  virtual ~TvlObject();

  // Late-bound operations, in slot order. Names given to SetProperty and
  // GetProperty are compared in upper case; CallMethod compares exactly.
  virtual void SetProperty(const std::string& name, const TvlValue& value);
  virtual TvlValue GetProperty(const std::string& name);
  virtual TvlValue CallMethod(const std::string& name, const TvlValue& p1, const TvlValue& p2,
                              const TvlValue& p3);
  virtual void DeclareProperties();

  void AddProperty(const std::string& name, std::uint16_t kind, TvlPropEditor editor = nullptr,
                   TvlObject* editorOwner = nullptr);
  // names: entries separated by ";". values: an array value is copied; any
  // other value is packed into an array of one. A first value that is null
  // leaves EnumValues null.
  void AddEnumProperty(const std::string& name, const std::string& names, const TvlValue& values);
  void AddEnumProperty(const std::string& name, const std::string& names,
                       std::vector<TvlValue> values);
  // First descriptor whose name equals name ignoring case, or nullptr.
  TvlPropRec* FindProperty(const std::string& name);
  void ClearProperties();
  // Declares the properties when the list is still empty.
  void EnsureProperties();

  const std::vector<std::unique_ptr<TvlPropRec>>& Properties() const { return props_; }

 private:
  std::vector<std::unique_ptr<TvlPropRec>> props_;
};

}  // namespace vl
