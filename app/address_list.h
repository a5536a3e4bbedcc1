#pragma once
// The launcher's address list: the list in force, as the user named it (a
// CSV or vCard file, a SQLite file with its table or query), kept as a data
// source and the dataset "Addresses" on the launcher's form and remembered in
// the settings store across runs. With a list in force a template button
// prints one envelope per address (see address_binding.h).

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/list_reader.h"
#include "engine/data/address_binding.h"
#include "engine/data/components.h"

class QWidget;

namespace vl {

class TvlDataSource;
class TvlDBDataSet;

class TAddressList {
 public:
  // The settings key and value name of the list in force.
  static constexpr const char* kSettingsKey = "Software\\Vellora\\Envelope";
  static constexpr const char* kSettingsName = "AddressList";
  // Its count of addresses when it was last read, for the caption after a restart.
  static constexpr const char* kCountName = "AddressCount";

  TAddressList(TvlForm& form, QWidget* owner);
  // Reads the user cancelled end on their own first (see list_reader.h).
  ~TAddressList();

  // Puts the list in force: opens it (one that cannot be read is reported
  // and not taken), settles its mapping (asking once per set of columns) and
  // remembers it. A SQLite file with several tables asks which one.
  bool Set(const std::string& spec);
  // No list in force any more, nor remembered.
  void Clear();
  // Takes the list remembered from the last run without opening it; it is
  // read when it is used. Its count is the one it had when last read.
  void Restore();

  bool InForce() const noexcept { return !spec_.empty(); }
  // As the user named it ("FILE" or "FILE#TABLE").
  const std::string& Spec() const noexcept { return spec_; }
  // Addresses when the list was last read; -1 before it is read.
  long Count() const noexcept { return count_; }
  // One line for the caption, and a longer text for tooltips.
  QString CaptionText() const;
  QString ToolTipText() const;

  // Reads the list afresh (so that changes since it was set are seen) and
  // binds the report to it for one run. Null, after the list's message or
  // when the user cancels the mapping, when nothing may print: a list without
  // addresses, or a mapping that gives neither the recipient's name nor the
  // address, is refused.
  std::unique_ptr<TvlAddressBinding> Bind(TvlReport& report, bool loop = true);

  // How the user is asked; a test puts its own answers here. AskMapping
  // gets the list's source (open, first record current) and the mapping so
  // far, and returns false for Cancel. AskTable returns the table chosen, or
  // an empty text for Cancel.
  std::function<bool(TvlDataSource& source, TvlAddressMapping& mapping)> AskMapping;
  std::function<std::string(const std::string& file, const std::vector<std::string>& tables)> AskTable;
  // Reads the list on a worker thread with progress and Cancel.
  TListReader Reader;

 private:
  // Makes and opens the source for spec as the form's "Addresses"; false
  // after the message when it cannot, or when the user cancels the reading.
  bool OpenOnForm(const std::string& spec);
  // The mapping of the open source: remembered, matched, or asked.
  bool Map(TvlDataSource& source, TvlAddressMapping& mapping);
  // False, after the message, for a list without addresses.
  bool HasAddresses();
  void RememberCount();
  void RemoveFromForm();

  TvlForm& form_;
  QWidget* owner_;
  std::string spec_;
  long count_ = -1;
  TvlDataSource* source_ = nullptr;
  TvlDBDataSet* dataset_ = nullptr;
  bool reading_ = false;  // a list is being read: the window answers, but reads no second one
};

}  // namespace vl
